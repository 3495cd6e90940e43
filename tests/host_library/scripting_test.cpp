// Recorded actions and last-used values through the real entry point: what
// the plug-in records and registers at finish, and how a replayed descriptor
// and the registry settle the values the engine receives.
#include <string>

#include "tests/host_library/plugin_fixture.h"

namespace {

constexpr char kRegistryKey[] = "{8234f55b-feb4-4eaf-881c-442dcbfd551e}";
constexpr DescriptorKeyID kHigh = FourCC("Amnt");
constexpr DescriptorKeyID kLow = FourCC("Brgh");
constexpr DescriptorKeyID kClarity = FourCC("Fltn");
constexpr DescriptorKeyID kForeign = FourCC("Xtra");

class ScriptingTest : public PluginTest {
protected:
    ScriptingTest() : document_(original_), host_(Module(), document_) {}

    InvocationReport Replay(const Descriptor& descriptor, int16_t playInfo) {
        InvocationOptions options;
        options.replay = descriptor;
        options.playInfo = playInfo;
        return host_.Invoke(options);
    }

    void Remember(const Amounts& amounts) {
        host_.scripting().Register(
            kRegistryKey,
            Descriptor{{kHigh, amounts.high}, {kLow, amounts.low}, {kClarity, amounts.clarity}},
            true);
    }

    // Runs the engine on the original document; compare after an invocation.
    void ExpectFilteredWith(const Amounts& amounts) {
        EXPECT_EQ(DifferingSamples(document_, EngineResult(original_, amounts)), 0u)
            << amounts.high << " " << amounts.low << " " << amounts.clarity;
    }

    void ExpectNothingLeft() { EXPECT_TRUE(host_.Leaks().None()) << host_.Leaks().Describe(); }

    const Document original_ = MakePhoto(ColourMode::kRgb, 300, 280, 9);
    Document document_;
    FilterHost host_;
};

TEST_F(ScriptingTest, FinishRecordsTheValuesAndRegistersThemAsLastUsed) {
    Seams().setDialogValues(70.0f, 50.0f, 50.0f);
    const InvocationReport report = host_.Invoke();
    ASSERT_EQ(report.result, noErr);
    ExpectFilteredWith({70.0f, 50.0f, 50.0f});

    ASSERT_TRUE(report.recorded.has_value());
    const std::vector<DescriptorItem>& items = report.recorded->items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].key, kHigh);
    EXPECT_EQ(items[1].key, kLow);
    EXPECT_EQ(items[2].key, kClarity);
    for (const DescriptorItem& item : items) EXPECT_EQ(item.type, typeFloat);
    EXPECT_EQ(items[0].value, 70.0);
    EXPECT_EQ(items[1].value, 50.0);
    EXPECT_EQ(items[2].value, 50.0);
    EXPECT_EQ(report.recordInfo, plugInDialogOptional);

    const ScriptingStore::RegistryEntry* entry = host_.scripting().Lookup(kRegistryKey);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->descriptor.GetFloat(kHigh), 70.0);
    EXPECT_EQ(entry->descriptor.GetFloat(kLow), 50.0);
    EXPECT_EQ(entry->descriptor.GetFloat(kClarity), 50.0);
    EXPECT_TRUE(entry->persistent);
    ExpectNothingLeft();
}

TEST_F(ScriptingTest, ReplayWithoutDialogFiltersWithTheRecordedValues) {
    for (const int16_t playInfo : {plugInDialogDontDisplay, plugInDialogSilent}) {
        document_ = original_;
        Seams().reset();
        Seams().setDialogAnswer(kDialogOk);
        const InvocationReport report =
            Replay({{kHigh, 20.0}, {kLow, 30.0}, {kClarity, 70.0}}, playInfo);
        ASSERT_EQ(report.result, noErr) << playInfo;
        EXPECT_EQ(Seams().dialogCount(), 0) << playInfo;
        ExpectFilteredWith({20.0f, 30.0f, 70.0f});
        ExpectNothingLeft();
    }
}

TEST_F(ScriptingTest, ReplayAskingForTheDialogShowsItWithTheRecordedValues) {
    const InvocationReport report =
        Replay({{kHigh, 20.0}, {kLow, 30.0}, {kClarity, 70.0}}, plugInDialogDisplay);
    ASSERT_EQ(report.result, noErr);
    EXPECT_EQ(Seams().dialogCount(), 1);
    ExpectFilteredWith({20.0f, 30.0f, 70.0f});
}

