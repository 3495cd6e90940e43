// The selector sequences a host may call, one selector at a time: which
// handles exist between calls, what each selector leaves in the record, and
// the clean-up after a failed call.
#include <array>

#include "tests/host_library/handle_contents.h"
#include "tests/host_library/plugin_fixture.h"

namespace {

using Values = std::array<float, 3>;
constexpr Values kDefaults = {50.0f, 50.0f, 50.0f};
constexpr Rect kSomeRect = {1, 2, 30, 40};

class SelectorSequenceTest : public PluginTest {
protected:
    SelectorSequenceTest()
        : document_(MakePhoto(ColourMode::kRgb, 300, 280)), host_(Module(), document_) {
        host_.BeginInvocation();
    }

    Handle ParametersHandle() { return host_.record().parameters; }
    Handle DataHandle() { return reinterpret_cast<Handle>(host_.dataSlot()); }
    Values StoredValues() { return ParameterValues(host_.handles(), ParametersHandle()); }
    void StoreValues(const Values& values) {
        WriteParameterValues(host_.handles(), ParametersHandle(), values);
    }
    void RequestSomething() {
        host_.record().inRect = kSomeRect;
        host_.record().outRect = kSomeRect;
        host_.record().maskRect = kSomeRect;
    }
    void ExpectCleanedUp() {
        EXPECT_EQ(ParametersHandle(), nullptr);
        EXPECT_EQ(host_.dataSlot(), 0);
        EXPECT_FALSE(host_.AnyRectRequested());
        EXPECT_TRUE(host_.Leaks().None()) << host_.Leaks().Describe();
    }

