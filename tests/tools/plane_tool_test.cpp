// lumistra-plane as a user runs it: failures leave no output behind, and a successful run
// writes exactly what the engine computes in-process.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/noise_reducer.h"
#include "tools/sample_image/sample_image.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kWidth = 61;
constexpr uint32_t kHeight = 47;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class PlaneToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  ("lumistra-plane-" + std::string(test->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        input_ = lumistra::MakeSamplePlane(kWidth, kHeight, lumistra::SampleChannel::Green);
        WriteBytes(folder_ / "in.raw", input_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Runs the tool inside the test folder; returns its exit status and keeps its stderr.
    int Run(const std::string& arguments) {
        std::string command = "cd '" + folder_.string() + "' && '" LUMISTRA_PLANE_TOOL "' " +
                              arguments + " 2> stderr.txt";
        int status = std::system(command.c_str());
        std::ifstream errors(folder_ / "stderr.txt");
        std::getline(errors, firstErrorLine_);
        std::string more;
        errorLineCount_ = firstErrorLine_.empty() ? 0 : 1;
        while (std::getline(errors, more)) ++errorLineCount_;
        fs::remove(folder_ / "stderr.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path folder_;
    std::vector<uint8_t> input_;
    std::string firstErrorLine_;
    int errorLineCount_ = 0;
};

TEST_F(PlaneToolTest, RejectsBadInvocationsWithOneLineAndNoOutput) {
    WriteBytes(folder_ / "short.raw", std::vector<uint8_t>(kWidth * kHeight - 1, 7));
    const char* const invocations[] = {
        "in.raw out.raw 61 47 1.4 1.4 1.0 1",          // one argument missing
        "in.raw out.raw 61 47 1.4 1.4 1.0 1 5 6",      // one too many
        "in.raw out.raw 61 47 1.4x 1.4 1.0 1 5",       // trailing characters
        "in.raw out.raw 61 47 1.4 0x1p0 1.0 1 5",      // not decimal
        "in.raw out.raw 61 47 1.4 1.4 1.0 1.5 5",      // level not whole
        "in.raw out.raw 0 47 1.4 1.4 1.0 1 5",         // empty plane
        "in.raw out.raw 65536 65536 1.4 1.4 1.0 1 5",  // too many samples
        "in.raw out.raw 61 48 1.4 1.4 1.0 1 5",        // file too short
        "in.raw out.raw 60 47 1.4 1.4 1.0 1 5",        // file too long
        "short.raw out.raw 61 47 1.4 1.4 1.0 1 5",     // file too short by one
        "missing.raw out.raw 61 47 1.4 1.4 1.0 1 5",   // unreadable
        "in.raw out.raw 61 47 1.4 1.4 1.0 -1 5",       // the engine refuses
    };
    for (const char* arguments : invocations) {
        SCOPED_TRACE(arguments);
        EXPECT_NE(Run(arguments), 0);
        EXPECT_EQ(errorLineCount_, 1);
        EXPECT_EQ(firstErrorLine_.rfind("lumistra-plane: ", 0), 0u) << firstErrorLine_;
        EXPECT_EQ(FileNames(folder_), (std::vector<std::string>{"in.raw", "short.raw"}));
    }
}

TEST_F(PlaneToolTest, WritesWhatTheEngineComputes) {
    ASSERT_EQ(Run("in.raw out.raw 61 47 1.4142135 0.8 1.2 1 5"), 0) << firstErrorLine_;

    std::vector<uint8_t> expected(input_.size());
    NoiseReducer reducer([](uint32_t n) -> void* { return std::calloc(n, 1); },
                         [](void* block) { std::free(block); });
    ASSERT_FALSE(reducer.ProcessPlane(input_.data(), expected.data(), kWidth, kHeight, 1.4142135f,
                                      0.8f, 1.2f, 1, 5));
    EXPECT_EQ(ReadBytes(folder_ / "out.raw"), expected);
    EXPECT_EQ(FileNames(folder_), (std::vector<std::string>{"in.raw", "out.raw"}));
}

TEST_F(PlaneToolTest, DumpsNamedImagesInPipelineOrder) {
    ASSERT_EQ(Run("in.raw out.raw 61 47 1.4142135 1.4142135 1.0 1 5 --dump stages"), 0)
        << firstErrorLine_;

    std::vector<std::string> names = FileNames(folder_ / "stages");
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names.front(), "000-InputImage-L1-61x47.pgm");
    EXPECT_NE(names.back().find("-OutputImage-L1-61x47.pgm"), std::string::npos) << names.back();

    const std::string header = "P5\n61 47\n255\n";
    std::vector<uint8_t> expected(header.begin(), header.end());
    std::vector<uint8_t> output = ReadBytes(folder_ / "out.raw");
    expected.insert(expected.end(), output.begin(), output.end());
    EXPECT_EQ(ReadBytes(folder_ / "stages" / names.back()), expected);
}

}  // namespace
