#include <gtest/gtest.h>

#include <cstring>

#include "tests/ui/dialog_harness.h"

namespace {
// A dialog at 50 % whose navigator frame has been drawn once.
struct PaintedDialog : DialogHarness {
    PaintedDialog() {
        Start();
        Click(kZoomOutButton);
        Paint();
    }
};
}  // namespace

TEST(PreviewNavigatorMouse, ClickingAwayFromTheFrameCentresTheRegion) {
    PaintedDialog dialog;
    const size_t passes = dialog.port.enginePasses.size();
    const ViewPoint point = dialog.NavigatorPoint(40, 30);
    EXPECT_EQ(dialog.model.OnLeftButtonDown(point), kMessageHandled);
    EXPECT_TRUE(dialog.view.captured);
    EXPECT_EQ(dialog.model.CurrentCursor(), CursorKind::PointingHand);
    EXPECT_EQ(dialog.model.Mode(), PreviewBefore);
    EXPECT_EQ(dialog.model.OnLeftButtonUp(point), kMessageHandled);
    EXPECT_FALSE(dialog.view.captured);
    EXPECT_EQ(dialog.model.Mode(), PreviewAfter);
    EXPECT_EQ(dialog.model.CurrentCursor(), CursorKind::OpenHand);
    // 40 * 13 - 750 / 2 and 30 * 13 - 500 / 2, made even.
    EXPECT_EQ(dialog.model.Zoom().viewLeft, 144);
    EXPECT_EQ(dialog.model.Zoom().viewTop, 140);
    const PendingFlags& pending = dialog.model.Pending();
    EXPECT_TRUE(pending.fetchPending && pending.filterPending && pending.displayPending);
    dialog.Paint();
    EXPECT_EQ(dialog.port.enginePasses.size(), passes + 3);

    // Clamped to the image near its corner.
    const ViewPoint corner = dialog.NavigatorPoint(1, 1);
    dialog.model.OnLeftButtonDown(corner);
    dialog.model.OnLeftButtonUp(corner);
    EXPECT_EQ(dialog.model.Zoom().viewLeft, 0);
    EXPECT_EQ(dialog.model.Zoom().viewTop, 0);
}

TEST(PreviewNavigatorMouse, DraggingBeyondTheNavigatorStopsAtTheEdge) {
    PaintedDialog dialog;
    const size_t passes = dialog.port.enginePasses.size();
    const size_t requests = dialog.port.requests.size();
    dialog.model.OnLeftButtonDown(dialog.FrameCentre());
    EXPECT_EQ(dialog.model.CurrentCursor(), CursorKind::ClosedHand);
    EXPECT_TRUE(dialog.model.Pending().displayPending);
    for (int32_t step = 1; step <= 10; ++step) {
        const ViewPoint far{dialog.FrameCentre().x + 100 * step,
                            dialog.FrameCentre().y + 80 * step};
        EXPECT_EQ(dialog.model.OnMouseMove(far, kMouseLeftButton), kMessageHandled);
        EXPECT_TRUE(dialog.model.Drag().moved);
        EXPECT_EQ(dialog.model.Mode(), PreviewBefore);
        dialog.Paint();
    }
    const ZoomState& zoom = dialog.model.Zoom();
    EXPECT_EQ(zoom.viewLeft, 3000 - 750);
    EXPECT_EQ(zoom.viewTop, 2000 - 500);
    // Each move fetched the region; none ran the engine.
    EXPECT_GT(dialog.port.requests.size(), requests);
    EXPECT_EQ(dialog.port.enginePasses.size(), passes);
    const PaneView& pane = dialog.model.PreviewPane();
    EXPECT_EQ(std::memcmp(pane.displayBuffer, pane.unfilteredBuffer,
                          size_t(pane.width) * pane.height * 3),
              0);

    dialog.model.OnLeftButtonUp(ViewPoint{2000, 2000});
    EXPECT_FALSE(dialog.model.Drag().dragging);
    EXPECT_EQ(dialog.model.Mode(), PreviewAfter);
    dialog.Paint();
    EXPECT_EQ(dialog.port.enginePasses.size(), passes + 3);
    EXPECT_EQ(zoom.viewLeft, 3000 - 750);
}

TEST(PreviewNavigatorMouse, PressAndReleaseOnTheFrameRepaintsWithoutTheEngine) {
    PaintedDialog dialog;
    const size_t passes = dialog.port.enginePasses.size();
    const size_t requests = dialog.port.requests.size();
    const ViewPoint centre = dialog.FrameCentre();
    dialog.model.OnLeftButtonDown(centre);
    dialog.Paint();
    const PaneView& pane = dialog.model.PreviewPane();
    const size_t bytes = size_t(pane.width) * pane.height * 3;
    EXPECT_EQ(std::memcmp(pane.displayBuffer, pane.unfilteredBuffer, bytes), 0);
    dialog.model.OnLeftButtonUp(centre);
    EXPECT_FALSE(dialog.model.Pending().filterPending);
    dialog.Paint();
    EXPECT_EQ(std::memcmp(pane.displayBuffer, pane.filteredBuffer, bytes), 0);
    EXPECT_EQ(dialog.port.enginePasses.size(), passes);
    EXPECT_EQ(dialog.port.requests.size(), requests);

    // With Before checked the release keeps showing the unfiltered copy.
    dialog.view.ClickRadio(kBeforeRadio);
    dialog.model.OnLeftButtonDown(centre);
    dialog.model.OnLeftButtonUp(centre);
    EXPECT_EQ(dialog.model.Mode(), PreviewBefore);
}

TEST(PreviewNavigatorMouse, HoverCursorsAndPressesOutsideTheNavigator) {
    PaintedDialog dialog;
    dialog.model.OnMouseMove(dialog.FrameCentre(), 0);
    EXPECT_EQ(dialog.view.shownCursor, CursorKind::OpenHand);
    dialog.model.OnMouseMove(dialog.NavigatorPoint(1, 150), 0);
    EXPECT_EQ(dialog.view.shownCursor, CursorKind::PointingHand);
    dialog.model.OnMouseMove(ViewPoint{5, 5}, 0);
    EXPECT_EQ(dialog.view.shownCursor, CursorKind::HostClassCursor);
    // The left button with a modifier key counts as hovering.
    dialog.model.OnMouseMove(dialog.FrameCentre(), kMouseLeftButton | 0x0004);
    EXPECT_EQ(dialog.view.shownCursor, CursorKind::OpenHand);

    const ZoomState before = dialog.model.Zoom();
    dialog.model.OnLeftButtonDown(ViewPoint{5, 5});
    EXPECT_FALSE(dialog.model.Drag().dragging);
    EXPECT_FALSE(dialog.view.captured);
    dialog.model.OnMouseMove(ViewPoint{50, 50}, kMouseLeftButton);
    dialog.model.OnLeftButtonUp(ViewPoint{50, 50});
    EXPECT_EQ(dialog.model.Zoom().viewLeft, before.viewLeft);
    EXPECT_EQ(dialog.model.OnSetCursor(), kMessageHandled);
}