    Document document_;
    FilterHost host_;
};

TEST_F(SelectorSequenceTest, ParametersCreatesBothHandlesWithDefaultsAndLeavesThemUnlocked) {
    ASSERT_EQ(host_.CallSelector(filterSelectorParameters), noErr);
    ASSERT_NE(ParametersHandle(), nullptr);
    ASSERT_NE(host_.dataSlot(), 0);
    EXPECT_EQ(host_.handles().Size(ParametersHandle()), 12);
    EXPECT_EQ(host_.handles().Size(DataHandle()), 8);
    EXPECT_EQ(StoredValues(), kDefaults);
    const std::array<int16_t, 4> runData = RunDataValues(host_.handles(), DataHandle());
    EXPECT_EQ(runData[2], 0);  // inputWidth
    EXPECT_EQ(runData[3], 0);  // inputHeight
    EXPECT_EQ(host_.handles().LockedCount(), 0u);
}

TEST_F(SelectorSequenceTest, ParametersResetsStoredValuesToDefaults) {
    ASSERT_EQ(host_.CallSelector(filterSelectorParameters), noErr);
    const Handle first = ParametersHandle();
    StoreValues({10.0f, 20.0f, 30.0f});
    ASSERT_EQ(host_.CallSelector(filterSelectorParameters), noErr);
    EXPECT_EQ(ParametersHandle(), first);
    EXPECT_EQ(StoredValues(), kDefaults);
}

TEST_F(SelectorSequenceTest, PrepareKeepsValuesWhenBothHandlesExist) {
    ASSERT_EQ(host_.CallSelector(filterSelectorParameters), noErr);
    StoreValues({10.0f, 20.0f, 30.0f});
    host_.record().bufferSpace = 12345;
    const int32_t maxSpace = host_.record().maxSpace;
    ASSERT_EQ(host_.CallSelector(filterSelectorPrepare), noErr);
    EXPECT_EQ(StoredValues(), (Values{10.0f, 20.0f, 30.0f}));
    EXPECT_EQ(host_.record().bufferSpace, 0);
    EXPECT_EQ(host_.record().maxSpace, maxSpace);
    EXPECT_EQ(host_.handles().LockedCount(), 0u);
}

TEST_F(SelectorSequenceTest, PrepareWithOnlyTheParametersHandleAddsDataAndResetsValues) {
    host_.record().parameters = host_.handles().New(12);
    StoreValues({10.0f, 20.0f, 30.0f});
    ASSERT_EQ(host_.CallSelector(filterSelectorPrepare), noErr);
    EXPECT_NE(host_.dataSlot(), 0);
    EXPECT_EQ(StoredValues(), kDefaults);
}

TEST_F(SelectorSequenceTest, PrepareWithoutParametersCreatesHandlesWithDefaults) {
    ASSERT_EQ(host_.CallSelector(filterSelectorPrepare), noErr);
    ASSERT_NE(ParametersHandle(), nullptr);
    EXPECT_NE(host_.dataSlot(), 0);
    EXPECT_EQ(StoredValues(), kDefaults);
}

TEST_F(SelectorSequenceTest, UndefinedSelectorsFailAndCleanUp) {
    for (const int16_t selector : {int16_t{6}, int16_t{-1}}) {
        ASSERT_EQ(host_.CallSelector(filterSelectorParameters), noErr);
        RequestSomething();
        EXPECT_EQ(host_.CallSelector(selector), filterBadParameters) << "selector " << selector;
        ExpectCleanedUp();
    }
}

TEST_F(SelectorSequenceTest, ContinueEmptiesWhateverRectanglesWereRequested) {
    ASSERT_EQ(host_.CallSelector(filterSelectorParameters), noErr);
    RequestSomething();
    EXPECT_EQ(host_.CallSelector(filterSelectorContinue), noErr);
    EXPECT_FALSE(host_.AnyRectRequested());
    EXPECT_NE(ParametersHandle(), nullptr);
}

TEST_F(SelectorSequenceTest, FinishDisposesBothHandlesAndEmptiesTheDataSlot) {
    ASSERT_EQ(host_.CallSelector(filterSelectorParameters), noErr);
    ASSERT_EQ(host_.CallSelector(filterSelectorPrepare), noErr);
    ASSERT_EQ(host_.CallSelector(filterSelectorStart), noErr);
    const Handle parameters = ParametersHandle();
    const Handle data = DataHandle();
    EXPECT_EQ(host_.CallSelector(filterSelectorFinish), noErr);
    EXPECT_EQ(ParametersHandle(), nullptr);
    EXPECT_EQ(host_.dataSlot(), 0);
    EXPECT_TRUE(host_.handles().WasDisposed(parameters));
    EXPECT_TRUE(host_.handles().WasDisposed(data));
    host_.EndInvocation(true, true);
    EXPECT_TRUE(host_.Leaks().None()) << host_.Leaks().Describe();
}

TEST_F(SelectorSequenceTest, StartAndFinishWithoutHandlesAreRefused) {
    EXPECT_EQ(host_.CallSelector(filterSelectorStart), filterBadParameters);
    EXPECT_EQ(host_.faults().Calls(HostCallback::kAdvanceState), 0u);
    EXPECT_EQ(host_.CallSelector(filterSelectorFinish), filterBadParameters);
    ExpectCleanedUp();
}

TEST_F(SelectorSequenceTest, AboutNeedsNoHandles) {
    EXPECT_EQ(host_.CallSelector(filterSelectorAbout), noErr);
    EXPECT_EQ(host_.handles().LiveCount(), 0u);
}

TEST_F(SelectorSequenceTest, FailedHandleCreationReachesTheHostAsMemFull) {
    // The first request is the parameters handle, the second the data handle.
    for (const uint32_t failing : {1u, 2u}) {
        host_.faults().ClearFaults();
        host_.faults().ResetCounts();
        host_.faults().FailAt(HostCallback::kHandleNew, failing);
        EXPECT_EQ(host_.CallSelector(filterSelectorParameters), memFullErr) << "call " << failing;
        ExpectCleanedUp();
    }
}

TEST_F(SelectorSequenceTest, FailedLockReachesTheHostAsMemFull) {
    ASSERT_EQ(host_.CallSelector(filterSelectorParameters), noErr);
    ASSERT_EQ(host_.CallSelector(filterSelectorPrepare), noErr);
    host_.faults().ResetCounts();
    host_.faults().FailAt(HostCallback::kHandleLock, 2);  // the data handle
    EXPECT_EQ(host_.CallSelector(filterSelectorStart), memFullErr);
    EXPECT_EQ(host_.faults().Calls(HostCallback::kAdvanceState), 0u);
    ExpectCleanedUp();
}

// The whole run in order, as a host that skips the parameters selector for
// "repeat last filter" does it.
TEST_F(PluginTest, InvocationWithoutParametersSelectorFilters) {
    Document document = MakePhoto(ColourMode::kRgb, 300, 280);
    const Document expected = EngineResult(document, {});
    FilterHost host(Module(), document);
    InvocationOptions options;
    options.askParameters = false;
    const InvocationReport report = host.Invoke(options);
    ASSERT_EQ(report.result, noErr);
    ASSERT_EQ(report.calls.size(), 3u);
    EXPECT_EQ(report.calls[0].selector, filterSelectorPrepare);
    EXPECT_EQ(report.calls[1].selector, filterSelectorStart);
    EXPECT_EQ(report.calls[2].selector, filterSelectorFinish);
    EXPECT_EQ(report.continueCalls, 0);
    EXPECT_TRUE(document == expected);
}

}  // namespace
