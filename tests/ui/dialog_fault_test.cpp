#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/ui/dialog_harness.h"

namespace {
// A session that touches every host call: start, a typed value and its refresh, zoom,
// a drag, Before/After, a mask, and OK.
void RunSession(DialogHarness& dialog) {
    const std::vector<std::function<void()>> steps = {
        [&] { dialog.Start(); },
        [&] { dialog.view.Type(kHighlightEdit, "75"); },
        [&] { dialog.FireTimer(); },
        [&] { dialog.Paint(); },
        [&] { dialog.Click(kZoomOutButton); },
        [&] { dialog.Paint(); },
        [&] { dialog.FireTimer(); },
        [&] { dialog.Paint(); },
        [&] { dialog.model.OnLeftButtonDown(dialog.FrameCentre()); },
        [&] { dialog.model.OnMouseMove(dialog.NavigatorPoint(60, 40), kMouseLeftButton); },
        [&] { dialog.Paint(); },
        [&] { dialog.model.OnLeftButtonUp(dialog.NavigatorPoint(60, 40)); },
        [&] { dialog.Paint(); },
        [&] { dialog.view.ClickRadio(kBeforeRadio); },
        [&] { dialog.Paint(); },
        [&] { dialog.Click(kOkButton); },
    };
    for (const auto& step : steps) {
        if (dialog.view.ended) return;
        step();
    }
}

struct CallKind {
    const char* name;
    int32_t FakePort::*failAt;
    int32_t FakePort::*calls;
};
}  // namespace

// Each host call failing at each index: no block is left behind, and the dialog either
// keeps working to OK or ends cleanly at start.
TEST(PreviewDialogFaults, EveryCallFailingAtEveryIndex) {
    DialogHarness reference(Rect{0, 0, 700, 900});
    reference.port.haveMask = true;
    RunSession(reference);
    ASSERT_EQ(reference.view.endResult, kDialogAccepted);

    const CallKind kinds[] = {
        {"request", &FakePort::failRequestAt, &FakePort::requestCalls},
        {"display", &FakePort::failDisplayAt, &FakePort::displayCalls},
        {"allocate", &FakePort::failAllocateAt, &FakePort::allocateCalls},
    };
    for (const CallKind& kind : kinds) {
        const int32_t count = reference.port.*kind.calls;
        ASSERT_GT(count, 0) << kind.name;
        for (int32_t index = 0; index < count; ++index) {
            DialogHarness dialog(Rect{0, 0, 700, 900});
            dialog.port.haveMask = true;
            dialog.port.*kind.failAt = index;
            RunSession(dialog);
            ASSERT_TRUE(dialog.view.ended) << kind.name << " " << index;
            const int32_t result = dialog.view.endResult;
            EXPECT_TRUE(result == kDialogAccepted || result == kDialogNoPaneBuffers)
                << kind.name << " " << index;
            EXPECT_EQ(dialog.port.LiveBlocks(), 0u) << kind.name << " " << index;
            EXPECT_EQ(dialog.port.requestsOutside, 0);
        }
    }
}
