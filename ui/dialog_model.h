// The preview dialog's logic: the value fields and sliders, the refresh timer, the two
// panes with zoom and navigator, and the preview computation. It acts on the window
// through a DialogView and reaches the host through a PreviewPort; each event entry
// returns what the dialog procedure returns to the dialog manager for that message.
#pragma once

#include <cstdint>

#include "engine/filter_parameters.h"
#include "ui/dialog_view.h"
#include "ui/pane_view.h"
#include "ui/preview_computation.h"
#include "ui/preview_port.h"

struct DragState {
    bool dragging = false;
    bool moved = false;
    ViewPoint anchor = {};
    // Where the pointer holds the region, in image pixels from its top-left.
    int32_t grabX = 0;
    int32_t grabY = 0;
};

class DialogModel {
public:
    // parameters is edited in place while the dialog runs; planeCount is the run's plane
    // count (3 for RGB). view, port and parameters must outlive the model. Nothing
    // happens until OnInitDialog.
    DialogModel(DialogView& view, PreviewPort& port, FilterParameters* parameters,
                int16_t planeCount);
    // Returns pane buffers still held (a dialog that ended without OK or Cancel).
    ~DialogModel();
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    // WM_INITDIALOG. Ends the dialog with -4 (screen too small) or -3 (no pane buffers)
    // through the view. Returns FALSE.
    int32_t OnInitDialog();
    // WM_COMMAND: control id and notification code (high word of wParam).
    int32_t OnCommand(int32_t controlId, int32_t notification);
    // WM_HSCROLL from one of the three sliders: scroll code and thumb position.
    int32_t OnSliderScroll(int32_t sliderId, int32_t scrollCode, int32_t thumbPosition);
    // WM_TIMER.
    int32_t OnTimer(int32_t timerId);
    // WM_PAINT.
    int32_t OnPaint();
    // WM_SETCURSOR.
    int32_t OnSetCursor();
    // Mouse messages, point in dialog client coordinates; keys is the WM_MOUSEMOVE wParam.
    int32_t OnLeftButtonDown(ViewPoint point);
    int32_t OnMouseMove(ViewPoint point, uint32_t keys);
    int32_t OnLeftButtonUp(ViewPoint point);

    // State, for window layers, logs and tests.
    const PaneView& PreviewPane() const { return previewPane_; }
    const PaneView& NavigatorPane() const { return navigatorPane_; }
    const ZoomState& Zoom() const { return zoom_; }
    const PendingFlags& Pending() const { return pending_; }
    PreviewMode Mode() const { return mode_; }
    CursorKind CurrentCursor() const { return currentCursor_; }
    const DragState& Drag() const { return drag_; }
    // The navigator frame drawn last (client coordinates); empty until the first paint.
    const Rect& NavigatorFrame() const { return navigatorFrame_; }

private:
    void SetEditsFromParameters();
    void ApplyDefaults();
    void OnEditChanged(int32_t editId);
    void ReleasePaneBuffers(PaneView& pane);
    bool AllocatePaneBuffers();
    void ZoomIn();
    void ZoomOut();
    void FinishZoom();
    void OnBeforeAfter(int32_t radioId);
    void PlacePreviewRegion();
    void InvalidatePane(const PaneView& pane);
    void DrawPane(PaintContext context, const PaneView& pane);
    void DrawNavigatorFrame();
    void ShowCurrentCursor();
    void SetPending(bool fetch, bool filter, bool display);
    PreviewContext Context();

    DialogView& view_;
    PreviewPort& port_;
    FilterParameters* parameters_;
    int16_t planeCount_;
    Rect filterRect_ = {};

    PreviewMode mode_ = PreviewAfter;
    PendingFlags pending_;
    PaneView previewPane_;
    PaneView navigatorPane_;
    ZoomState zoom_;
    Rect navigatorFrame_ = {};
    CursorKind currentCursor_ = CursorKind::HostClassCursor;
    DragState drag_;
};
