// The preview dialog's way to the host: pane requests, displayPixels, the
// abort poll and the result word over the current call's FilterRecord, and
// the plug-in's accounted allocator for everything the dialog keeps.
#pragma once

#include "interface/plugin_interface.h"
#include "ui/preview_port.h"

class FilterRecordPort : public PreviewPort {
public:
    // filter is the start selector's record; planeCount the run's.
    FilterRecordPort(FilterRecord& filter, int16_t planeCount)
        : filter_(filter), planeCount_(planeCount) {}

    Rect FilterRect() const override { return filter_.filterRect; }
    int16_t ImageMode() const override { return filter_.imageMode; }
    bool HaveMask() const override { return filter_.haveMask != 0; }
    int16_t PlaneCount() const override { return planeCount_; }

    OSErr RequestPane(const PaneRequest& request, PaneSamples* samples) override;
    OSErr DisplayPixels(const PSPixelMap& source, const VRect& bounds, int32_t row, int32_t column,
                        void* platformContext) override;
    bool PollAbort() override;
    OSErr HostResult() const override;
    void SetHostResult(OSErr result) override;
    AllocateFn Allocator() const override;
    ReleaseFn Releaser() const override;
    // Passed on to whoever watches engine passes (only the testable module
    // lets anyone watch).
    void NoteEnginePass(const PreviewEnginePass& pass) override;

private:
    FilterRecord& filter_;
    int16_t planeCount_;
};
