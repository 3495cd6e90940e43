#include <gtest/gtest.h>

#include "tests/ui/dialog_harness.h"

namespace {
struct Pair {
    int32_t slider;
    int32_t edit;
};
constexpr Pair kPairs[] = {{kHighlightSlider, kHighlightEdit},
                           {kShadowSlider, kShadowEdit},
                           {kClaritySlider, kClarityEdit}};
}  // namespace

TEST(PreviewDialogValues, StartSetsUpTheControls) {
    DialogHarness dialog;
    dialog.parameters = FilterParameters{33.7f, -3.0f, 250.0f};
    EXPECT_EQ(dialog.Start(), kMessageNotHandled);
    EXPECT_FALSE(dialog.view.ended);
    EXPECT_EQ(dialog.view.caption, "LUMISTRA  v1.1.4");
    EXPECT_EQ(dialog.view.texts[kSubtitleText], "Automatically Reduces Image Noise");
    EXPECT_EQ(dialog.view.texts[kHighlightEdit], "33");
    EXPECT_EQ(dialog.view.texts[kShadowEdit], "0");
    EXPECT_EQ(dialog.view.texts[kClarityEdit], "100");
    EXPECT_EQ(dialog.parameters.noiseHighAmount, 33.0f);
    EXPECT_EQ(dialog.parameters.noiseLowAmount, 0.0f);
    EXPECT_EQ(dialog.parameters.clarityAmount, 100.0f);
    for (const Pair& pair : kPairs) EXPECT_EQ(dialog.view.sliderRangeMax[pair.slider], 100);
    EXPECT_EQ(dialog.view.sliderPositions[kHighlightSlider], 33);
    EXPECT_TRUE(dialog.view.checked[kAfterRadio]);
    EXPECT_EQ(dialog.model.Mode(), PreviewAfter);
    ASSERT_GE(dialog.view.focusHistory.size(), 3u);
    EXPECT_EQ(dialog.view.focusHistory.back(), kClaritySlider);
    EXPECT_TRUE(dialog.view.timerRunning);
    // The busy cursor is shown while the first preview is computed, then put back.
    EXPECT_EQ(dialog.view.cursorHistory.front(), CursorKind::AppStarting);
    EXPECT_EQ(dialog.view.shownCursor, CursorKind::HostClassCursor);
}

TEST(PreviewDialogValues, TypedValuesAreHeldToTheRange) {
    DialogHarness dialog;
    dialog.Start();
    dialog.view.Type(kShadowEdit, "150");
    EXPECT_EQ(dialog.view.texts[kShadowEdit], "100");
    EXPECT_EQ(dialog.view.sliderPositions[kShadowSlider], 100);
    EXPECT_EQ(dialog.parameters.noiseLowAmount, 100.0f);

    dialog.view.Type(kShadowEdit, "");
    EXPECT_EQ(dialog.view.texts[kShadowEdit], "");
    EXPECT_EQ(dialog.view.sliderPositions[kShadowSlider], 0);
    EXPECT_EQ(dialog.parameters.noiseLowAmount, 0.0f);

    // Read unsigned, a huge number is negative as a signed value.
    dialog.view.Type(kClarityEdit, "4294967295");
    EXPECT_EQ(dialog.view.texts[kClarityEdit], "0");
    EXPECT_EQ(dialog.parameters.clarityAmount, 0.0f);

    dialog.view.Type(kHighlightEdit, "42");
    EXPECT_EQ(dialog.parameters.noiseHighAmount, 42.0f);
    EXPECT_EQ(dialog.view.sliderPositions[kHighlightSlider], 42);
}

TEST(PreviewDialogValues, SliderStepsStoreTheLimitedValue) {
    DialogHarness dialog;
    dialog.Start();
    dialog.model.OnSliderScroll(kHighlightSlider, kTrackTop, 0);
    EXPECT_EQ(dialog.view.texts[kHighlightEdit], "0");
    EXPECT_EQ(dialog.parameters.noiseHighAmount, 0.0f);
    dialog.model.OnSliderScroll(kHighlightSlider, kTrackLineUp, 0);
    EXPECT_EQ(dialog.view.texts[kHighlightEdit], "0");
    EXPECT_EQ(dialog.parameters.noiseHighAmount, 0.0f);
    dialog.model.OnSliderScroll(kHighlightSlider, kTrackBottom, 0);
    EXPECT_EQ(dialog.view.texts[kHighlightEdit], "100");
    dialog.model.OnSliderScroll(kHighlightSlider, kTrackPageDown, 0);
    EXPECT_EQ(dialog.view.texts[kHighlightEdit], "100");
    EXPECT_EQ(dialog.parameters.noiseHighAmount, 100.0f);
    EXPECT_EQ(dialog.model.OnSliderScroll(kHighlightSlider, kTrackLineUp, 0), kMessageHandled);
    EXPECT_EQ(dialog.parameters.noiseHighAmount, 99.0f);
    EXPECT_EQ(dialog.view.sliderPositions[kHighlightSlider], 99);
}

