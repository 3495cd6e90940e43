// Painting of the two panes and the navigator frame.
#include "interface/plugin_constants.h"
#include "ui/dialog_controls.h"
#include "ui/dialog_model.h"
#include "ui/pane_layout.h"

int32_t DialogModel::OnPaint() {
    if (!view_.HasUpdateRegion()) return kMessageNotHandled;
    // After OK or Cancel (or a start that failed) the buffers are gone while the window
    // may still be asked to paint: there is nothing left to draw.
    if (previewPane_.displayBuffer == nullptr) {
        view_.ValidateUpdateRegion();
        return kMessageNotHandled;
    }
    if (pending_.displayPending) {
        port_.PollAbort();
        PreviewContext context = Context();
        const OSErr result = ComputePreview(context, mode_, previewPane_);
        if (result != noErr) {
            port_.SetHostResult(memFullErr);
            // Left invalid, the region would bring the paint and the failing request back
            // at once, over and over; the next user action repaints instead.
            view_.ValidateUpdateRegion();
            return result;
        }
    }
    const PaintContext context = view_.BeginPaint();
    DrawPane(context, previewPane_);
    DrawPane(context, navigatorPane_);
    DrawNavigatorFrame();
    view_.EndPaint(context);
    return kMessageHandled;
}

void DialogModel::DrawPane(PaintContext context, const PaneView& pane) {
    if (pane.displayBuffer == nullptr) return;
    const Rect& display = pane.display;
    view_.FrameBlack(context, ViewRect{display.left - 2, display.top - 2, display.right + 2,
                                       display.bottom + 2});

    PSPixelMap map = {};
    map.version = 1;
    map.bounds = VRect{0, 0, pane.height, pane.width};
    map.imageMode = DisplayModeFor(port_.ImageMode());
    map.rowBytes = pane.width * planeCount_;
    map.colBytes = planeCount_;
    map.planeBytes = 1;
    map.baseAddr = pane.displayBuffer;
    map.maskPhaseRow = 1;
    map.maskPhaseCol = 1;
    PSPixelMask mask = {};
    if (port_.HaveMask()) {
        mask.maskData = pane.maskBuffer;
        mask.rowBytes = pane.width;
        mask.colBytes = 1;
        mask.maskDescription = kSimplePSMask;
        map.masks = &mask;
    }
    port_.DisplayPixels(map, map.bounds, display.top, display.left, context);
}

void DialogModel::DrawNavigatorFrame() {
    navigatorFrame_ = NavigatorFrameRect(filterRect_, previewPane_, navigatorPane_);
    view_.FrameRed(ToViewRect(navigatorFrame_));
}
