// The typical run: a 3000 by 2000 photograph, the user raises Highlight to 70
// and accepts; the engine gets the strengths 1.6733 and 1.4142 and clarity
// 1.0, progress runs to 14 of 14, and finish records and registers the values.
#include <cmath>

#include "tests/host_library/plugin_fixture.h"

namespace {

TEST_F(PluginTest, TypicalRunOnAPhotograph) {
    const Amounts amounts{70.0f, 50.0f, 50.0f};
    const EngineParameters parameters = ConvertAmounts(amounts);
    EXPECT_NEAR(parameters.hiStrength, 1.6733f, 5e-5f);
    EXPECT_NEAR(parameters.loStrength, 1.4142f, 5e-5f);
    EXPECT_EQ(parameters.clarity, 1.0f);

    Document document = MakePhoto(ColourMode::kRgb, 3000, 2000);
    const Document expected = EngineResult(document, amounts);
    FilterHost host(Module(), document);
    Seams().setDialogValues(amounts.high, amounts.low, amounts.clarity);
    const InvocationReport report = host.Invoke();

    ASSERT_EQ(report.result, noErr);
    EXPECT_EQ(report.continueCalls, 0);  // the start selector left nothing to do
    EXPECT_EQ(DifferingSamples(document, expected), 0u);
    ASSERT_EQ(host.observations().progress().size(), 16u);
    EXPECT_EQ(host.observations().progress().front(), (std::pair<int32_t, int32_t>{0, 14}));
    EXPECT_EQ(host.observations().progress().back(), (std::pair<int32_t, int32_t>{14, 14}));

    ASSERT_TRUE(report.recorded.has_value());
    EXPECT_EQ(report.recorded->GetFloat(FourCC("Amnt")), 70.0);
    EXPECT_EQ(report.recorded->GetFloat(FourCC("Brgh")), 50.0);
    EXPECT_EQ(report.recorded->GetFloat(FourCC("Fltn")), 50.0);
    const ScriptingStore::RegistryEntry* registered =
        host.scripting().Lookup("{8234f55b-feb4-4eaf-881c-442dcbfd551e}");
    ASSERT_NE(registered, nullptr);
    EXPECT_EQ(registered->descriptor.GetFloat(FourCC("Amnt")), 70.0);
    EXPECT_EQ(registered->descriptor.GetFloat(FourCC("Brgh")), 50.0);
    EXPECT_EQ(registered->descriptor.GetFloat(FourCC("Fltn")), 50.0);
    EXPECT_TRUE(host.Leaks().None()) << host.Leaks().Describe();
}

}  // namespace
