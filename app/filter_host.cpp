#include "app/filter_host.h"

#include <cstdlib>
#include <cstring>

#include "app/host_routines.h"
#include "app/pixel_display.h"

namespace {

FilterHost* gActiveHost = nullptr;

constexpr Fixed kFixedOne = 1 << 16;
constexpr Fixed kScreenResolution = 72 << 16;  // pixels per inch
constexpr Fixed kMonitorGamma = 0x00023333;    // 2.2

bool SameRect(const Rect& a, const Rect& b) {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

}  // namespace

bool HostLeaks::None() const {
    return handles == 0 && lockedHandles == 0 && buffers == 0 && lockedBuffers == 0 &&
           actionDescriptors == 0 && descriptorSessions == 0 && heldSuites == 0 &&
           basicBlocks == 0 && misuse == 0;
}

std::string HostLeaks::Describe() const {
    return "handles " + std::to_string(handles) + " (locked " + std::to_string(lockedHandles) +
           "), buffers " + std::to_string(buffers) + " (locked " + std::to_string(lockedBuffers) +
           "), action descriptors " + std::to_string(actionDescriptors) + ", descriptor sessions " +
           std::to_string(descriptorSessions) + ", held suites " + std::to_string(heldSuites) +
           ", basic-suite blocks " + std::to_string(basicBlocks) + ", misused references " +
           std::to_string(misuse) + (handleDetails.empty() ? "" : "\n" + handleDetails);
}

FilterHost* FilterHost::Active() { return gActiveHost; }

FilterHost::ActiveScope::ActiveScope(FilterHost* host) : previous_(gActiveHost) {
    gActiveHost = host;
}

FilterHost::ActiveScope::~ActiveScope() { gActiveHost = previous_; }

FilterHost::FilterHost(const PluginModule& module, Document& document, HostOptions options)
    : module_(module), document_(document), options_(options), buffers_(options.maxSpace) {
    viewImage_.Resize(options.viewWidth, options.viewHeight);
    InstallHostRoutines(&record_, {&bufferProcs_, &handleProcs_, &propertyProcs_, &readProcs_,
                                   &writeProcs_, &basicSuite_});
    descriptorParameters_.readDescriptorProcs = &readProcs_;
    descriptorParameters_.writeDescriptorProcs = &writeProcs_;
}

FilterHost::~FilterHost() {
    for (const auto& block : basicBlocks_) std::free(block.first);
}

int16_t FilterHost::FilterCaseFor() const {
    if (options_.filterCase) return *options_.filterCase;
    const bool selection = document_.selectionMask.has_value() || !document_.IsWholeImageFiltered();
    if (document_.HasTransparency()) {
        return selection ? filterCaseEditableTransparencyWithSelection
                         : filterCaseEditableTransparencyNoSelection;
    }
    return selection ? filterCaseFlatImageWithSelection : filterCaseFlatImageNoSelection;
}

void FilterHost::FillRecord() {
    // The plug-in's handle and the routines stay; everything else is set afresh.
    const Handle parameters = record_.parameters;
    const FilterRecord routines = record_;
    record_ = FilterRecord{};
    record_.parameters = parameters;
    record_.abortProc = routines.abortProc;
    record_.progressProc = routines.progressProc;
    record_.advanceState = routines.advanceState;
    record_.displayPixels = routines.displayPixels;
    record_.processEvent = routines.processEvent;

    const int16_t width = static_cast<int16_t>(document_.width());
    const int16_t height = static_cast<int16_t>(document_.height());
    record_.serialNumber = 0;
    record_.imageSize = {height, width};
    record_.planes = document_.PlaneCount();
    record_.filterRect = document_.filterRect;
    record_.background = {0xFFFF, 0xFFFF, 0xFFFF};
    record_.foreground = {0, 0, 0};
    std::memset(record_.backColor, 0xFF, sizeof(record_.backColor));
    record_.maxSpace = options_.maxSpace;
    record_.haveMask = document_.selectionMask.has_value() ? 1 : 0;
    record_.autoMask = 1;
    record_.hostSig = options_.hostSig;
    record_.imageMode = document_.ImageMode();
    record_.imageHRes = kScreenResolution;
    record_.imageVRes = kScreenResolution;
    record_.wholeSize = record_.imageSize;
    record_.monitor.gamma = kMonitorGamma;
    record_.platformData = &platformData_;
    record_.bufferProcs = options_.offerBufferProcs ? &bufferProcs_ : nullptr;
    record_.handleProcs = &handleProcs_;
    record_.filterCase = FilterCaseFor();
    record_.dummyPlaneValue = -1;
    record_.getPropertyObsolete =
        options_.offerPropertyProcs ? propertyProcs_.getPropertyProc : nullptr;
    record_.supportsPadding = options_.supportsPadding ? 1 : 0;
    record_.inputPadding = plugInWantsErrorOnBoundsException;
    record_.outputPadding = plugInWantsErrorOnBoundsException;
    record_.maskPadding = plugInWantsErrorOnBoundsException;
    record_.samplingSupport = options_.samplingSupport;
    record_.inputRate = kFixedOne;
    record_.maskRate = kFixedOne;

    // Layer data is colour planes then transparency; a flat image has only
    // non-layer planes.
    const int16_t planes = document_.PlaneCount();
    if (document_.HasTransparency()) {
        const int16_t colour = planes - 1;
        record_.inLayerPlanes = record_.outLayerPlanes = record_.absLayerPlanes = colour;
        record_.inTransparencyMask = record_.outTransparencyMask = record_.absTransparencyMask = 1;
    } else {
        record_.inNonLayerPlanes = record_.outNonLayerPlanes = record_.absNonLayerPlanes = planes;
    }

    record_.propertyProcs = options_.offerPropertyProcs ? &propertyProcs_ : nullptr;
    record_.descriptorParameters =
        options_.offerDescriptorParameters ? &descriptorParameters_ : nullptr;
    record_.errorString = &errorString_;
    record_.sSPBasic = options_.offerBasicSuite ? &basicSuite_ : nullptr;
    const RoutineCounts& counts = options_.routineCounts;
    bufferProcs_.numBufferProcs = counts.buffer.value_or(kCurrentBufferProcsCount);
    handleProcs_.numHandleProcs = counts.handle.value_or(kCurrentHandleProcsCount);
    propertyProcs_.numPropertyProcs = counts.property.value_or(kCurrentPropertyProcsCount);
    readProcs_.numReadDescriptorProcs =
        counts.readDescriptor.value_or(kCurrentReadDescriptorProcsCount);
    writeProcs_.numWriteDescriptorProcs =
        counts.writeDescriptor.value_or(kCurrentWriteDescriptorProcsCount);
    record_.depth = options_.depth;
    record_.maxSpace64 = options_.maxSpace;

    aboutRecord_ = AboutRecord{};
    aboutRecord_.platformData = &platformData_;
    aboutRecord_.sSPBasic = record_.sSPBasic;
}

void FilterHost::ClearLogs() {
    faults_.ResetCounts();
    observations_.Clear();
}

void FilterHost::BeginInvocation(const InvocationOptions& options) {
    FillRecord();
    if (options_.writeInPlace && !document_.selectionMask) {
        staged_.reset();
        pending_ = &document_;
    } else {
        staged_ = document_;
        pending_ = &*staged_;
    }
    descriptorParameters_.descriptorParametersVersion = kCurrentDescriptorParametersVersion;
    descriptorParameters_.playInfo = options.playInfo;
    descriptorParameters_.recordInfo = plugInDialogOptional;
    descriptorParameters_.descriptor = nullptr;
    if (options.replay) {
        const std::vector<uint8_t> bytes = options.replay->Serialize();
        descriptorParameters_.descriptor = handles_.New(static_cast<int32_t>(bytes.size()));
        std::memcpy(*descriptorParameters_.descriptor, bytes.data(), bytes.size());
    }
}

OSErr FilterHost::CallSelector(int16_t selector) {
    ActiveScope scope(this);
    // Hosts clear the watch suspension at the start of every call.
    watchSuspension_ = 0;
    int16_t result = noErr;
    void* block = selector == filterSelectorAbout ? static_cast<void*>(&aboutRecord_)
                                                  : static_cast<void*>(&record_);
    module_.entry()(selector, block, &dataSlot_, &result);
    if (watchSuspension_ != 0) observations_.CountCallEndingSuspended();
    // Output still handed out when the plug-in returns is taken as final,
    // unless the call failed.
    if (result == noErr) TakeBackPendingOutput();
    ReleaseExchange();
    return result;
}

Document& FilterHost::Pending() {
    // A selector called outside an invocation gets a copy of its own, which
    // nothing ever applies.
    if (pending_ == nullptr) {
        staged_ = document_;
        pending_ = &*staged_;
    }
    return *pending_;
}

bool FilterHost::AnyRectRequested() const {
    return !IsEmptyRect(record_.inRect) || !IsEmptyRect(record_.outRect) ||
           !IsEmptyRect(record_.maskRect);
}

std::optional<Descriptor> FilterHost::EndInvocation(bool commit, bool recordAction) {
    ReleaseExchange();
    if (commit) {
        // A host limits the change to the selection unless the plug-in masks itself.
        if (staged_) {
            if (document_.selectionMask && record_.autoMask) BlendBySelection(document_, &*staged_);
            document_ = std::move(*staged_);
        }
    }
    staged_.reset();
    pending_ = nullptr;
    std::optional<Descriptor> recorded;
    // The descriptor handle left in the parameters belongs to the host again.
    Handle descriptor = descriptorParameters_.descriptor;
    if (descriptor != nullptr) {
        if (recordAction && handles_.Knows(descriptor)) {
            recorded = Descriptor::Deserialize(handles_.Contents(descriptor));
        }
        handles_.Dispose(descriptor);
        descriptorParameters_.descriptor = nullptr;
    }
    return recorded;
}

InvocationReport FilterHost::Invoke(const InvocationOptions& options) {
    InvocationReport report;
    ClearLogs();
    std::string refusal;
    if (options_.enforceModes && !module_.AcceptsDocument(document_.ImageMode(), 8, &refusal)) {
        report.refusal = refusal;
        report.result = filterBadMode;
        return report;
    }
    BeginInvocation(options);
    const auto call = [&](int16_t selector) {
        const OSErr result = CallSelector(selector);
        report.calls.push_back({selector, result});
        if (result != noErr && report.result == noErr) report.result = result;
        return result == noErr;
    };

    if (options.showAbout) call(filterSelectorAbout);
    const bool started = (!options.askParameters || call(filterSelectorParameters)) &&
                         call(filterSelectorPrepare) && call(filterSelectorStart);
    if (!started) {
        EndInvocation(false, false);
        return report;
    }
    // Finish follows a successful start even when continue fails.
    bool filtered = true;
    while (filtered && AnyRectRequested()) {
        if (report.continueCalls == options_.maxContinueCalls) {
            if (report.result == noErr) report.result = filterBadParameters;
            filtered = false;
            break;
        }
        ++report.continueCalls;
        filtered = call(filterSelectorContinue);
    }
    const bool finished = call(filterSelectorFinish);
    report.imageChanged = filtered;
    report.recordInfo = descriptorParameters_.recordInfo;
    report.recorded = EndInvocation(filtered, finished);
    return report;
}

void FilterHost::ReleaseExchange() {
    input_ = ExchangeBuffer{};
    output_ = ExchangeBuffer{};
    mask_ = ExchangeBuffer{};
    deliveredOutput_ = nullptr;
    record_.inData = record_.outData = record_.maskData = nullptr;
    record_.inRowBytes = record_.outRowBytes = record_.maskRowBytes = 0;
}

void FilterHost::TakeBackPendingOutput() {
    if (deliveredOutput_ == nullptr) return;
    observations_.CountPaddingWrites(TakeBackOutput(*deliveredOutput_, &Pending()));
    deliveredOutput_ = nullptr;
}

OSErr FilterHost::AdvanceState() {
    TakeBackPendingOutput();
    ReleaseExchange();
    const OSErr result = DeliverRequest();
    const FilterRecord& r = record_;
    if (IsEmptyRect(r.inRect) && IsEmptyRect(r.outRect) && IsEmptyRect(r.maskRect)) return result;
    const HostRequest request{r.inRect,    r.inputRate, r.maskRect, r.maskRate,
                              r.inLoPlane, r.inHiPlane, r.outRect,  result};
    observations_.AddRequest(request);
    if (options_.requestObserver && result == noErr) {
        options_.requestObserver(request, input_, mask_.bytes.empty() ? nullptr : &mask_);
    }
    return result;
}

OSErr FilterHost::DeliverRequest() {
    const FilterRecord& r = record_;
    if (!IsEmptyRect(r.inRect)) {
        const SamplingRules rules{r.inputRate, r.samplingSupport, r.supportsPadding != 0,
                                  r.inputPadding};
        const OSErr error = BuildInputBuffer(PlanesOf(Pending()), r.inRect, r.inLoPlane,
                                             r.inHiPlane, rules, options_.inRowPadding, &input_);
        if (error != noErr) {
            ReleaseExchange();
            return error;
        }
    }
    if (!IsEmptyRect(r.outRect)) {
        const bool share = options_.shareInOutBuffers && !input_.bytes.empty() &&
                           SameRect(input_.rect, r.outRect) && input_.loPlane == r.outLoPlane &&
                           input_.hiPlane == r.outHiPlane &&
                           SampleStep({r.inputRate, r.samplingSupport, false, 0}) == 1.0;
        if (share) {
            deliveredOutput_ = &input_;
        } else {
            const OSErr error = BuildOutputBuffer(Pending(), r.outRect, r.outLoPlane, r.outHiPlane,
                                                  options_.outRowPadding, &output_);
            if (error != noErr) {
                ReleaseExchange();
                return error;
            }
            deliveredOutput_ = &output_;
        }
    }
    if (r.haveMask && document_.selectionMask && !IsEmptyRect(r.maskRect)) {
        const SamplingRules rules{r.maskRate, r.samplingSupport, r.supportsPadding != 0,
                                  r.maskPadding};
        const OSErr error =
            BuildInputBuffer(MaskPlaneOf(document_), r.maskRect, 0, 0, rules, 0, &mask_);
        if (error != noErr) {
            ReleaseExchange();
            return error;
        }
    }

    if (!input_.bytes.empty()) {
        record_.inData = input_.bytes.data();
        record_.inRowBytes = input_.rowBytes;
        record_.inColumnBytes = input_.PlaneCount();
        record_.inPlaneBytes = 1;
    }
    if (deliveredOutput_ != nullptr) {
        record_.outData = deliveredOutput_->bytes.data();
        record_.outRowBytes = deliveredOutput_->rowBytes;
        record_.outColumnBytes = deliveredOutput_->PlaneCount();
        record_.outPlaneBytes = 1;
    }
    if (!mask_.bytes.empty()) {
        record_.maskData = mask_.bytes.data();
        record_.maskRowBytes = mask_.rowBytes;
    }
    return noErr;
}

OSErr FilterHost::DisplayPixels(const PSPixelMap* source, const VRect* sourceRect, int32_t row,
                                int32_t column, void* platformContext) {
    if (source == nullptr || sourceRect == nullptr ||
        CheckPixelMap(*source, *sourceRect) != noErr) {
        observations_.CountRefusedDisplay();
        return paramErr;
    }
    DisplayCopy copy = CopyPixelMap(*source, *sourceRect, row, column);
    viewImage_.Draw(copy);
    if (options_.displayObserver) options_.displayObserver(copy);
    observations_.AddDisplay(std::move(copy));
    // Where the platform has a drawing surface the pixels go there as well.
    if (platformContext != nullptr)
        DrawPixelMap(*source, *sourceRect, row, column, platformContext);
    return noErr;
}

OSErr FilterHost::GetProperty(OSType /*signature*/, PIType key, int32_t /*index*/, intptr_t* simple,
                              Handle* complex) {
    if (complex != nullptr) *complex = nullptr;
    if (simple == nullptr) return paramErr;
    if (key == propWatchSuspension) {
        *simple = watchSuspension_;
        return noErr;
    }
    const auto found = simpleProperties_.find(key);
    if (found == simpleProperties_.end()) return errPlugInPropertyUndefined;
    *simple = found->second;
    return noErr;
}

OSErr FilterHost::SetProperty(OSType signature, PIType key, int32_t index, intptr_t simple) {
    // The watch suspension is the one property a plug-in may set here.
    if (key != propWatchSuspension) return errPlugInPropertyUndefined;
    watchSuspension_ = simple;
    observations_.AddPropertyChange({signature, key, index, simple});
    return noErr;
}

void* FilterHost::AllocateBlock(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block != nullptr) basicBlocks_[block] = size;
    return block;
}

