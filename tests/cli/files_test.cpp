// Nothing lost: metadata carried over, damaged files refused with one clear
// line, no output (and no leftover) from a failed or interrupted run, an
// existing output kept intact, and inputs replaced only with --in-place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "tests/cli/cli_test_support.h"
#include "tests/cli/test_images.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kWidth = 300;
constexpr int32_t kHeight = 280;

class FilesTest : public CliTest {
protected:
    void ExpectRefusedCleanly(const std::string& input, const std::string& reason,
                              const std::string& output = "out.png") {
        const std::vector<std::string> before = FolderContents(Path(""));
        const ToolRun run = Run({input, "-o", output});
        EXPECT_EQ(run.exitCode, 1) << Explain(run);
        const std::string line = "lumistra: " + input + ": " + reason;
        EXPECT_NE(run.err.find(line), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(FolderContents(Path("")), before);
    }
};

TEST_F(FilesTest, MetadataSurvivesIntoEveryFormat) {
    const PhotoMetadata metadata{"Lumistra Test Camera", "", "Harbour at dusk", "4",
                                 MakeIccProfile()};
    WriteImage(PathText("photo.jpg"), MakePhoto(3, kWidth, kHeight));
    AddMetadata(PathText("photo.jpg"), metadata);
    for (const char* output : {"out.jpg", "out.png", "out.tif"}) {
        const ToolRun run = Run({"photo.jpg", "-o", output});
        ASSERT_EQ(run.exitCode, 0) << Explain(run);
        EXPECT_EQ(run.err, "") << output;
        const PhotoMetadata carried = ReadMetadata(PathText(output));
        EXPECT_EQ(carried.make, metadata.make) << output;
        EXPECT_EQ(carried.exposure, "1/250") << output;
        EXPECT_EQ(carried.title, "Harbour at dusk") << output;
        EXPECT_EQ(carried.rating, "4") << output;
        EXPECT_TRUE(carried.iccProfile == metadata.iccProfile) << output;
    }
}

TEST_F(FilesTest, TruncatedJpegIsRefusedCleanly) {
    WriteImage(PathText("photo.jpg"), MakePhoto(3, kWidth, kHeight));
    std::vector<uint8_t> bytes = FileBytes(Path("photo.jpg"));
    bytes.resize(bytes.size() * 3 / 5);
    WriteBytes(Path("cut.jpg"), bytes);
    ExpectRefusedCleanly("cut.jpg", "is truncated or damaged: ");
}

TEST_F(FilesTest, PngWithABadChecksumIsRefusedCleanly) {
    WriteImage(PathText("photo.png"), MakePhoto(3, kWidth, kHeight));
    std::vector<uint8_t> bytes = FileBytes(Path("photo.png"));
    // The checksum that follows the first image-data chunk.
    const char tag[] = "IDAT";
    const auto chunk = std::search(bytes.begin(), bytes.end(), tag, tag + 4);
    ASSERT_NE(chunk, bytes.end());
    const std::size_t at = static_cast<std::size_t>(chunk - bytes.begin());
    const uint32_t length = uint32_t{bytes[at - 4]} << 24 | uint32_t{bytes[at - 3]} << 16 |
                            uint32_t{bytes[at - 2]} << 8 | bytes[at - 1];
    bytes[at + 4 + length] ^= 0x5A;
    WriteBytes(Path("bad.png"), bytes);
    ExpectRefusedCleanly("bad.png", "is truncated or damaged: IDAT: CRC error\n");
}

TEST_F(FilesTest, MissingAndNonImageInputsAreNamed) {
    ExpectRefusedCleanly("absent.png", "cannot be read: No such file or directory");
    WriteBytes(Path("notes.png"), {'h', 'e', 'l', 'l', 'o'});
    ExpectRefusedCleanly("notes.png", "is not an image that can be read");
}

TEST_F(FilesTest, InterruptedRunWritesNothingAndKeepsTheOldOutput) {
    WriteImage(PathText("photo.png"), MakePhoto(3, kWidth, kHeight));
    WriteBytes(Path("out.png"), {'o', 'l', 'd'});
    const std::vector<std::string> before = FolderContents(Path(""));
    // The tool sends itself Ctrl-C at the plug-in's first abort poll.
    const ToolRun run = Run({"photo.png", "-o", "out.png", "--interrupt-at-poll", "1"});
    EXPECT_EQ(run.exitCode, 130) << Explain(run);
    EXPECT_EQ(run.err, "lumistra: photo.png: interrupted; nothing written\n");
    EXPECT_EQ(FileText(Path("out.png")), "old");
    EXPECT_EQ(FolderContents(Path("")), before);
    EXPECT_FALSE(fs::exists(LastUsedFile()));
}

TEST_F(FilesTest, FailedRunKeepsTheOldOutput) {
    WriteImage(PathText("small.png"), MakePhoto(3, 200, 200));
    WriteBytes(Path("out.png"), {'o', 'l', 'd'});
    const ToolRun run = Run({"small.png", "-o", "out.png"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(FileText(Path("out.png")), "old");
}

TEST_F(FilesTest, InputReplacedOnlyWithInPlace) {
    const TestImage photo = MakePhoto(3, kWidth, kHeight);
    WriteImage(PathText("photo.png"), photo);
    fs::create_symlink("photo.png", Path("link.png"));
    const std::vector<uint8_t> original = FileBytes(Path("photo.png"));

    // By name, and through another name for the same file.
    EXPECT_EQ(Run({"photo.png", "-o", "photo.png"}).exitCode, 2);
    const ToolRun aliased = Run({"photo.png", "-o", "link.png"});
    EXPECT_EQ(aliased.exitCode, 2) << Explain(aliased);
    EXPECT_EQ(FileBytes(Path("photo.png")), original);

    fs::permissions(Path("photo.png"), fs::perms::owner_read | fs::perms::owner_write);
    const ToolRun run = Run({"photo.png", "--in-place"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(run.out, "photo.png -> photo.png (Highlight 50, Shadow 50, Clarity 50)\n");
    EXPECT_EQ(ReadImage(PathText("photo.png")), EngineResult(photo, {}));
    EXPECT_EQ(fs::status(Path("photo.png")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FolderContents(Path("")),
              (std::vector<std::string>{"config", "link.png", "photo.png"}));
}

TEST_F(FilesTest, TransparencyIsNotDroppedIntoAJpeg) {
    WriteImage(PathText("layer.png"), MakePhoto(4, kWidth, kHeight));
    ExpectRefusedCleanly(
        "layer.png", "cannot write out.jpg: jpeg files cannot keep the transparency", "out.jpg");
}

}  // namespace
