#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/engine_values.h"
#include "engine/noise_reducer.h"
#include "interface/plugin_constants.h"
#include "tests/ui/dialog_harness.h"
#include "ui/preview_computation.h"

namespace {
size_t BufferBytes(const PaneView& pane) { return size_t(pane.width) * pane.height * 3; }

bool SameBuffer(const uint8_t* a, const uint8_t* b, const PaneView& pane) {
    return std::memcmp(a, b, BufferBytes(pane)) == 0;
}

void* HeapAllocate(uint32_t count) { return ::operator new(count); }
void HeapRelease(void* block) { ::operator delete(block); }
}  // namespace

TEST(PreviewDialogPreview, StartFetchesTheNavigatorAndFiltersThePreview) {
    DialogHarness dialog;
    dialog.Start();
    ASSERT_EQ(dialog.port.requests.size(), 2u);
    const PaneRequest& navigator = dialog.port.requests[0].request;
    EXPECT_EQ(navigator.rate, 13 << 16);
    EXPECT_EQ(navigator.source.bottom, 153);
    EXPECT_EQ(navigator.source.right, 230);
    EXPECT_FALSE(navigator.wantMask);
    const PaneRequest& preview = dialog.port.requests[1].request;
    EXPECT_EQ(preview.rate, 1 << 16);
    EXPECT_EQ(preview.source.top, 874);
    EXPECT_EQ(preview.source.left, 1312);
    ASSERT_EQ(dialog.port.enginePasses.size(), 3u);
    for (int32_t i = 0; i < 3; ++i) {
        const PreviewEnginePass& pass = dialog.port.enginePasses[i];
        EXPECT_EQ(pass.plane, i);
        EXPECT_EQ(pass.startLevel, 1);
        EXPECT_EQ(pass.maxLevel, 5);
        EXPECT_EQ(pass.width, 384u);
        EXPECT_EQ(pass.height, 256u);
        EXPECT_FLOAT_EQ(pass.hiStrength, 1.4142135f);
        EXPECT_FLOAT_EQ(pass.clarity, 1.0f);
    }
    const PendingFlags& pending = dialog.model.Pending();
    EXPECT_FALSE(pending.fetchPending || pending.filterPending || pending.displayPending);
    // Only the pane buffers stay: the working plane and the engine's images are back.
    EXPECT_EQ(dialog.port.LiveBlocks(), 6u);
    const PaneView& pane = dialog.model.PreviewPane();
    EXPECT_TRUE(SameBuffer(pane.displayBuffer, pane.filteredBuffer, pane));
    EXPECT_EQ(pane.unfilteredBuffer[0], FakePort::Sample(1312, 874, 0));
}

TEST(PreviewDialogPreview, ValuesOfZeroStillRunTheEngine) {
    DialogHarness dialog;
    dialog.parameters = FilterParameters{0.0f, 0.0f, 0.0f};
    dialog.Start();
    ASSERT_EQ(dialog.port.enginePasses.size(), 3u);
    EXPECT_EQ(dialog.port.enginePasses[0].hiStrength, 0.0f);
    EXPECT_EQ(dialog.port.enginePasses[0].loStrength, 0.0f);
    EXPECT_FLOAT_EQ(dialog.port.enginePasses[0].clarity, 1.2f);
}

TEST(PreviewDialogPreview, PaintDrawsBothPanesAndTheFrame) {
    DialogHarness dialog;
    dialog.Start();
    EXPECT_EQ(dialog.Paint(), kMessageHandled);
    ASSERT_EQ(dialog.port.displays.size(), 2u);
    const RecordedDisplay& preview = dialog.port.displays[0];
    EXPECT_EQ(preview.map.version, 1);
    EXPECT_EQ(preview.map.imageMode, 3);
    EXPECT_EQ(preview.map.rowBytes, 375 * 3);
    EXPECT_EQ(preview.map.colBytes, 3);
    EXPECT_EQ(preview.map.planeBytes, 1);
    EXPECT_EQ(preview.map.bounds.bottom, 250);
    EXPECT_EQ(preview.map.bounds.right, 375);
    EXPECT_EQ(preview.map.maskPhaseRow, 1);
    EXPECT_FALSE(preview.hasMask);
    EXPECT_EQ(preview.row, 139);
    EXPECT_EQ(preview.column, 37);
    EXPECT_EQ(dialog.port.displays[1].row, 83);
    EXPECT_EQ(dialog.port.displays[1].column, 505);

    ASSERT_EQ(dialog.view.frames.size(), 3u);
    EXPECT_FALSE(dialog.view.frames[0].red);
    EXPECT_EQ(dialog.view.frames[0].area.left, 35);
    EXPECT_EQ(dialog.view.frames[0].area.bottom, 391);
    EXPECT_TRUE(dialog.view.frames[2].red);
    // The region 874..1124 x 1312..1687 at the navigator's rate 13.
    const Rect& frame = dialog.model.NavigatorFrame();
    EXPECT_EQ(frame.top, 83 + 874 / 13);
    EXPECT_EQ(frame.left, 505 + 1312 / 13);
    EXPECT_EQ(frame.bottom, 83 + 874 / 13 + (1124 / 13 - 874 / 13));
    EXPECT_EQ(frame.right, 505 + 1312 / 13 + (1687 / 13 - 1312 / 13));

    EXPECT_EQ(dialog.Paint(), kMessageNotHandled);  // nothing to update
    dialog.view.redFrameAvailable = false;
    dialog.view.updateRegion = true;
    EXPECT_EQ(dialog.Paint(), kMessageHandled);
    EXPECT_EQ(dialog.view.frames.size(), 5u);
}

