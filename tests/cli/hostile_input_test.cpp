// Files, paths and signals as a careless or hostile user brings them: each
// refused with one line naming the file, within bounded memory and time,
// never blocking, and leaving nothing behind.
#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <sstream>

#include "tests/cli/cli_test_support.h"
#include "tests/cli/test_images.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kWidth = 300;
constexpr int32_t kHeight = 280;
// Room for the tool, its libraries and a mapped input file, but far from
// what a picture of 30000 x 30000 pixels would take.
constexpr RunLimits kBounded{700, 20, 0, 0};

uint32_t Crc32(const std::vector<uint8_t>& bytes, std::size_t from) {
    uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void AppendBigEndian(std::vector<uint8_t>* bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes->push_back(static_cast<uint8_t>(value >> shift));
}

void AppendChunk(std::vector<uint8_t>* png, const char* type, const std::vector<uint8_t>& data) {
    AppendBigEndian(png, static_cast<uint32_t>(data.size()));
    const std::size_t start = png->size();
    png->insert(png->end(), type, type + 4);
    png->insert(png->end(), data.begin(), data.end());
    AppendBigEndian(png, Crc32(*png, start));
}

class HostileFilesTest : public CliTest {
protected:
    // Refused with exactly this one line, and nothing left behind.
    void ExpectRefused(const std::vector<std::string>& arguments, const std::string& line,
                       const RunLimits& limits = kBounded) {
        const std::vector<std::string> before = FolderContents(Path(""));
        const ToolRun run = Run(arguments, {}, limits);
        EXPECT_EQ(run.exitCode, 1) << Explain(run);
        EXPECT_EQ(run.err, line + "\n");
        EXPECT_EQ(FolderContents(Path("")), before);
    }
};

TEST_F(HostileFilesTest, NamedPipesAreNeverOpened) {
    WriteImage(PathText("photo.png"), MakePhoto(3, kWidth, kHeight));
    ASSERT_EQ(::mkfifo(PathText("pipe.jpg").c_str(), 0600), 0);
    ExpectRefused({"pipe.jpg", "-o", "out.png"},
                  "lumistra: pipe.jpg: cannot be read: is not a regular file");

    ASSERT_EQ(::mkfifo(PathText("action.json").c_str(), 0600), 0);
    const ToolRun replay = Run({"photo.png", "--replay", "action.json"});
    EXPECT_EQ(replay.exitCode, 2) << Explain(replay);
    EXPECT_EQ(replay.err, "lumistra: --replay action.json: is not a regular file\n");

    // A pipe where the last-used values are kept is passed over, not waited on.
    fs::create_directories(LastUsedFile().parent_path());
    ASSERT_EQ(::mkfifo(LastUsedFile().c_str(), 0600), 0);
    const ToolRun run = Run({"photo.png", "-o", "out.png"});
    EXPECT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_NE(run.err.find("ignoring the last-used values in"), std::string::npos) << run.err;
}

TEST_F(HostileFilesTest, HeaderClaimingMoreThanTheFileHoldsIsRefusedBeforeAllocating) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    AppendBigEndian(&header, 30000);
    AppendBigEndian(&header, 30000);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    AppendChunk(&png, "IHDR", header);
    AppendChunk(&png, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
    AppendChunk(&png, "IEND", {});
    WriteBytes(Path("huge.png"), png);
    ExpectRefused({"huge.png", "-o", "out.png"},
                  "lumistra: huge.png: is truncated or damaged: the file is far too short for "
                  "its 30000 x 30000 picture");
}

TEST_F(HostileFilesTest, LargeFileOfZerosIsRefusedFromItsFirstBytes) {
    WriteBytes(Path("zeros.jpg"), {});
    fs::resize_file(Path("zeros.jpg"), 256u << 20);
    ExpectRefused({"zeros.jpg", "-o", "out.png"},
                  "lumistra: zeros.jpg: is not an image that can be read: not a JPEG, PNG, TIFF "
                  "or WebP file");
}

TEST_F(HostileFilesTest, GifIsRefusedForWhatItIs) {
    WriteBytes(Path("anim.gif"), {'G', 'I', 'F', '8', '9', 'a', 1, 1, 1, 1, 0, 0, 0});
    const std::string line =
        "lumistra: anim.gif: is not an image that can be read: a GIF holds at most 256 colours, "
        "not a photograph; lumistra does not read it";
    ExpectRefused({"anim.gif", "-o", "out.png"}, line);
    ExpectRefused({"anim.gif", "-o", "out.png", "--convert"}, line);
}

TEST_F(HostileFilesTest, SeveralPagesAreRefusedWithoutClaimingAnyIsKept) {
    const TestImage photo = MakePhoto(3, kWidth, kHeight);
    std::vector<uint8_t> pixels;
    for (std::size_t i = 0; i < photo.planes[0].size(); ++i)
        for (const std::vector<uint8_t>& plane : photo.planes) pixels.push_back(plane[i]);
    const OIIO::ImageSpec page(kWidth, kHeight, 3, OIIO::TypeDesc::UINT8);
    const OIIO::ImageSpec pages[2] = {page, page};
    std::unique_ptr<OIIO::ImageOutput> out = OIIO::ImageOutput::create(PathText("pages.tif"));
    ASSERT_TRUE(out && out->open(PathText("pages.tif"), 2, pages));
    ASSERT_TRUE(out->write_image(OIIO::TypeDesc::UINT8, pixels.data()));
    ASSERT_TRUE(out->open(PathText("pages.tif"), page, OIIO::ImageOutput::AppendSubimage));
    ASSERT_TRUE(out->write_image(OIIO::TypeDesc::UINT8, pixels.data()) && out->close());
    ExpectRefused({"pages.tif", "-o", "out.png"},
                  "lumistra: pages.tif: holds several images (pages, layers or frames); lumistra "
                  "filters single images only");
}

TEST_F(HostileFilesTest, DamagedMetadataIsLeftOutAndThePixelsKept) {
    WriteImage(PathText("photo.jpg"), MakePhoto(3, kWidth, kHeight));
    std::vector<uint8_t> bytes = FileBytes(Path("photo.jpg"));
    // An EXIF block whose first directory lies far beyond the file.
    const std::vector<uint8_t> exif = {0xFF, 0xE1, 0,   16, 'E', 'x',  'i',  'f',  0,
                                       0,    'I',  'I', 42, 0,   0x00, 0xFF, 0xFF, 0xFF};
    bytes.insert(bytes.begin() + 2, exif.begin(), exif.end());
    WriteBytes(Path("odd.jpg"), bytes);
    const ToolRun run = Run({"odd.jpg", "-o", "out.jpg", "-q"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(run.err.rfind("lumistra: odd.jpg: note: its metadata cannot be read (", 0), 0u)
        << run.err;
    EXPECT_TRUE(fs::exists(Path("out.jpg")));
}

TEST_F(HostileFilesTest, UnwritableRecordKeepsTheWrittenImageApart) {
    WriteImage(PathText("photo.png"), MakePhoto(3, kWidth, kHeight));
    const ToolRun run = Run({"photo.png", "-o", "out.png", "--record", "absent/action.json"});
    EXPECT_EQ(run.exitCode, 4) << Explain(run);
    EXPECT_EQ(run.err.rfind("lumistra: photo.png: written, but the recorded action cannot be "
                            "written to absent/action.json: ",
                            0),
              0u)
        << run.err;
    EXPECT_TRUE(fs::exists(Path("out.png")));
}

TEST_F(HostileFilesTest, ReplayedNumberBeyondADoubleIsNamed) {
    WriteImage(PathText("photo.png"), MakePhoto(3, kWidth, kHeight));
    const std::string action = R"({"descriptor": {"Amnt": 1e999}})";
    WriteBytes(Path("action.json"), std::vector<uint8_t>(action.begin(), action.end()));
    const ToolRun run = Run({"photo.png", "--replay", "action.json"});
    EXPECT_EQ(run.exitCode, 2) << Explain(run);
    EXPECT_EQ(run.err, "lumistra: --replay action.json: holds a number too large to be a value\n");
}

TEST_F(HostileFilesTest, HangupCleansUpAsCtrlCDoes) {
    TestImage large;
    large.width = 4000;
    large.height = 3000;
    for (int c = 0; c < 3; ++c) large.planes.push_back(MakePhoto(1, 4000, 3000, 5 + c).planes[0]);
    WriteImage(PathText("large.png"), large);
    // The slowest PNG level keeps the tool busy for seconds, so the signal
    // always finds it running: filtering, or encoding what it will write.
    for (const int afterMs : {300, 1500}) {
        const ToolRun run =
            Run({"large.png", "-o", "out.png", "--png-level", "9"}, {}, {0, 0, SIGHUP, afterMs});
        EXPECT_EQ(run.exitCode, 130) << afterMs << " ms: " << Explain(run);
        EXPECT_EQ(FolderContents(Path("")), (std::vector<std::string>{"config", "large.png"}))
            << afterMs << " ms";
    }
}

// Every supported format cut short and corrupted at many places: one clear
// line or a sound image, within bounded memory and time, nothing left over.
TEST_F(HostileFilesTest, TruncatedAndCorruptedFilesOfEveryFormat) {
    WriteImage(PathText("photo.png"), MakePhoto(4, kWidth, kHeight));
    WriteImage(PathText("photo.jpg"), MakePhoto(3, kWidth, kHeight));
    WriteImage(PathText("photo.tif"), MakePhoto(3, kWidth, kHeight));
    ASSERT_EQ(Run({"photo.png", "-o", "photo.webp", "-q"}).exitCode, 0);
    for (const char* name : {"photo.jpg", "photo.png", "photo.tif", "photo.webp"}) {
        const std::vector<uint8_t> whole = FileBytes(Path(name));
        const std::string extension = fs::path(name).extension().string();
        for (int step = 0; step < 24; ++step) {
            std::vector<uint8_t> bytes = whole;
            const std::size_t at = whole.size() * static_cast<std::size_t>(step % 12) / 12;
            if (step < 12) {
                bytes.resize(at);
            } else {
                for (std::size_t i = at + 3; i < std::min(bytes.size(), at + 19); ++i)
                    bytes[i] ^= 0xA5;
            }
            const std::string input = "bad" + extension;
            WriteBytes(Path(input), bytes);
            const std::vector<std::string> before = FolderContents(Path(""));
            const ToolRun run = Run({input, "-o", "out.png", "-q"}, {}, kBounded);
            const std::string where = std::string(name) +
                                      (step < 12 ? " cut at " : " corrupted at ") +
                                      std::to_string(at);
            std::vector<std::string> lines;
            std::istringstream err(run.err);
            for (std::string line; std::getline(err, line);) lines.push_back(line);
            if (run.exitCode == 0) {
                fs::remove(Path("out.png"));
                for (const std::string& line : lines)
                    EXPECT_NE(line.find(": note: "), std::string::npos) << where << ": " << line;
            } else {
                EXPECT_EQ(run.exitCode, 1) << where << ": " << Explain(run);
                ASSERT_EQ(lines.size(), 1u) << where << ": " << run.err;
                EXPECT_EQ(lines[0].rfind("lumistra: " + input + ": ", 0), 0u) << where;
            }
            EXPECT_EQ(FolderContents(Path("")), before) << where;
        }
    }
}

}  // namespace
