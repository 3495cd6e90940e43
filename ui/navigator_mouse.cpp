// The navigator's mouse handling: pressing on the red frame grabs the region, dragging
// moves it (the preview shows it unfiltered meanwhile), releasing refilters it; a click
// elsewhere in the navigator centres the region on the point.
#include "ui/dialog_controls.h"
#include "ui/dialog_model.h"
#include "ui/pane_layout.h"
#include "ui/zoom_geometry.h"

void DialogModel::ShowCurrentCursor() { view_.ShowCursor(currentCursor_); }

int32_t DialogModel::OnSetCursor() {
    ShowCurrentCursor();
    return kMessageHandled;
}

int32_t DialogModel::OnLeftButtonDown(ViewPoint point) {
    drag_.anchor = point;
    drag_.moved = false;
    if (PointInside(navigatorPane_.display, point)) {
        drag_.dragging = true;
        view_.CaptureMouse();
        mode_ = PreviewBefore;
        if (PointInside(navigatorFrame_, point)) {
            const ViewPoint image = NavigatorToImage(point, filterRect_, navigatorPane_);
            drag_.grabX = image.x - zoom_.viewLeft;
            drag_.grabY = image.y - zoom_.viewTop;
            SetPending(false, false, true);
            InvalidatePane(previewPane_);
            currentCursor_ = CursorKind::ClosedHand;
        } else {
            drag_.grabX = zoom_.regionW[zoom_.level] / 2;
            drag_.grabY = zoom_.regionH[zoom_.level] / 2;
            currentCursor_ = CursorKind::PointingHand;
        }
    }
    ShowCurrentCursor();
    return kMessageHandled;
}

int32_t DialogModel::OnMouseMove(ViewPoint point, uint32_t keys) {
    if (keys == kMouseLeftButton) {
        if (drag_.dragging) {
            const ViewPoint limited = LimitToRect(navigatorPane_.display, point);
            currentCursor_ = CursorKind::ClosedHand;
            const ViewPoint image = NavigatorToImage(limited, filterRect_, navigatorPane_);
            zoom_.viewTop = int16_t(image.y - drag_.grabY);
            zoom_.viewLeft = int16_t(image.x - drag_.grabX);
            drag_.anchor = limited;
            PlacePreviewRegion();
            SetPending(true, false, true);
            InvalidatePane(previewPane_);
            InvalidatePane(navigatorPane_);
            drag_.moved = true;
        }
        ShowCurrentCursor();
        return kMessageHandled;
    }
    if (PointInside(navigatorFrame_, point)) {
        currentCursor_ = CursorKind::OpenHand;
    } else if (PointInside(navigatorPane_.display, point)) {
        currentCursor_ = CursorKind::PointingHand;
    } else {
        currentCursor_ = CursorKind::HostClassCursor;
    }
    ShowCurrentCursor();
    return kMessageHandled;
}

int32_t DialogModel::OnLeftButtonUp(ViewPoint point) {
    if (drag_.dragging) {
        const ViewPoint limited = LimitToRect(navigatorPane_.display, point);
        mode_ = view_.IsButtonChecked(kAfterRadio) ? PreviewAfter : PreviewBefore;
        if (PointInside(navigatorFrame_, limited)) {
            SetPending(false, drag_.moved, true);
            InvalidatePane(previewPane_);
        } else {
            const ViewPoint image = NavigatorToImage(limited, filterRect_, navigatorPane_);
            zoom_.viewTop = int16_t(image.y - zoom_.regionH[zoom_.level] / 2);
            zoom_.viewLeft = int16_t(image.x - zoom_.regionW[zoom_.level] / 2);
            PlacePreviewRegion();
            SetPending(true, true, true);
            InvalidatePane(previewPane_);
            InvalidatePane(navigatorPane_);
        }
        drag_.dragging = false;
        drag_.moved = false;
        currentCursor_ = CursorKind::OpenHand;
        view_.ReleaseMouse();
    }
    ShowCurrentCursor();
    return kMessageHandled;
}