TEST(PreviewDialogPreview, BeforeAndAfterNeverRunTheEngineNorAskTheHost) {
    DialogHarness dialog;
    dialog.Start();
    const size_t requests = dialog.port.requests.size();
    const size_t passes = dialog.port.enginePasses.size();
    const PaneView& pane = dialog.model.PreviewPane();
    for (int32_t i = 0; i < 4; ++i) {
        dialog.view.ClickRadio(kBeforeRadio);
        EXPECT_EQ(dialog.model.Mode(), PreviewBefore);
        dialog.Paint();
        EXPECT_TRUE(SameBuffer(pane.displayBuffer, pane.unfilteredBuffer, pane));
        dialog.view.ClickRadio(kAfterRadio);
        EXPECT_EQ(dialog.model.Mode(), PreviewAfter);
        dialog.Paint();
        EXPECT_TRUE(SameBuffer(pane.displayBuffer, pane.filteredBuffer, pane));
    }
    EXPECT_FALSE(SameBuffer(pane.filteredBuffer, pane.unfilteredBuffer, pane));
    EXPECT_EQ(dialog.port.requests.size(), requests);
    EXPECT_EQ(dialog.port.enginePasses.size(), passes);
}

TEST(PreviewDialogPreview, StartLevelsFollowTheZoom) {
    DialogHarness dialog;
    dialog.Start();
    const int32_t expected[] = {2, 3, 3};
    for (int32_t step = 0; step < 3; ++step) {
        dialog.Click(kZoomOutButton);
        dialog.Paint();
        EXPECT_EQ(dialog.port.enginePasses.back().startLevel, expected[step]);
        EXPECT_EQ(dialog.port.enginePasses.back().width, 384u);
    }
}

TEST(PreviewDialogPreview, ThePreviewIsTheEngineOnThePaddedRegion) {
    DialogHarness dialog;
    dialog.parameters = FilterParameters{70.0f, 30.0f, 20.0f};
    dialog.Start();
    dialog.Click(kZoomOutButton);
    dialog.Paint();
    const PaneView& pane = dialog.model.PreviewPane();
    const int32_t rate = WholeRate(pane.rate);
    ASSERT_EQ(rate, 2);

    std::vector<uint8_t> plane(384 * 256);
    const EngineValues values = ConvertEngineValues(dialog.parameters);
    NoiseReducer reducer(&HeapAllocate, &HeapRelease);
    for (int32_t p = 0; p < 3; ++p) {
        for (int32_t y = 0; y < 256; ++y) {
            for (int32_t x = 0; x < 384; ++x) {
                const int32_t sx = pane.source.left + std::min<int32_t>(x, pane.width - 1);
                const int32_t sy = pane.source.top + std::min<int32_t>(y, pane.height - 1);
                plane[size_t(y) * 384 + x] = FakePort::Sample(sx * rate, sy * rate, p);
            }
        }
        ASSERT_FALSE(reducer.ProcessPlane(plane.data(), plane.data(), 384, 256, values.hiStrength,
                                          values.loStrength, values.clarity, 2, 5));
        reducer.ReleaseWorkImages();
        for (int32_t y = 0; y < pane.height; ++y) {
            for (int32_t x = 0; x < pane.width; ++x) {
                ASSERT_EQ(pane.filteredBuffer[(size_t(y) * pane.width + x) * 3 + p],
                          plane[size_t(y) * 384 + x])
                    << x << "," << y << " plane " << p;
            }
        }
    }
}

