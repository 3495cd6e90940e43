// How the output is encoded: a JPEG keeps the chroma subsampling of the
// photograph it came from unless told otherwise, anything else becomes a
// full-colour JPEG, and the PNG level changes the size, never the pixels.
#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>

#include "tests/cli/cli_test_support.h"
#include "tests/cli/test_images.h"

namespace {

constexpr int32_t kWidth = 300;
constexpr int32_t kHeight = 280;

std::string SubsamplingOf(const std::string& path) {
    std::unique_ptr<OIIO::ImageInput> in = OIIO::ImageInput::open(path);
    EXPECT_TRUE(in) << path;
    if (!in) return {};
    const std::string subsampling = in->spec().get_string_attribute("jpeg:subsampling");
    // The reader names 4:4:4 by leaving the attribute out.
    return subsampling.empty() ? "4:4:4" : subsampling;
}

class EncodedFilesTest : public CliTest {};

TEST_F(EncodedFilesTest, JpegKeepsTheInputsSubsamplingUnlessTold) {
    const TestImage photo = MakePhoto(3, kWidth, kHeight);
    for (const char* subsampling : {"4:4:4", "4:2:2", "4:2:0"}) {
        WriteImage(PathText("photo.jpg"), photo, 8, {{"jpeg:subsampling", subsampling}});
        ASSERT_EQ(SubsamplingOf(PathText("photo.jpg")), subsampling);
        const ToolRun run = Run({"photo.jpg", "-o", "out.jpg", "-q"});
        ASSERT_EQ(run.exitCode, 0) << Explain(run);
        EXPECT_EQ(SubsamplingOf(PathText("out.jpg")), subsampling);
    }
    const ToolRun told = Run({"photo.jpg", "-o", "told.jpg", "--subsampling", "444", "-q"});
    ASSERT_EQ(told.exitCode, 0) << Explain(told);
    EXPECT_EQ(SubsamplingOf(PathText("told.jpg")), "4:4:4");

    WriteImage(PathText("photo.png"), photo);
    const ToolRun fromPng = Run({"photo.png", "-o", "from-png.jpg", "-q"});
    ASSERT_EQ(fromPng.exitCode, 0) << Explain(fromPng);
    EXPECT_EQ(SubsamplingOf(PathText("from-png.jpg")), "4:4:4");
}

TEST_F(EncodedFilesTest, PngLevelChangesTheSizeNotThePixels) {
    WriteImage(PathText("photo.png"), MakePhoto(3, kWidth, kHeight));
    ASSERT_EQ(Run({"photo.png", "-o", "stored.png", "--png-level", "0", "-q"}).exitCode, 0);
    ASSERT_EQ(Run({"photo.png", "-o", "packed.png", "--png-level", "9", "-q"}).exitCode, 0);
    EXPECT_GT(FileBytes(Path("stored.png")).size(), FileBytes(Path("packed.png")).size());
    EXPECT_EQ(ReadImage(PathText("stored.png")), ReadImage(PathText("packed.png")));

    for (const char* wrong : {"--png-level=10", "--subsampling=411"}) {
        const ToolRun run = Run({"photo.png", wrong});
        EXPECT_EQ(run.exitCode, 2) << wrong;
    }
}

}  // namespace
