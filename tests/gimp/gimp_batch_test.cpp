// The GIMP plug-in in GIMP itself: one batch session of GIMP, with a
// configuration folder of its own into which the plug-in is installed, runs
// every case of batch_cases.scm; a second session, after the restart, runs
// with the last values. Each picture GIMP saved is then compared, byte for
// byte, with what lumistra makes of the same pixels and values.
//
// Without gimp-console-2.10 the test reports itself skipped (exit code 77).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "resources/plugin_messages.h"
#include "tests/cli/test_images.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSkipped = 77;
constexpr const char* kSessionOneCases[] = {
    "input",           "whole",     "rectangle", "feathered",       "rgba",
    "small-selection", "greyscale", "deep",      "value-too-large", "value-negative",
};

struct Session {
    fs::path folder;  // holds config/, out/ and the logs
    std::string log;  // everything GIMP printed in all sessions
    bool dialogShown = false;
};

Session* session = nullptr;

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The batch command that runs one case of batch_cases.scm.
std::string CaseCommand(const std::string& name) {
    const fs::path folder = session->folder;
    return "(begin (define photo \"" LUMISTRA_SAMPLE_PHOTO "\") (define out-dir \"" +
           (folder / "out").string() + "\") (load \"" LUMISTRA_BATCH_CASES "\") (case-" + name +
           "))";
}

// Under the address sanitizer the plug-in's process ends with what GIMP's
// libraries keep for the life of a process, which is no leak of ours.
std::string GimpEnvironment() {
    return "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" GIMP2_DIRECTORY=" +
           Quoted((session->folder / "config").string()) + " ";
}

// One batch session running the cases; its output is appended to log.
int RunGimp(const std::string& console, const std::vector<std::string>& cases,
            const fs::path& log) {
    std::string command = GimpEnvironment() + "timeout 600 " + Quoted(console) + " -i -d -f -c";
    for (const std::string& name : cases) command += " -b " + Quoted(CaseCommand(name));
    command += " -b '(gimp-quit 0)' >>" + Quoted(log.string()) + " 2>&1";
    return std::system(command.c_str());
}

// GIMP with its windows, the dialog used by drive_gimp_dialog.sh; false when
// the tools for it are missing.
bool RunGimpWithDialog(const fs::path& log) {
    const std::string command =
        GimpEnvironment() + "bash " LUMISTRA_DRIVE_GIMP_DIALOG " " +
        Quoted((session->folder / "config").string()) + " " + Quoted(CaseCommand("interactive")) +
        " " + Quoted((session->folder / "out").string()) + " >>" + Quoted(log.string()) + " 2>&1";
    const int status = std::system(command.c_str());
    return !(WIFEXITED(status) && WEXITSTATUS(status) == kSkipped);
}

std::string FindConsole() {
    const char* given = std::getenv("LUMISTRA_GIMP_CONSOLE");
    if (given != nullptr && *given != '\0') return given;
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const fs::path candidate = fs::path(folder) / "gimp-console-2.10";
        if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    }
    return {};
}

// The plug-in's own folder under the configuration's plug-ins, as the
// installation makes it: GIMP looks for a program of the folder's name.
void InstallPlugin(const fs::path& config) {
    const fs::path folder = config / "plug-ins" / "lumistra-gimp";
    fs::create_directories(folder);
    for (const char* name : {"gradients", "brushes", "patterns", "palettes"}) {
        fs::create_directories(config / name);
    }
    fs::copy_file(LUMISTRA_GIMP_PLUGIN, folder / "lumistra-gimp");
    fs::copy_file(LUMISTRA_PLUGIN_MODULE, folder / fs::path(LUMISTRA_PLUGIN_MODULE).filename());
}

fs::path Out(const std::string& name) { return session->folder / "out" / (name + ".png"); }

// What lumistra makes of a picture GIMP saved, with the values and area given.
TestImage Lumistra(const std::string& input, int highlight, int shadow, int clarity,
                   const std::string& selection = {}) {
    const fs::path output = session->folder / "expected" / (input + ".png");
    fs::create_directories(output.parent_path());
    // GIMP's pictures carry XMP whose namespaces Exiv2 registers for the life
    // of the process: under the address sanitizer that is no leak of ours.
    std::string command = "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " + Quoted(LUMISTRA_CLI) +
                          " " + Quoted(Out(input).string()) + " -o " + Quoted(output.string()) +
                          " --plugin " + Quoted(LUMISTRA_PLUGIN_MODULE) +
                          " --no-remember -q --highlight " + std::to_string(highlight) +
                          " --shadow " + std::to_string(shadow) + " --clarity " +
                          std::to_string(clarity);
    if (!selection.empty()) command += " --selection " + selection;
    fs::remove(output);
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadImage(output.string());
}

std::size_t Differences(const TestImage& a, const TestImage& b) {
    if (a.width != b.width || a.height != b.height || a.Channels() != b.Channels()) {
        return std::size_t(-1);
    }
    std::size_t count = 0;
    for (std::size_t c = 0; c < a.planes.size(); ++c) {
        for (std::size_t i = 0; i < a.planes[c].size(); ++i)
            count += a.planes[c][i] != b.planes[c][i];
    }
    return count;
}

bool LogHas(const std::string& text) { return session->log.find(text) != std::string::npos; }

TEST(GimpBatch, WholeImageIsWhatLumistraMakes) {
    const TestImage result = ReadImage(Out("whole").string());
    EXPECT_EQ(Differences(result, Lumistra("input", 70, 40, 60)), 0u);
    EXPECT_NE(Differences(result, ReadImage(Out("input").string())), 0u);
}