TEST_F(ScriptingTest, ReadDescriptorIsDisposedAndReplacedByTheRecordedOne) {
    InvocationOptions options;
    options.replay = Descriptor{{kHigh, 20.0}, {kLow, 30.0}, {kClarity, 70.0}};
    options.playInfo = plugInDialogDontDisplay;
    host_.BeginInvocation(options);
    const Handle replayed = host_.descriptorParameters().descriptor;
    ASSERT_EQ(host_.CallSelector(filterSelectorPrepare), noErr);
    ASSERT_EQ(host_.CallSelector(filterSelectorStart), noErr);
    EXPECT_EQ(host_.descriptorParameters().descriptor, nullptr);
    EXPECT_TRUE(host_.handles().WasDisposed(replayed));
    ASSERT_EQ(host_.CallSelector(filterSelectorFinish), noErr);
    EXPECT_NE(host_.descriptorParameters().descriptor, nullptr);
    const std::optional<Descriptor> recorded = host_.EndInvocation(true, true);
    ASSERT_TRUE(recorded.has_value());
    EXPECT_EQ(recorded->GetFloat(kClarity), 70.0);
    ExpectNothingLeft();
}

TEST_F(ScriptingTest, UnrecognisedFirstKeyLeavesTheLastUsedValues) {
    Remember({40.0f, 60.0f, 30.0f});
    const InvocationReport report = Replay(
        {{kForeign, 10.0}, {kHigh, 20.0}, {kLow, 30.0}, {kClarity, 70.0}}, plugInDialogDontDisplay);
    ASSERT_EQ(report.result, noErr);
    EXPECT_EQ(Seams().dialogCount(), 0);  // the decision still follows the play mode
    ExpectFilteredWith({40.0f, 60.0f, 30.0f});
    ExpectNothingLeft();
}

TEST_F(ScriptingTest, KeysAfterAnUnrecognisedOneAreIgnored) {
    const InvocationReport report = Replay(
        {{kHigh, 20.0}, {kForeign, 5.0}, {kLow, 30.0}, {kClarity, 70.0}}, plugInDialogDontDisplay);
    ASSERT_EQ(report.result, noErr);
    ExpectFilteredWith({20.0f, 50.0f, 50.0f});
}

TEST_F(ScriptingTest, FractionalValueIsRegisteredWholeAndRecordedAsItsSingle) {
    const InvocationReport report =
        Replay({{kHigh, 37.8}, {kLow, 50.0}, {kClarity, 50.0}}, plugInDialogDontDisplay);
    ASSERT_EQ(report.result, noErr);
    ExpectFilteredWith({37.8f, 50.0f, 50.0f});
    ASSERT_TRUE(report.recorded.has_value());
    EXPECT_EQ(report.recorded->GetFloat(kHigh), static_cast<double>(37.8f));
    const ScriptingStore::RegistryEntry* entry = host_.scripting().Lookup(kRegistryKey);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->descriptor.GetFloat(kHigh), 37.0);
}

TEST_F(ScriptingTest, ValuesOutsideTheRangeAreClampedBeforeConversion) {
    const InvocationReport report =
        Replay({{kHigh, -20.0}, {kLow, 150.0}, {kClarity, 1e300}}, plugInDialogDontDisplay);
    ASSERT_EQ(report.result, noErr);
    ExpectFilteredWith({0.0f, 100.0f, 100.0f});
    ASSERT_TRUE(report.recorded.has_value());
    EXPECT_EQ(report.recorded->GetFloat(kHigh), 0.0);
    EXPECT_EQ(report.recorded->GetFloat(kLow), 100.0);
}

TEST_F(ScriptingTest, LastUsedValuesCarryOverToTheNextInvocation) {
    Seams().setDialogValues(70.0f, 40.0f, 20.0f);
    ASSERT_EQ(host_.Invoke().result, noErr);
    // The next dialog leaves the values as it finds them.
    Seams().reset();
    Seams().setDialogAnswer(kDialogOk);
    document_ = original_;
    ASSERT_EQ(host_.Invoke().result, noErr);
    ExpectFilteredWith({70.0f, 40.0f, 20.0f});
}

TEST_F(ScriptingTest, HostWithoutDescriptorParametersStillKeepsLastUsedValues) {
    HostOptions options;
    options.offerDescriptorParameters = false;
    Document document = original_;
    FilterHost host(Module(), document, options);
    host.scripting().Register(kRegistryKey,
                              Descriptor{{kHigh, 90.0}, {kLow, 90.0}, {kClarity, 90.0}}, true);
    const InvocationReport report = host.Invoke();
    ASSERT_EQ(report.result, noErr);
    // Without descriptor parameters the registry is not read, only written.
    EXPECT_EQ(DifferingSamples(document, EngineResult(original_, {})), 0u);
    EXPECT_FALSE(report.recorded.has_value());
    EXPECT_EQ(host.scripting().Lookup(kRegistryKey)->descriptor.GetFloat(kHigh), 50.0);
}

}  // namespace
