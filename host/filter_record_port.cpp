#include "host/filter_record_port.h"

#include "host/plugin_alloc.h"
#include "host/plugin_state.h"
#include "host/user_interface_seams.h"

OSErr FilterRecordPort::RequestPane(const PaneRequest& request, PaneSamples* samples) {
    if (filter_.advanceState == nullptr) return errPlugInHostInsufficient;
    filter_.inRect = request.source;
    filter_.inputRate = request.rate;
    filter_.outRect = Rect{};
    if (request.wantMask) {
        // The region lies inside the filter area; should it not, the outside
        // reads as unselected rather than as an error.
        if (filter_.supportsPadding) filter_.maskPadding = 0;
        filter_.maskRect = request.source;
        filter_.maskRate = request.rate;
    } else {
        filter_.maskRect = Rect{};
    }
    filter_.inLoPlane = 0;
    filter_.inHiPlane = static_cast<int16_t>(planeCount_ - 1);
    const OSErr result = filter_.advanceState();
    if (result != noErr) return result;
    samples->inData = static_cast<const uint8_t*>(filter_.inData);
    samples->inRowBytes = filter_.inRowBytes;
    samples->maskData = request.wantMask ? static_cast<const uint8_t*>(filter_.maskData) : nullptr;
    samples->maskRowBytes = request.wantMask ? filter_.maskRowBytes : 0;
    return noErr;
}

OSErr FilterRecordPort::DisplayPixels(const PSPixelMap& source, const VRect& bounds, int32_t row,
                                      int32_t column, void* platformContext) {
    if (filter_.displayPixels == nullptr) return errPlugInHostInsufficient;
    return filter_.displayPixels(&source, &bounds, row, column, platformContext);
}

bool FilterRecordPort::PollAbort() { return filter_.abortProc != nullptr && filter_.abortProc(); }

OSErr FilterRecordPort::HostResult() const { return Result(); }

void FilterRecordPort::SetHostResult(OSErr result) { SetResult(result); }

PreviewPort::AllocateFn FilterRecordPort::Allocator() const { return PluginAlloc; }

PreviewPort::ReleaseFn FilterRecordPort::Releaser() const { return PluginFree; }

void FilterRecordPort::NoteEnginePass(const PreviewEnginePass& pass) {
    const UserInterfaceSeams& seams = Seams();
    if (seams.enginePassObserver != nullptr)
        seams.enginePassObserver(pass, seams.enginePassContext);
}
