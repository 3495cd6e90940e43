// The netpbm files the tools write and read: what one writes the other reads back, and a
// file that lies about its size is refused rather than read short.
#include "tools/support/netpbm.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::string ScratchPath(const char* name) { return testing::TempDir() + name; }

TEST(NetpbmTest, ReadsBackWhatItWrites) {
    const uint8_t red[] = {1, 2, 3, 4, 5, 6};
    const uint8_t green[] = {10, 20, 30, 40, 50, 60};
    const uint8_t blue[] = {100, 110, 120, 130, 140, 150};
    const std::string colour = ScratchPath("netpbm-colour.ppm");
    ASSERT_EQ(lumistra::WritePpm(colour, red, green, blue, 3, 2), "");
    const std::string grey = ScratchPath("netpbm-grey.pgm");
    ASSERT_EQ(lumistra::WritePgm(grey, red, 2, 3), "");

    lumistra::NetpbmImage image;
    ASSERT_TRUE(lumistra::LooksLikeNetpbm(colour));
    ASSERT_EQ(lumistra::ReadNetpbm(colour, &image), "");
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    ASSERT_EQ(image.channels, 3);
    EXPECT_EQ(image.samples, std::vector<uint8_t>({1, 10, 100, 2, 20, 110, 3, 30, 120, 4, 40, 130,
                                                   5, 50, 140, 6, 60, 150}));
    ASSERT_EQ(lumistra::ReadNetpbm(grey, &image), "");
    EXPECT_EQ(image.channels, 1);
    EXPECT_EQ(image.samples, std::vector<uint8_t>(red, red + 6));
}

TEST(NetpbmTest, RefusesTruncatedAndForeignFiles) {
    const struct {
        const char* bytes;
        const char* problem;
    } cases[] = {
        {"P6\n4 4\n255\nabc", "truncated"}, {"P6\n30000 30000\n255\n", "truncated"},
        {"P6\n4 4\n65535\n", "only 8-bit"}, {"P6\n0 4\n255\n", "not an image size"},
        {"P6\nx 4\n255\n", "damaged"},      {"GIF89a", "not a binary PGM or PPM"},
    };
    const std::string path = ScratchPath("netpbm-bad.ppm");
    for (const auto& test : cases) {
        std::ofstream(path, std::ios::binary) << test.bytes;
        lumistra::NetpbmImage image;
        const std::string problem = lumistra::ReadNetpbm(path, &image);
        EXPECT_NE(problem.find(test.problem), std::string::npos) << test.bytes << ": " << problem;
    }
}

}  // namespace
