// The command line: what parses and what is refused before any file is
// touched, and the informational options.
#include <gtest/gtest.h>

#include "app/cli/cli_options.h"
#include "app/cli/output_plan.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/test_images.h"

namespace {

ParsedCommandLine Parse(std::vector<std::string> arguments) { return ParseCommandLine(arguments); }

TEST(CommandLineTest, ValuesAndOptionsInEitherSpelling) {
    const ParsedCommandLine parsed =
        Parse({"a.jpg", "--highlight", "70", "--shadow=12.5", "--clarity", "0", "-j4",
               "--selection", "10,20,300,400", "--out-dir", "out", "--quality=80", "b.png"});
    ASSERT_EQ(parsed.error, "");
    const CliOptions& o = parsed.options;
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"a.jpg", "b.png"}));
    EXPECT_EQ(o.highlight, 70.0f);
    EXPECT_EQ(o.shadow, 12.5f);
    EXPECT_EQ(o.clarity, 0.0f);
    EXPECT_EQ(o.jobs, 4u);
    ASSERT_TRUE(o.selection);
    EXPECT_EQ(o.selection->x, 10);
    EXPECT_EQ(o.selection->height, 400);
    EXPECT_EQ(o.outputDir, "out");
    EXPECT_EQ(o.jpegQuality, 80);
}

TEST(CommandLineTest, RefusesWhatCannotBeMeant) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no input file given"},
        {{"a.jpg", "--highlight", "101"}, "--highlight 101: must lie between 0 and 100"},
        {{"a.jpg", "--shadow", "-1"}, "--shadow -1: must lie between 0 and 100"},
        {{"a.jpg", "--clarity", "5x"}, "--clarity 5x: is not a decimal number"},
        {{"a.jpg", "--quality", "0"}, "--quality 0: must lie between 1 and 100"},
        {{"a.jpg", "-j", "0"}, "-j 0: must be 1 or more"},
        {{"a.jpg", "--selection", "1,2,3"}, "--selection 1,2,3: must be four whole numbers"},
        {{"a.jpg", "--selection", "1,2,0,5"}, "must have a width and a height of 1 or more"},
        {{"a.jpg", "--frobnicate"}, "unknown option --frobnicate"},
        {{"a.jpg", "--record"}, "--record needs a value"},
        {{"a.jpg", "b.jpg", "-o", "c.jpg"}, "-o names one output file"},
        {{"a.jpg", "-o", "c.jpg", "--in-place"}, "exclude each other"},
    };
    for (const auto& [arguments, expected] : cases) {
        const std::string error = Parse(arguments).error;
        EXPECT_NE(error.find(expected), std::string::npos) << "got: " << error;
    }
}

TEST(CommandLineTest, OutputsNeverLandOnInputsOrOnEachOther) {
    CliOptions options;
    std::string error;
    options.inputs = {"dir/photo.jpg"};
    EXPECT_EQ(PlanOutputs(options, &error)[0].output, "dir/photo-denoised.jpg");

    options.inputs = {"a/x.jpg", "b/x.jpg"};
    options.outputDir = "out";
    EXPECT_TRUE(PlanOutputs(options, &error).empty());
    EXPECT_NE(error.find("would both be written to out/x.jpg"), std::string::npos) << error;

    options = CliOptions{};
    options.inputs = {"a.jpg", "a-denoised.jpg"};
    EXPECT_TRUE(PlanOutputs(options, &error).empty());
    EXPECT_NE(error.find("would overwrite the input a-denoised.jpg"), std::string::npos) << error;

    options.inputs = {"a.jpg", "./a.jpg"};
    EXPECT_TRUE(PlanOutputs(options, &error).empty());
    EXPECT_NE(error.find("given twice"), std::string::npos) << error;

    options.inputs = {"a.jpg", "b.jpg"};
    options.inPlace = true;
    const std::vector<FileTask> tasks = PlanOutputs(options, &error);
    ASSERT_EQ(tasks.size(), 2u) << error;
    EXPECT_EQ(tasks[1].output, "b.jpg");
}

class ToolCommandLineTest : public CliTest {};

TEST_F(ToolCommandLineTest, UsageErrorsExitWithTwoAndTouchNothing) {
    WriteImage(PathText("a.png"), MakePhoto(3, 300, 280));
    const std::vector<uint8_t> before = FileBytes(Path("a.png"));
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"a.png", "--highlight", "abc"},
          std::vector<std::string>{"a.png", "a.png", "--out-dir", "out"},
          std::vector<std::string>{"a.png", "--replay", "missing.json"}}) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << Explain(run);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.rfind("lumistra: ", 0), 0u) << run.err;
    }
    EXPECT_EQ(FileBytes(Path("a.png")), before);
    EXPECT_EQ(FolderContents(Path("")), (std::vector<std::string>{"a.png", "config"}));
}

TEST_F(ToolCommandLineTest, HelpVersionAndAbout) {
    const ToolRun help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* part : {"Exit codes:", "--strict", "--convert", "Examples:", "130"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;

    const ToolRun version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "lumistra 1.1.4\n");

    // What the module's property list declares, read from the module found
    // beside the tool in the build tree.
    const ToolRun about = Run({"--about"});
    EXPECT_EQ(about.exitCode, 0) << Explain(about);
    for (const char* part : {"LUMISTRA v1.1.4", "Morvane", "filter interface version 4.0",
                             "RGBMode", "PluginMain", "Version 1.1.4  (10/2004)"})
        EXPECT_NE(about.out.find(part), std::string::npos) << part << "\n" << about.out;
}

TEST_F(ToolCommandLineTest, MissingPluginExitsWithThree) {
    WriteImage(PathText("a.png"), MakePhoto(3, 300, 280));
    const ToolRun byOption = Run({"a.png", "--plugin", "nowhere/Lumistra.so"});
    EXPECT_EQ(byOption.exitCode, 3) << Explain(byOption);
    EXPECT_NE(byOption.err.find("cannot load the plug-in: nowhere/Lumistra.so"), std::string::npos)
        << byOption.err;
    const ToolRun byEnvironment = Run({"a.png"}, {{"LUMISTRA_PLUGIN", PathText("a.png")}});
    EXPECT_EQ(byEnvironment.exitCode, 3) << Explain(byEnvironment);
    EXPECT_FALSE(std::filesystem::exists(Path("a-denoised.png")));
}

}  // namespace