TEST(GimpBatch, RectangleSelectionFiltersItsBoundsOnly) {
    EXPECT_EQ(Differences(ReadImage(Out("rectangle").string()),
                          Lumistra("input", 20, 80, 30, "300,200,500,400")),
              0u);
}

// GIMP blends the shadow buffer through the feathered selection: fully
// selected pixels are the filter's, unselected ones the input's, and the edge
// lies between the two.
TEST(GimpBatch, FeatheredSelectionBlendsOnceAtTheEdge) {
    const std::size_t at = session->log.find("feathered-bounds ");
    ASSERT_NE(at, std::string::npos);
    std::istringstream words(session->log.substr(at + 17));
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_TRUE(words >> left >> top >> right >> bottom);
    const std::string area = std::to_string(left) + "," + std::to_string(top) + "," +
                             std::to_string(right - left) + "," + std::to_string(bottom - top);
    const TestImage filtered = Lumistra("input", 90, 10, 75, area);
    const TestImage input = ReadImage(Out("input").string());
    const TestImage result = ReadImage(Out("feathered").string());
    const TestImage mask = ReadImage(Out("feathered-mask").string());
    ASSERT_EQ(result.width, input.width);
    ASSERT_EQ(mask.width, input.width);
    std::size_t inside = 0, outside = 0, between = 0, wrong = 0;
    for (std::size_t i = 0; i < mask.planes[0].size(); ++i) {
        const uint8_t selected = mask.planes[0][i];
        for (std::size_t c = 0; c < 3; ++c) {
            const int got = result.planes[c][i];
            const int before = input.planes[c][i];
            const int after = filtered.planes[c][i];
            if (selected == 255) {
                ++inside;
                wrong += got != after;
            } else if (selected == 0) {
                ++outside;
                wrong += got != before;
            } else {
                between += got != before && got != after;
                wrong += got < std::min(before, after) - 1 || got > std::max(before, after) + 1;
            }
        }
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_GT(inside, 0u);
    EXPECT_GT(outside, 0u);
    EXPECT_GT(between, 0u);
}

TEST(GimpBatch, RgbaKeepsItsAlpha) {
    const TestImage input = ReadImage(Out("rgba-input").string());
    const TestImage result = ReadImage(Out("rgba").string());
    ASSERT_EQ(result.Channels(), 4);
    EXPECT_EQ(result.planes[3], input.planes[3]);
    EXPECT_NE(std::count(input.planes[3].begin(), input.planes[3].end(), uint8_t{0}), 0);
    EXPECT_EQ(Differences(result, Lumistra("rgba-input", 35, 65, 85)), 0u);
}

// Every refused run leaves the picture as it was and says why in GIMP's log.
TEST(GimpBatch, RefusalsLeaveTheImageAndSayWhy) {
    for (const char* name :
         {"small-selection", "greyscale", "deep", "value-too-large", "value-negative"}) {
        EXPECT_EQ(Differences(ReadImage(Out(std::string(name) + "-before").string()),
                              ReadImage(Out(name).string())),
                  0u)
            << name;
    }
    EXPECT_TRUE(LogHas(kAreaTooSmallMessage));
    EXPECT_TRUE(LogHas(kRgbOnlyMessage));
    EXPECT_TRUE(LogHas(std::string(kEightBitOnlyMessage) +
                       ". Convert the image first with Image > Precision > 8 bit integer."));
    EXPECT_TRUE(LogHas("plug-in-lumistra takes highlight, shadow and clarity, each 0 to 100"));
}

// The second session starts a new GIMP: the values come from the registry
// kept in GIMP's folder of the user, written by the first session's last run.
TEST(GimpBatch, LastValuesSurviveARestart) {
    EXPECT_TRUE(fs::exists(session->folder / "config" / "lumistra" / "last-used.json"));
    EXPECT_EQ(Differences(ReadImage(Out("last-values").string()), Lumistra("input", 35, 65, 85)),
              0u);
}

// The dialog in GIMP opens on the last-used values, which the first session
// left; the driver types Highlight 70 and presses OK.
TEST(GimpInteractive, DialogOpensOnTheLastValuesAndApplies) {
    if (!session->dialogShown) GTEST_SKIP() << "gimp-2.10, Xvfb or xdotool is not installed";
    EXPECT_EQ(Differences(ReadImage(Out("interactive").string()), Lumistra("input", 70, 65, 85)),
              0u);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::string console = FindConsole();
    if (console.empty()) {
        std::printf("SKIPPED: gimp-console-2.10 is not installed (apt-get install gimp)\n");
        return kSkipped;
    }
    char folder[] = "/tmp/lumistra-gimp-XXXXXX";
    if (::mkdtemp(folder) == nullptr) return 1;
    Session state{folder, {}};
    session = &state;
    InstallPlugin(state.folder / "config");
    fs::create_directories(state.folder / "out");
    const fs::path log = state.folder / "gimp.log";
    std::vector<std::string> cases(std::begin(kSessionOneCases), std::end(kSessionOneCases));
    const int first = RunGimp(console, cases, log);
    const int second = RunGimp(console, {"last-values"}, log);
    state.dialogShown = RunGimpWithDialog(log);
    state.log = ReadText(log);
    std::printf("GIMP sessions in %s (exit %d, %d); log:\n%s\n", folder, first, second,
                state.log.c_str());
    const int result = RUN_ALL_TESTS();
    // The pictures stay behind when something failed, to be looked at.
    if (result == 0) fs::remove_all(state.folder);
    return result;
}
