// The host's displayPixels drawing: which pixels of a plug-in's map reach the
// screen, whatever the map's layout, and which maps are refused.
#include "app/pixel_display.h"

#include <gtest/gtest.h>

#include <vector>

#include "interface/plugin_constants.h"

namespace {

// A 6 x 4 map at bounds (left 10, top 20), with padding after each row.
struct TestMap {
    std::vector<uint8_t> bytes;
    PSPixelMap map{};

    static uint8_t Sample(int x, int y, int plane) {
        return static_cast<uint8_t>(x * 16 + y * 4 + plane);
    }

    // Planar: one plane after another; interleaved: RGBRGB...
    explicit TestMap(bool interleaved, int16_t mode = plugInModeRGBColor) {
        const int width = 6, height = 4, planes = mode == plugInModeGrayScale ? 1 : 3;
        map.version = 1;
        map.bounds = VRect{20, 10, 20 + height, 10 + width};
        map.imageMode = mode;
        map.colBytes = interleaved ? planes : 1;
        map.rowBytes = width * map.colBytes + 5;
        map.planeBytes = interleaved ? 1 : map.rowBytes * height;
        bytes.assign(static_cast<std::size_t>(map.rowBytes * height * (interleaved ? 1 : planes)),
                     0xEE);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int plane = 0; plane < planes; ++plane) {
                    bytes[static_cast<std::size_t>(y * map.rowBytes + x * map.colBytes +
                                                   plane * map.planeBytes)] = Sample(x, y, plane);
                }
            }
        }
        map.baseAddr = bytes.data();
    }
};

uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return red << 16 | green << 8 | blue; }

TEST(PixelDisplay, TakesTheRectangleFromPlanarAndInterleavedMaps) {
    for (bool interleaved : {false, true}) {
        SCOPED_TRACE(interleaved ? "interleaved" : "planar");
        const TestMap source(interleaved);
        const VRect rect{21, 12, 23, 15};  // x 2..4, y 1..2 of the map
        const std::vector<uint32_t> rows = ComposeDisplayRows(source.map, rect);
        ASSERT_EQ(rows.size(), 6u);
        for (int y = 1; y <= 2; ++y) {
            for (int x = 2; x <= 4; ++x) {
                EXPECT_EQ(rows[static_cast<std::size_t>((y - 1) * 3 + (x - 2))],
                          Rgb(TestMap::Sample(x, y, 0), TestMap::Sample(x, y, 1),
                              TestMap::Sample(x, y, 2)));
            }
        }
    }
}

TEST(PixelDisplay, ShowsGreyscaleAsGrey) {
    const TestMap source(false, plugInModeGrayScale);
    const std::vector<uint32_t> rows = ComposeDisplayRows(source.map, source.map.bounds);
    ASSERT_EQ(rows.size(), 24u);
    const uint32_t grey = TestMap::Sample(5, 3, 0);
    EXPECT_EQ(rows.back(), Rgb(grey, grey, grey));
}

TEST(PixelDisplay, RefusesWhatItCannotDraw) {
    TestMap source(false);
    const VRect inside = source.map.bounds;
    EXPECT_TRUE(ComposeDisplayRows(source.map, VRect{20, 10, 20, 16}).empty());  // no rows
    EXPECT_TRUE(ComposeDisplayRows(source.map, VRect{19, 10, 24, 16}).empty());  // above the map
    EXPECT_TRUE(
        ComposeDisplayRows(source.map, VRect{20, 10, 24, 17}).empty());  // past its right edge
    EXPECT_EQ(DrawPixelMap(source.map, VRect{20, 10, 24, 17}, 0, 0, nullptr), paramErr);

    PSPixelMap cmyk = source.map;
    cmyk.imageMode = plugInModeCMYKColor;
    EXPECT_TRUE(ComposeDisplayRows(cmyk, inside).empty());
    PSPixelMap deep = source.map;
    deep.version = 3;
    deep.depth = 16;
    EXPECT_TRUE(ComposeDisplayRows(deep, inside).empty());
    PSPixelMap empty = source.map;
    empty.baseAddr = nullptr;
    EXPECT_TRUE(ComposeDisplayRows(empty, inside).empty());
}

}  // namespace
