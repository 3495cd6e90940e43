// A host for one filter plug-in and one document: it fills the FilterRecord
// as a real host does, offers every suite a filter may use, calls the entry
// point selector by selector, and applies the filtered pixels to the
// document only when the filtering run succeeded.
//
// HostOptions let tests vary a host's habits (row padding, shared buffers,
// missing suites, reported depth); the FaultInjector makes any host routine
// fail at a chosen call.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/buffer_registry.h"
#include "app/descriptor.h"
#include "app/document.h"
#include "app/fault_injector.h"
#include "app/handle_registry.h"
#include "app/host_observations.h"
#include "app/host_view_image.h"
#include "app/pixel_exchange.h"
#include "app/plugin_module.h"
#include "app/scripting_store.h"
#include "interface/filter_record.h"
#include "interface/plugin_constants.h"

// How many routines each table says it holds; unset means every routine the
// interface defines. A host built for an older interface counts fewer, yet
// may leave routines in the slots past its count: a plug-in must not call them.
struct RoutineCounts {
    std::optional<int16_t> buffer;
    std::optional<int16_t> handle;
    std::optional<int16_t> property;
    std::optional<int16_t> readDescriptor;
    std::optional<int16_t> writeDescriptor;
};

struct HostOptions {
    OSType hostSig = FourCC("8BIM");
    int32_t maxSpace = 256 << 20;  // also the budget of the buffer suite
    int32_t depth = 8;             // bits per sample reported; 0 is what old hosts send
    int32_t inRowPadding = 0;      // bytes after each row of input samples
    int32_t outRowPadding = 0;     // bytes after each row of output samples
    // One buffer for input and output when both ask for the same pixels.
    bool shareInOutBuffers = false;
    bool supportsPadding = true;
    int8_t samplingSupport = hostSupportsIntegralSampling;
    bool offerBufferProcs = true;
    bool offerPropertyProcs = true;
    bool offerDescriptorParameters = true;
    bool offerBasicSuite = true;
    RoutineCounts routineCounts;
    // Overrides the filter case the document implies (0: a host that does not set it).
    std::optional<int16_t> filterCase;
    // Refuse a document the plug-in's property list does not accept, as a
    // host's menu would; tests turn it off to reach the plug-in's own checks.
    bool enforceModes = true;
    // The plug-in's output goes straight into the document instead of into a
    // copy that is applied only when the run succeeds: one image less in
    // memory, for a caller that discards the document after a failed run (a
    // failed run may leave it partly filtered). Not for documents with a
    // selection mask, whose blend needs the unfiltered pixels.
    bool writeInPlace = false;
    // Continue calls allowed before the run counts as stuck.
    int maxContinueCalls = 10000;
    // A user who can ask to stop: asked at every abortProc poll that no
    // injected fault answers.
    std::function<bool()> userAsksToStop;
    // Told of every progressProc report as it arrives.
    std::function<void(int32_t done, int32_t total)> progressObserver;
    // Told of every advanceState request the host served, with the buffers
    // it delivered (mask null when none was asked for or there is none).
    std::function<void(const HostRequest& request, const ExchangeBuffer& input,
                       const ExchangeBuffer* mask)>
        requestObserver;
    // Told of every displayPixels call the host drew, as it is drawn.
    std::function<void(const DisplayCopy& copy)> displayObserver;
    // Size of the host's view image, which displayPixels draws into.
    int32_t viewWidth = 0;
    int32_t viewHeight = 0;
};

struct InvocationOptions {
    bool showAbout = false;
    // False as for "repeat last filter", which goes straight to prepare.
    bool askParameters = true;
    int16_t playInfo = plugInDialogDisplay;
    // A recorded action being replayed: its descriptor is handed to the plug-in.
    std::optional<Descriptor> replay;
};

struct SelectorCall {
    int16_t selector;
    OSErr result;
};

struct InvocationReport {
    OSErr result = noErr;  // the first failure, or noErr
    std::vector<SelectorCall> calls;
    int continueCalls = 0;
    bool imageChanged = false;  // the filtered pixels were applied to the document
    std::string refusal;        // why the host did not offer the filter
    // What the plug-in recorded for the action at finish.
    std::optional<Descriptor> recorded;
    int16_t recordInfo = 0;
};

// What is still held after an invocation. Every count is 0 after a clean one.
struct HostLeaks {
    std::size_t handles = 0;
    std::size_t lockedHandles = 0;
    std::size_t buffers = 0;
    std::size_t lockedBuffers = 0;
    std::size_t actionDescriptors = 0;
    std::size_t descriptorSessions = 0;
    std::size_t heldSuites = 0;
    std::size_t basicBlocks = 0;
    uint32_t misuse = 0;        // unknown or already released references passed in
    std::string handleDetails;  // size and lock count of each live handle

    bool None() const;
    std::string Describe() const;
};

class FilterHost {
public:
    // The module and the document must outlive the host.
    FilterHost(const PluginModule& module, Document& document, HostOptions options = {});
    ~FilterHost();
    FilterHost(const FilterHost&) = delete;
    FilterHost& operator=(const FilterHost&) = delete;

