// What the tool makes of an image: the engine's result on the colour planes,
// transparency untouched, only the selection filtered, and the images the
// plug-in does not take refused with its own reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/cli/cli_test_support.h"
#include "tests/cli/test_images.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kWidth = 300;
constexpr int32_t kHeight = 280;

class FilteringTest : public CliTest {};

TEST_F(FilteringTest, RgbOutputIsTheEnginesResultOnEachPlane) {
    const TestImage photo = MakePhoto(3, kWidth, kHeight);
    WriteImage(PathText("photo.png"), photo);
    const ToolRun run = Run({"photo.png"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(run.out, "photo.png -> photo-denoised.png (Highlight 50, Shadow 50, Clarity 50)\n");
    EXPECT_EQ(run.err, "");
    const TestImage result = ReadImage(PathText("photo-denoised.png"));
    ASSERT_EQ(result.Channels(), 3);
    const TestImage expected = EngineResult(photo, {});
    for (int plane = 0; plane < 3; ++plane)
        EXPECT_TRUE(result.planes[plane] == expected.planes[plane]) << "plane " << plane;
    EXPECT_FALSE(result == photo);
}

TEST_F(FilteringTest, ScalarEngineGivesTheSameBytes) {
    const TestImage photo = MakePhoto(3, kWidth, kHeight, 11);
    WriteImage(PathText("photo.png"), photo);
    const ToolRun vector = Run({"photo.png", "-o", "vector.png", "--shadow", "30"});
    const ToolRun scalar = Run({"photo.png", "-o", "scalar.png", "--shadow", "30", "--scalar"});
    ASSERT_EQ(vector.exitCode, 0) << Explain(vector);
    ASSERT_EQ(scalar.exitCode, 0) << Explain(scalar);
    EXPECT_EQ(ReadImage(PathText("scalar.png")), ReadImage(PathText("vector.png")));
    EXPECT_EQ(ReadImage(PathText("scalar.png")), EngineResult(photo, {50.0f, 30.0f, 50.0f}));
}

TEST_F(FilteringTest, RgbaFiltersTheColourPlanesAndKeepsAlpha) {
    const TestImage photo = MakePhoto(4, kWidth, kHeight);
    for (const char* output : {"out.png", "out.tif"}) {
        WriteImage(PathText("layer.png"), photo);
        const ToolRun run = Run({"layer.png", "-o", output, "--highlight", "80"});
        ASSERT_EQ(run.exitCode, 0) << Explain(run);
        const TestImage result = ReadImage(PathText(output));
        ASSERT_EQ(result.Channels(), 4) << output;
        const TestImage expected = EngineResult(photo, {80.0f, 50.0f, 50.0f});
        for (int plane = 0; plane < 3; ++plane)
            EXPECT_TRUE(result.planes[plane] == expected.planes[plane])
                << output << " plane " << plane;
        EXPECT_TRUE(result.planes[3] == photo.planes[3]) << output << ": alpha changed";
    }
}

TEST_F(FilteringTest, JpegInputFilteredAsDecoded) {
    WriteImage(PathText("photo.jpg"), MakePhoto(3, kWidth, kHeight, 7));
    const TestImage decoded = ReadImage(PathText("photo.jpg"));
    const ToolRun run = Run({"photo.jpg", "-o", "clean.tif", "--clarity", "90"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    EXPECT_EQ(ReadImage(PathText("clean.tif")), EngineResult(decoded, {50.0f, 50.0f, 90.0f}));
}

TEST_F(FilteringTest, SelectionFiltersOnlyItsRectangle) {
    const TestImage photo = MakePhoto(3, kWidth, kHeight);
    WriteImage(PathText("photo.png"), photo);
    const ToolRun run = Run({"photo.png", "--selection", "30,12,260,256"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    const TestImage result = ReadImage(PathText("photo-denoised.png"));
    EXPECT_EQ(result, EngineResult(photo, {}, {30, 12, 260, 256}));
    // Outside the rectangle nothing changed, inside a good deal did.
    std::size_t changedInside = 0;
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * kWidth + x;
            const bool inside = x >= 30 && x < 290 && y >= 12 && y < 268;
            if (!inside) {
                ASSERT_EQ(result.planes[1][i], photo.planes[1][i]) << x << "," << y;
            }
            if (inside && result.planes[1][i] != photo.planes[1][i]) ++changedInside;
        }
    }
    EXPECT_GT(changedInside, 10000u);
}

TEST_F(FilteringTest, AreaSmallerThanThePluginAcceptsIsRefused) {
    WriteImage(PathText("photo.png"), MakePhoto(3, kWidth, kHeight));
    WriteImage(PathText("narrow.png"), MakePhoto(3, 255, 1000));
    const ToolRun selection = Run({"photo.png", "--selection", "0,0,256,255"});
    EXPECT_EQ(selection.exitCode, 1);
    EXPECT_NE(selection.err.find("photo.png: Image (or selection) must be at least 256x256."),
              std::string::npos)
        << selection.err;
    const ToolRun outside = Run({"photo.png", "--selection", "50,0,256,256"});
    EXPECT_EQ(outside.exitCode, 1);
    EXPECT_NE(outside.err.find("does not lie inside the 300 x 280 image"), std::string::npos);
    const ToolRun narrow = Run({"narrow.png"});
    EXPECT_EQ(narrow.exitCode, 1);
    EXPECT_NE(narrow.err.find("(the image is 255 x 1000)"), std::string::npos) << narrow.err;
    EXPECT_EQ(FolderContents(Path("")),
              (std::vector<std::string>{"config", "narrow.png", "photo.png"}));
}

TEST_F(FilteringTest, ImageBeyondTheInterfacesCoordinatesIsRefused) {
    TestImage wide;
    wide.width = 32768;
    wide.height = 1;
    wide.planes.assign(3, std::vector<uint8_t>(32768, 100));
    WriteImage(PathText("wide.png"), wide);
    const ToolRun run = Run({"wide.png"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("wide.png: the image is 32768 x 1 pixels; the filter interface "
                           "addresses at most 32767 x 32767"),
              std::string::npos)
        << run.err;
}

TEST_F(FilteringTest, GreyAndCmykRefusedWithThePluginsReasonUnlessConverted) {
    const TestImage grey = MakePhoto(1, kWidth, kHeight);
    WriteImage(PathText("grey.png"), grey);
    WriteImage(PathText("cmyk.tif"), MakePhoto(3, kWidth, kHeight), 8,
               {{"tiff:ColorSpace", "CMYK"}});
    for (const char* input : {"grey.png", "cmyk.tif"}) {
        const ToolRun run = Run({input});
        EXPECT_EQ(run.exitCode, 1) << Explain(run);
        EXPECT_EQ(run.err, std::string("lumistra: ") + input +
                               ": This plug-in only works on RGB data (--convert makes it RGB)\n");
    }
    EXPECT_EQ(FolderContents(Path("")),
              (std::vector<std::string>{"cmyk.tif", "config", "grey.png"}));

    const ToolRun converted = Run({"grey.png", "--convert", "-o", "grey-rgb.png"});
    ASSERT_EQ(converted.exitCode, 0) << Explain(converted);
    EXPECT_NE(converted.err.find("note: converted from greyscale to RGB"), std::string::npos);
    TestImage spread = grey;
    spread.planes = {grey.planes[0], grey.planes[0], grey.planes[0]};
    EXPECT_EQ(ReadImage(PathText("grey-rgb.png")), EngineResult(spread, {}));

    const ToolRun cmyk = Run({"cmyk.tif", "--convert", "-o", "cmyk-rgb.tif"});
    ASSERT_EQ(cmyk.exitCode, 0) << Explain(cmyk);
    EXPECT_NE(cmyk.err.find("note: converted from CMYK to RGB"), std::string::npos);
    EXPECT_EQ(ReadImage(PathText("cmyk-rgb.tif")).Channels(), 3);
}

TEST_F(FilteringTest, SixteenBitReducedWithANoteOrRefusedWhenStrict) {
    const TestImage photo = MakePhoto(3, kWidth, kHeight);
    WriteImage(PathText("deep.png"), photo, 16);
    const ToolRun strict = Run({"deep.png", "--strict"});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_EQ(strict.err,
              "lumistra: deep.png: This plug-in only works on 8-bit images (this one is 16-bit)\n");
    EXPECT_FALSE(fs::exists(Path("deep-denoised.png")));

    const ToolRun reduced = Run({"deep.png"});
    ASSERT_EQ(reduced.exitCode, 0) << Explain(reduced);
    EXPECT_EQ(reduced.err, "lumistra: deep.png: note: 16-bit samples reduced to 8 bits\n");
    EXPECT_EQ(ReadImage(PathText("deep-denoised.png")), EngineResult(photo, {}));
}

TEST_F(FilteringTest, ProgressPairsArriveInOrder) {
    WriteImage(PathText("photo.png"), MakePhoto(3, kWidth, kHeight));
    const ToolRun run = Run({"photo.png", "--progress-log", "progress.txt"});
    ASSERT_EQ(run.exitCode, 0) << Explain(run);
    // Standard error is no terminal here, so no bar was drawn.
    EXPECT_EQ(run.err, "");
    std::istringstream log(FileText(Path("progress.txt")));
    std::vector<std::pair<int, int>> pairs;
    int done = 0, total = 0;
    while (log >> done >> total) pairs.emplace_back(done, total);
    ASSERT_GE(pairs.size(), 4u);
    EXPECT_EQ(pairs.front(), std::make_pair(0, 14));
    EXPECT_EQ(pairs.back(), std::make_pair(14, 14));
    for (std::size_t i = 1; i < pairs.size(); ++i) {
        EXPECT_EQ(pairs[i].second, 14);
        EXPECT_GE(pairs[i].first, pairs[i - 1].first) << "pair " << i;
    }
}

}  // namespace
