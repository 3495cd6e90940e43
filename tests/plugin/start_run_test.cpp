// Ways the start selector must end without filtering, through the entry point.
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/plugin_alloc.h"
#include "host/user_interface.h"
#include "host/user_interface_seams.h"
#include "resources/plugin_messages.h"
#include "tests/plugin/fake_host.h"

namespace {
class StartRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        Seams() = UserInterfaceSeams{};
        DescribeRgbDocument(host.filter, 512, 300);
        ASSERT_EQ(host.Call(filterSelectorParameters), noErr);
        ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
        host.events.clear();
    }
    void TearDown() override { Seams() = UserInterfaceSeams{}; }

    // A failed start leaves no handle, no engine block and no request behind.
    void ExpectCleanedUp() {
        EXPECT_EQ(host.liveHandles, 0);
        EXPECT_EQ(host.dataSlot, 0);
        EXPECT_EQ(host.filter.parameters, nullptr);
        EXPECT_EQ(LiveBlockCount(), 0u);
        EXPECT_EQ(host.filter.inRect.bottom, 0);
        EXPECT_EQ(host.filter.outRect.bottom, 0);
    }
    FakeHost host;
};

TEST_F(StartRunTest, SixteenBitDocumentIsRefusedWithAMessage) {
    host.filter.depth = 16;
    EXPECT_EQ(host.Call(filterSelectorStart), userCanceledErr);
    EXPECT_EQ(Seams().lastCaption, kPluginErrorCaption);
    EXPECT_EQ(Seams().lastMessage, "This plug-in only works on 8-bit images");
    EXPECT_EQ(host.Count("advance"), 0);
    EXPECT_EQ(host.Count("watch 1"), 0);
    ExpectCleanedUp();
}

TEST_F(StartRunTest, DialogThatIsNotAcceptedFiltersNothingAndEndsTheWatchSuspension) {
    for (int answer : {0 /* the dialog cannot be created */, kDialogCancelled, -5}) {
        SCOPED_TRACE(answer);
        Seams().dialogAnswer = answer;
        host.Call(filterSelectorPrepare);
        host.events.clear();
        EXPECT_EQ(host.Call(filterSelectorStart), userCanceledErr);
        EXPECT_EQ(host.Count("advance"), 0);
        EXPECT_EQ(host.Count("watch 1"), 1);
        EXPECT_EQ(host.Count("watch 0"), 1);
        ExpectCleanedUp();
    }
}

TEST_F(StartRunTest, ExceptionFromAHostRoutineStaysInsideTheEntryPoint) {
    Seams().dialogAnswer = kDialogAccepted;
    host.filter.advanceState = []() -> OSErr { throw std::runtime_error("host fault"); };
    EXPECT_EQ(host.Call(filterSelectorStart), filterBadParameters);
    ExpectCleanedUp();
}

TEST_F(StartRunTest, HostWithoutHandleRoutinesIsInsufficient) {
    host.Call(filterSelectorFinish);
    host.filter.handleProcs = nullptr;
    EXPECT_EQ(host.Call(filterSelectorParameters), errPlugInHostInsufficient);
}
}  // namespace
