// Many files: worker processes give the same bytes as one process, a failing
// file does not stop the others, and Ctrl-C stops them all.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/cli_test_support.h"
#include "tests/cli/test_images.h"

namespace {

namespace fs = std::filesystem;

class BatchTest : public CliTest {
protected:
    std::vector<std::string> MakeInputs(int count) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            const std::string name = "in" + std::to_string(i) + (i % 2 == 0 ? ".png" : ".jpg");
            WriteImage(PathText(name),
                       MakePhoto(i == 3 ? 4 : 3, 300, 280, static_cast<uint32_t>(i) + 1));
            names.push_back(name);
        }
        return names;
    }
};

TEST_F(BatchTest, WorkersGiveTheSameBytesAsOneByOne) {
    const std::vector<std::string> inputs = MakeInputs(5);
    std::vector<std::string> parallel = inputs;
    parallel.insert(parallel.end(), {"--out-dir", "parallel", "-j", "2", "--shadow", "65"});
    const ToolRun run = Run(parallel);
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(run.err, "");
    for (const std::string& input : inputs) {
        EXPECT_NE(run.out.find(input + " -> parallel/" + input + " (Highlight 50, Shadow 65"),
                  std::string::npos)
            << run.out;
        const ToolRun single = Run({input, "-o", "single-" + input, "--shadow", "65"});
        ASSERT_EQ(single.exitCode, 0) << Explain(single);
        EXPECT_TRUE(FileBytes(Path("parallel/" + input)) == FileBytes(Path("single-" + input)))
            << input;
    }
}

TEST_F(BatchTest, OneFailingFileIsReportedAndTheRestGoOn) {
    std::vector<std::string> inputs = MakeInputs(3);
    WriteBytes(Path("broken.png"), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0});
    inputs.insert(inputs.begin() + 1, "broken.png");
    for (const char* jobs : {"1", "3"}) {
        std::vector<std::string> arguments = inputs;
        const std::string folder = std::string("out") + jobs;
        arguments.insert(arguments.end(), {"--out-dir", folder, "-j", jobs});
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 1) << Explain(run);
        EXPECT_NE(
            run.err.find("lumistra: broken.png: is truncated or damaged: the file ends early"),
            std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("lumistra: 1 of 4 files failed"), std::string::npos) << run.err;
        EXPECT_EQ(FolderContents(Path(folder)),
                  (std::vector<std::string>{"in0.png", "in1.jpg", "in2.png"}));
    }
}

TEST_F(BatchTest, InterruptStopsEveryWorkerAndWritesNothing) {
    std::vector<std::string> arguments = MakeInputs(4);
    arguments.insert(arguments.end(), {"--out-dir", "out", "-j", "2", "--interrupt-at-poll", "1"});
    const ToolRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 130) << Explain(run);
    EXPECT_NE(run.err.find("interrupted; 0 of 4 files written"), std::string::npos) << run.err;
    EXPECT_TRUE(FolderContents(Path("out")).empty());
}

}  // namespace