TEST(PreviewDialogPreview, WithAMaskBothPanesChainIt) {
    DialogHarness dialog;
    dialog.port.haveMask = true;
    dialog.Start();
    EXPECT_TRUE(dialog.port.requests[0].request.wantMask);
    EXPECT_TRUE(dialog.port.requests[1].request.wantMask);
    dialog.Paint();
    ASSERT_EQ(dialog.port.displays.size(), 2u);
    const PaneView* panes[] = {&dialog.model.PreviewPane(), &dialog.model.NavigatorPane()};
    for (int32_t i = 0; i < 2; ++i) {
        const RecordedDisplay& display = dialog.port.displays[i];
        const PaneView& pane = *panes[i];
        ASSERT_TRUE(display.hasMask);
        EXPECT_EQ(display.mask.next, nullptr);
        EXPECT_EQ(display.mask.maskData, pane.maskBuffer);
        EXPECT_EQ(display.mask.rowBytes, pane.width);
        EXPECT_EQ(display.mask.colBytes, 1);
        EXPECT_EQ(display.mask.maskDescription, kSimplePSMask);
        const int32_t rate = WholeRate(pane.rate);
        for (int32_t y = 0; y < pane.height; y += 7) {
            for (int32_t x = 0; x < pane.width; x += 5) {
                ASSERT_EQ(pane.maskBuffer[size_t(y) * pane.width + x],
                          FakePort::MaskSample((pane.source.left + x) * rate,
                                               (pane.source.top + y) * rate));
            }
        }
    }
}

TEST(PreviewDialogPreview, AnEngineWithoutMemoryKeepsThePreviousPreview) {
    DialogHarness dialog;
    dialog.Start();
    const PaneView& pane = dialog.model.PreviewPane();
    const std::vector<uint8_t> before(pane.displayBuffer, pane.displayBuffer + BufferBytes(pane));
    dialog.model.OnSliderScroll(kHighlightSlider, kTrackBottom, 0);
    dialog.FireTimer();
    // The working plane is granted, the engine's first working image is not.
    dialog.port.failAllocateAt = dialog.port.allocateCalls + 1;
    EXPECT_EQ(dialog.Paint(), kMessageHandled);
    EXPECT_EQ(dialog.port.result, userCanceledErr);
    EXPECT_EQ(dialog.port.LiveBlocks(), 6u);
    EXPECT_EQ(std::memcmp(before.data(), pane.displayBuffer, before.size()), 0);
    EXPECT_TRUE(dialog.model.Pending().filterPending);
    EXPECT_TRUE(dialog.model.Pending().displayPending);

    // Without a working plane nothing changes either, and the next paint tries again.
    dialog.port.failAllocateAt = dialog.port.allocateCalls;
    dialog.view.updateRegion = true;
    EXPECT_EQ(dialog.Paint(), kMessageHandled);
    EXPECT_TRUE(dialog.model.Pending().filterPending);
    EXPECT_EQ(dialog.port.LiveBlocks(), 6u);
    dialog.view.updateRegion = true;
    dialog.Paint();
    EXPECT_FALSE(dialog.model.Pending().filterPending);
    EXPECT_NE(std::memcmp(before.data(), pane.displayBuffer, before.size()), 0);
}

TEST(PreviewDialogPreview, AHostErrorWhilePaintingWaitsForTheNextAction) {
    DialogHarness dialog;
    dialog.Start();
    dialog.Click(kZoomOutButton);
    dialog.port.failRequestAt = dialog.port.requestCalls;
    EXPECT_EQ(dialog.Paint(), -108);
    EXPECT_EQ(dialog.port.result, memFullErr);
    EXPECT_EQ(dialog.view.paints, 0);
    EXPECT_FALSE(dialog.view.HasUpdateRegion());
    EXPECT_TRUE(dialog.model.Pending().displayPending);
    EXPECT_EQ(dialog.Paint(), kMessageNotHandled);  // no busy loop
    dialog.FireTimer();
    EXPECT_EQ(dialog.Paint(), kMessageHandled);
    EXPECT_FALSE(dialog.model.Pending().fetchPending);
}

TEST(PreviewDialogPreview, ReopeningStartsWithEveryFlagSet) {
    FakeView view;
    FakePort port(Rect{0, 0, 2000, 3000}, 3000, 2000);
    FilterParameters parameters{50.0f, 50.0f, 50.0f};
    for (int32_t round = 0; round < 2; ++round) {
        DialogModel model(view, port, &parameters, 3);
        view.Attach(&model);
        const size_t passes = port.enginePasses.size();
        const size_t requests = port.requests.size();
        model.OnInitDialog();
        EXPECT_EQ(port.requests.size(), requests + 2);
        EXPECT_EQ(port.enginePasses.size(), passes + 3);
        model.OnCommand(kOkButton, kButtonClicked);
        view.Attach(nullptr);
    }
    EXPECT_EQ(port.LiveBlocks(), 0u);
}