    // One whole invocation: about (if asked), parameters, prepare, start,
    // continue while anything is requested, finish. Counts of host routine
    // calls and the logs start afresh.
    InvocationReport Invoke(const InvocationOptions& options = {});

    // ---- The same in steps, for tests of single selectors
    // Fills the record for the document, hands over a replay descriptor, and
    // starts a pending copy of the image that advanceState writes into.
    void BeginInvocation(const InvocationOptions& options = {});
    // Any selector value, also ones the interface does not define.
    OSErr CallSelector(int16_t selector);
    bool AnyRectRequested() const;
    // Applies the pending copy to the document when commit is set; takes back
    // the host's descriptor handle; returns what the plug-in recorded.
    std::optional<Descriptor> EndInvocation(bool commit, bool recordAction);

    // ---- State a test inspects or arranges
    FilterRecord& record() { return record_; }
    intptr_t& dataSlot() { return dataSlot_; }
    PIDescriptorParameters& descriptorParameters() { return descriptorParameters_; }
    HandleRegistry& handles() { return handles_; }
    BufferRegistry& buffers() { return buffers_; }
    ScriptingStore& scripting() { return scripting_; }
    FaultInjector& faults() { return faults_; }

    // Simple properties getPropertyProc answers besides the watch suspension.
    void SetSimpleProperty(PIType key, intptr_t value) { simpleProperties_[key] = value; }
    intptr_t watchSuspension() const { return watchSuspension_; }
    // What the plug-in did, as the host saw it.
    const HostObservations& observations() const { return observations_; }
    // The host's view, into which displayPixels draws.
    HostViewImage& viewImage() { return viewImage_; }
    // The window the plug-in may own its dialogs to: PlatformData's window
    // member, which a Linux host may point at a dialog view table.
    void SetPlatformWindow(intptr_t window) { platformData_.hwnd = window; }
    // Error code an injected advanceState or displayPixels failure reports.
    void SetInjectedError(OSErr error) { injectedError_ = error; }
    OSErr injectedError() const { return injectedError_; }

    HostLeaks Leaks() const;
    // Forgets logs and call counts (not planned faults).
    void ClearLogs();

    // ---- The host's side of each routine (called by the C entry points,
    // after the fault check)
    OSErr AdvanceState();
    void ReportProgress(int32_t done, int32_t total);
    bool UserAsksToStop() const { return options_.userAsksToStop && options_.userAsksToStop(); }
    OSErr DisplayPixels(const PSPixelMap* source, const VRect* sourceRect, int32_t row,
                        int32_t column, void* platformContext);
    OSErr GetProperty(OSType signature, PIType key, int32_t index, intptr_t* simple,
                      Handle* complex);
    OSErr SetProperty(OSType signature, PIType key, int32_t index, intptr_t simple);
    void* AllocateBlock(std::size_t size);
    void* ReallocateBlock(void* block, std::size_t size);
    bool FreeBlock(void* block);

    // The host whose plug-in call is under way, or null.
    static FilterHost* Active();

    // While one exists, the host's routines serve this host as they do during
    // a plug-in call, so that tests can call them directly.
    class ActiveScope {
    public:
        explicit ActiveScope(FilterHost* host);
        ~ActiveScope();
        ActiveScope(const ActiveScope&) = delete;
        ActiveScope& operator=(const ActiveScope&) = delete;

    private:
        FilterHost* previous_;
    };

private:
    void FillRecord();
    Document& Pending();
    OSErr DeliverRequest();
    void ReleaseExchange();
    void TakeBackPendingOutput();
    int16_t FilterCaseFor() const;

    const PluginModule& module_;
    Document& document_;
    HostOptions options_;

    FilterRecord record_{};
    AboutRecord aboutRecord_{};
    PlatformData platformData_{};
    Str255 errorString_{};
    BufferProcs bufferProcs_{};
    HandleProcs handleProcs_{};
    PropertyProcs propertyProcs_{};
    ReadDescriptorProcs readProcs_{};
    WriteDescriptorProcs writeProcs_{};
    PIDescriptorParameters descriptorParameters_{};
    SPBasicSuite basicSuite_{};
    intptr_t dataSlot_ = 0;

    HandleRegistry handles_;
    BufferRegistry buffers_;
    ScriptingStore scripting_;
    FaultInjector faults_;
    std::map<void*, std::size_t> basicBlocks_;

    // Where advanceState takes output back: a copy of the document applied
    // when the run succeeds, or the document itself (writeInPlace).
    std::optional<Document> staged_;
    Document* pending_ = nullptr;
    ExchangeBuffer input_;
    ExchangeBuffer output_;
    ExchangeBuffer mask_;
    ExchangeBuffer* deliveredOutput_ = nullptr;  // output_, or input_ when shared

    intptr_t watchSuspension_ = 0;
    std::map<PIType, intptr_t> simpleProperties_;
    HostObservations observations_;
    HostViewImage viewImage_;
    OSErr injectedError_ = memFullErr;
};