TEST(PreviewDialogValues, DefaultAndDraggingRefilterOnceAfterTheTimer) {
    DialogHarness dialog;
    dialog.parameters = FilterParameters{10.0f, 20.0f, 90.0f};
    dialog.Start();
    dialog.FireTimer();
    dialog.Paint();
    const size_t passes = dialog.port.enginePasses.size();

    EXPECT_EQ(dialog.Click(kDefaultButton), kMessageHandled);
    for (const Pair& pair : kPairs) {
        EXPECT_EQ(dialog.view.texts[pair.edit], "50");
        EXPECT_EQ(dialog.view.sliderPositions[pair.slider], 50);
    }
    EXPECT_EQ(dialog.parameters.noiseHighAmount, 50.0f);
    EXPECT_EQ(dialog.parameters.noiseLowAmount, 50.0f);
    EXPECT_EQ(dialog.parameters.clarityAmount, 50.0f);
    EXPECT_TRUE(dialog.view.timerRunning);
    EXPECT_EQ(dialog.port.enginePasses.size(), passes);
    EXPECT_EQ(dialog.FireTimer(), kMessageNotHandled);
    EXPECT_FALSE(dialog.view.timerRunning);
    dialog.Paint();
    EXPECT_EQ(dialog.port.enginePasses.size(), passes + 3);

    for (int32_t position = 0; position <= 100; position += 3) {
        dialog.model.OnSliderScroll(kClaritySlider, kTrackThumbTrack, position);
        dialog.Paint();
    }
    dialog.model.OnSliderScroll(kClaritySlider, kTrackThumbPosition, 80);
    dialog.model.OnSliderScroll(kClaritySlider, kTrackEndTrack, 0);
    EXPECT_EQ(dialog.parameters.clarityAmount, 80.0f);
    EXPECT_EQ(dialog.port.enginePasses.size(), passes + 3);
    dialog.FireTimer();
    dialog.Paint();
    EXPECT_EQ(dialog.port.enginePasses.size(), passes + 6);
    EXPECT_FLOAT_EQ(dialog.port.enginePasses.back().clarity, 1.2f - 0.004f * 80.0f);
}

TEST(PreviewDialogValues, OkCancelAndHelpResults) {
    DialogHarness accepted;
    accepted.Start();
    EXPECT_EQ(accepted.Click(kOkButton), kMessageHandled);
    EXPECT_EQ(accepted.view.endResult, kDialogAccepted);
    EXPECT_EQ(accepted.port.LiveBlocks(), 0u);
    // A paint that still arrives finds nothing to draw.
    accepted.view.updateRegion = true;
    EXPECT_EQ(accepted.Paint(), kMessageNotHandled);
    EXPECT_EQ(accepted.view.paints, 0);
    EXPECT_FALSE(accepted.view.HasUpdateRegion());

    DialogHarness cancelled;
    cancelled.Start();
    EXPECT_EQ(cancelled.model.OnCommand(kCancelButton, 1), kMessageHandled);
    EXPECT_FALSE(cancelled.view.ended);
    cancelled.Click(kCancelButton);
    EXPECT_EQ(cancelled.view.endResult, kDialogCancelled);
    EXPECT_EQ(cancelled.port.LiveBlocks(), 0u);

    DialogHarness help;
    help.Start();
    EXPECT_EQ(help.Click(kHelpButton), kMessageNotHandled);
    help.view.helpSucceeds = true;
    EXPECT_EQ(help.Click(kHelpButton), kMessageHandled);
    EXPECT_EQ(help.view.helpCalls, 2);
    EXPECT_EQ(help.Click(1057), kMessageHandled);
}

TEST(PreviewDialogValues, ASmallScreenEndsTheDialogBeforeAnyAllocation) {
    DialogHarness dialog;
    dialog.view.screen = ViewSize{700, 480};
    EXPECT_EQ(dialog.Start(), kMessageNotHandled);
    EXPECT_EQ(dialog.view.endResult, kDialogScreenTooSmall);
    ASSERT_EQ(dialog.view.messages.size(), 1u);
    EXPECT_EQ(dialog.view.messages[0],
              "LUMISTRA Plug-In - ERROR|Display resolution should have small fonts set");
    EXPECT_EQ(dialog.port.allocateCalls, 0);
}

TEST(PreviewDialogValues, AMissingPaneBufferReturnsTheOthers) {
    for (int32_t failing = 0; failing < 6; ++failing) {
        DialogHarness dialog;
        dialog.port.failAllocateAt = failing;
        dialog.Start();
        EXPECT_EQ(dialog.view.endResult, kDialogNoPaneBuffers);
        EXPECT_EQ(dialog.port.LiveBlocks(), 0u);
        EXPECT_TRUE(dialog.port.requests.empty());
    }
}