void* FilterHost::ReallocateBlock(void* block, std::size_t size) {
    if (block != nullptr && basicBlocks_.count(block) == 0) return nullptr;
    void* moved = std::realloc(block, size == 0 ? 1 : size);
    if (moved == nullptr) return nullptr;
    basicBlocks_.erase(block);
    basicBlocks_[moved] = size;
    return moved;
}

bool FilterHost::FreeBlock(void* block) {
    if (basicBlocks_.erase(block) == 0) return false;
    std::free(block);
    return true;
}

void FilterHost::ReportProgress(int32_t done, int32_t total) {
    observations_.AddProgress(done, total);
    if (options_.progressObserver) options_.progressObserver(done, total);
}

HostLeaks FilterHost::Leaks() const {
    HostLeaks leaks;
    leaks.handles = handles_.LiveCount();
    leaks.lockedHandles = handles_.LockedCount();
    leaks.handleDetails = handles_.DescribeLive();
    leaks.buffers = buffers_.LiveCount();
    leaks.lockedBuffers = buffers_.LockedCount();
    leaks.actionDescriptors = scripting_.LiveDescriptorCount();
    leaks.descriptorSessions = scripting_.OpenSessionCount();
    leaks.heldSuites = scripting_.HeldSuiteCount();
    leaks.basicBlocks = basicBlocks_.size();
    leaks.misuse = handles_.MisuseCount() + buffers_.MisuseCount() + scripting_.MisuseCount();
    return leaks;
}
