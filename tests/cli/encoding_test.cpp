// How the output is encoded: a JPEG keeps the chroma subsampling of the
// photograph it came from unless told otherwise, anything else becomes a
// full-colour JPEG, and the PNG level changes the size, never the pixels.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "tests/cli/cli_test_support.h"
#include "tests/cli/test_images.h"

namespace {

constexpr int32_t kWidth = 300;
constexpr int32_t kHeight = 280;

// The chroma subsampling a JPEG file declares in its frame header: the luma
// component's sampling factors against the chroma components' (1 by 1).
std::string SubsamplingOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    // Markers from the start of image on: 0xFF, code, then a two-byte length.
    for (std::size_t at = 2; at + 4 <= bytes.size();) {
        if (bytes[at] != 0xFF) break;
        const uint8_t code = bytes[at + 1];
        const std::size_t length = std::size_t(bytes[at + 2]) << 8 | bytes[at + 3];
        const bool frameHeader =
            code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
        if (frameHeader && at + 2 + length <= bytes.size() && length >= 11) {
            const uint8_t lumaFactors = bytes[at + 11];  // first component's H and V
            switch (lumaFactors) {
                case 0x11:
                    return "4:4:4";
                case 0x21:
                    return "4:2:2";
                case 0x22:
                    return "4:2:0";
                default:
                    return "other";
            }
        }
        at += 2 + length;
    }
    ADD_FAILURE() << path << ": no JPEG frame header";
    return {};
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
