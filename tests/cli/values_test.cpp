// The three values on their ways in and out: given on the command line,
// remembered as the last-used values, recorded as an action and replayed.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_test_support.h"
#include "tests/cli/test_images.h"

namespace {

constexpr int32_t kWidth = 300;
constexpr int32_t kHeight = 280;

class ValuesTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        photo_ = MakePhoto(3, kWidth, kHeight);
        WriteImage(PathText("photo.png"), photo_);
    }

    TestImage photo_;
};

nlohmann::json ParseJson(const std::string& text) { return nlohmann::json::parse(text); }

TEST_F(ValuesTest, LastUsedValuesCarryOverToTheNextRun) {
    ToolRun run = Run({"photo.png", "-o", "first.png", "--highlight", "80", "--clarity", "37.8"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    // The plug-in registers whole numbers.
    EXPECT_EQ(ParseJson(FileText(LastUsedFile())),
              ParseJson(R"({"registry": {"{8234f55b-feb4-4eaf-881c-442dcbfd551e}": [
                  {"key": "Amnt", "value": 80.0}, {"key": "Brgh", "value": 50.0},
                  {"key": "Fltn", "value": 37.0}]}})"));

    run = Run({"photo.png", "-o", "second.png", "--shadow", "20"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(run.out, "photo.png -> second.png (Highlight 80, Shadow 20, Clarity 37)\n");
    EXPECT_EQ(ReadImage(PathText("second.png")), EngineResult(photo_, {80.0f, 20.0f, 37.0f}));

    // --no-remember uses the values but leaves the file alone.
    const std::vector<uint8_t> kept = FileBytes(LastUsedFile());
    run = Run({"photo.png", "-o", "third.png", "--highlight", "10", "--no-remember"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(run.out, "photo.png -> third.png (Highlight 10, Shadow 20, Clarity 37)\n");
    EXPECT_EQ(FileBytes(LastUsedFile()), kept);
}

TEST_F(ValuesTest, WithoutAConfigurationFolderTheDefaultsApply) {
    const ToolRun run =
        Run({"photo.png", "--highlight", "60"}, {{"XDG_CONFIG_HOME", ""}, {"HOME", ""}});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(run.out, "photo.png -> photo-denoised.png (Highlight 60, Shadow 50, Clarity 50)\n");
}

TEST_F(ValuesTest, DamagedLastUsedFileIsReportedAndReplaced) {
    std::filesystem::create_directories(LastUsedFile().parent_path());
    WriteBytes(LastUsedFile(), {'{', 'x'});
    const ToolRun run = Run({"photo.png"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_NE(run.err.find("ignoring the last-used values in"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "photo.png -> photo-denoised.png (Highlight 50, Shadow 50, Clarity 50)\n");
    EXPECT_TRUE(ParseJson(FileText(LastUsedFile())).contains("registry"));
}

TEST_F(ValuesTest, RecordedActionReplaysToTheSameResult) {
    ToolRun run = Run({"photo.png", "-o", "recorded.png", "--highlight", "20", "--shadow", "30",
                       "--clarity", "70.3", "--record", "action.json", "--no-remember"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    const nlohmann::json action = ParseJson(FileText(Path("action.json")));
    EXPECT_EQ(action["filter"], "LUMISTRA v1.1.4");
    EXPECT_EQ(action["event"], "vLkp");
    // The recorded values are the plug-in's single-precision values widened.
    EXPECT_EQ(action["descriptor"],
              ParseJson(R"([{"key": "Amnt", "value": 20.0}, {"key": "Brgh", "value": 30.0},
                            {"key": "Fltn", "value": )" +
                        nlohmann::json(static_cast<double>(70.3f)).dump() + "}]"));
    EXPECT_FALSE(std::filesystem::exists(LastUsedFile()));

    // The replay gives the same pixels, and records the same action again.
    run = Run(
        {"photo.png", "-o", "replayed.png", "--replay", "action.json", "--record", "again.json"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(ReadImage(PathText("replayed.png")), ReadImage(PathText("recorded.png")));
    EXPECT_EQ(ReadImage(PathText("replayed.png")), EngineResult(photo_, {20.0f, 30.0f, 70.3f}));
    EXPECT_EQ(FileText(Path("again.json")), FileText(Path("action.json")));

    // A value given on the command line goes over the recorded one.
    run = Run({"photo.png", "-o", "changed.png", "--replay", "action.json", "--shadow", "90"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(ReadImage(PathText("changed.png")), EngineResult(photo_, {20.0f, 90.0f, 70.3f}));
}

TEST_F(ValuesTest, ActionOfAnotherFilterIsRefused) {
    WriteBytes(Path("other.json"), {});
    const std::string other = R"({"event": "xYzw", "descriptor": []})";
    WriteBytes(Path("other.json"), std::vector<uint8_t>(other.begin(), other.end()));
    const ToolRun run = Run({"photo.png", "--replay", "other.json"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("was recorded for another filter"), std::string::npos) << run.err;
}

}  // namespace
