#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/img_class.h"
#include "tests/engine/reference_kernels.h"
#include "tests/engine/test_support.h"
#include "tests/support/guarded_buffer.h"

using lumistra_test::GuardedBuffer;
using lumistra_test::PhotoLikePlane;
using lumistra_test::RandomPlane;

namespace {

enum class Extremum { kMax, kMin, kMaxSimd, kMinSimd };

bool IsMax(Extremum kind) { return kind == Extremum::kMax || kind == Extremum::kMaxSimd; }

void Run(Extremum kind, const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    const tImgClass kernels;
    switch (kind) {
        case Extremum::kMax:
            kernels.MaxFilter(src, width, height, dest, nullptr, 0, 1);
            break;
        case Extremum::kMin:
            kernels.MinFilter(src, width, height, dest, nullptr, 0, 1);
            break;
        case Extremum::kMaxSimd:
            kernels.MaxFilterSimd(src, width, height, dest, nullptr, 0, 1);
            break;
        case Extremum::kMinSimd:
            kernels.MinFilterSimd(src, width, height, dest, nullptr, 0, 1);
            break;
    }
}

// The guard value is the one a stray read would pull into the result: 255 for the
// maximum, 0 for the minimum.
uint8_t StrayValue(Extremum kind) { return IsMax(kind) ? 255 : 0; }

std::vector<uint8_t> Filtered(Extremum kind, const std::vector<uint8_t>& plane, uint32_t width,
                              uint32_t height) {
    const GuardedBuffer src(plane, StrayValue(kind));
    GuardedBuffer dest(plane.size(), StrayValue(kind), 0xEE);
    Run(kind, src.data(), width, height, dest.data());
    EXPECT_TRUE(dest.GuardsIntact()) << width << "x" << height;
    EXPECT_EQ(src.Contents(), plane) << "source modified, " << width << "x" << height;
    return dest.Contents();
}

std::vector<uint8_t> FilteredInPlace(Extremum kind, const std::vector<uint8_t>& plane,
                                     uint32_t width, uint32_t height) {
    GuardedBuffer buffer(plane, StrayValue(kind));
    Run(kind, buffer.data(), width, height, buffer.data());
    EXPECT_TRUE(buffer.GuardsIntact()) << width << "x" << height << " in place";
    return buffer.Contents();
}

reference::Plane Expected(Extremum kind, const std::vector<uint8_t>& plane, uint32_t width,
                          uint32_t height) {
    return IsMax(kind) ? reference::MaxFilter({width, height, plane}, 9)
                       : reference::MinFilter({width, height, plane}, 8);
}

std::vector<uint8_t> MaxThenMin(std::vector<uint8_t> plane, uint32_t width, uint32_t height) {
    const tImgClass kernels;
    kernels.MaxFilter(plane.data(), width, height, plane.data(), nullptr, 0, 1);
    kernels.MinFilter(plane.data(), width, height, plane.data(), nullptr, 0, 1);
    return plane;
}

std::vector<std::pair<uint32_t, uint32_t>> SweepSizes() {
    std::vector<std::pair<uint32_t, uint32_t>> sizes = {
        {19, 19}, {20, 17}, {37, 23}, {64, 3}, {3, 64}, {101, 57}, {256, 16}, {1, 40}, {40, 1}};
    for (uint32_t h = 1; h <= 12; ++h)
        for (uint32_t w = 1; w <= 12; ++w) sizes.emplace_back(w, h);
    return sizes;
}

}  // namespace

TEST(MaxMinFilter, MatchReferenceAtEverySizeSeparatelyAndInPlace) {
    for (Extremum kind : {Extremum::kMax, Extremum::kMin}) {
        for (const auto& [width, height] : SweepSizes()) {
            const std::string what = std::string(IsMax(kind) ? "max " : "min ") +
                                     std::to_string(width) + "x" + std::to_string(height);
            // Values kept off the stray-read value, so that a read outside the plane shows.
            const uint64_t seed = width * 131 + height;
            for (const std::vector<uint8_t>& plane :
                 {IsMax(kind) ? RandomPlane(width, height, seed, 0, 200)
                              : RandomPlane(width, height, seed, 50, 255),
                  RandomPlane(width, height, seed, 60, 63)}) {
                const std::vector<uint8_t> expected = Expected(kind, plane, width, height).pixels;
                EXPECT_EQ(Filtered(kind, plane, width, height), expected) << what;
                EXPECT_EQ(FilteredInPlace(kind, plane, width, height), expected)
                    << what << " in place";
            }
        }
    }
}

TEST(MaxMinFilter, SimdEntriesGiveTheScalarResult) {
    for (const auto& [width, height] :
         std::vector<std::pair<uint32_t, uint32_t>>{{10, 10}, {37, 23}, {5, 7}}) {
        const std::vector<uint8_t> plane = PhotoLikePlane(width, height, 5);
        EXPECT_EQ(Filtered(Extremum::kMaxSimd, plane, width, height),
                  Filtered(Extremum::kMax, plane, width, height));
        EXPECT_EQ(Filtered(Extremum::kMinSimd, plane, width, height),
                  Filtered(Extremum::kMin, plane, width, height));
        EXPECT_EQ(FilteredInPlace(Extremum::kMaxSimd, plane, width, height),
                  Filtered(Extremum::kMax, plane, width, height));
    }
}

TEST(MaxMinFilter, SquaresAroundSingleSamples) {
    const uint32_t size = 40;
    const auto square = [&](uint8_t background, uint8_t value, int x0, int y0, int x1, int y1) {
        std::vector<uint8_t> plane(size * size, background);
        for (int y = std::max(0, y0); y <= std::min<int>(size - 1, y1); ++y)
            for (int x = std::max(0, x0); x <= std::min<int>(size - 1, x1); ++x)
                plane[y * size + x] = value;
        return plane;
    };
    EXPECT_EQ(Filtered(Extremum::kMax, square(10, 90, 20, 15, 20, 15), size, size),
              square(10, 90, 11, 6, 29, 24))
        << "19x19 square";
    EXPECT_EQ(Filtered(Extremum::kMax, square(10, 90, 39, 0, 39, 0), size, size),
              square(10, 90, 30, 0, 39, 9))
        << "corner fills 10x10";
    EXPECT_EQ(Filtered(Extremum::kMin, square(200, 3, 20, 15, 20, 15), size, size),
              square(200, 3, 12, 7, 28, 23))
        << "17x17 square";
    EXPECT_EQ(Filtered(Extremum::kMin, square(200, 3, 0, 39, 0, 39), size, size),
              square(200, 3, 0, 31, 8, 39))
        << "corner fills 9x9";

    // Dilation then erosion leaves an isolated peak as a 3x3 plateau.
    EXPECT_EQ(MaxThenMin(square(0, 77, 18, 21, 18, 21), size, size), square(0, 77, 17, 20, 19, 22));
}

TEST(MaxMinFilter, MaxThenMinFillsGapsUpTo18) {
    const uint32_t width = 60, height = 30;
    for (uint32_t gap : {18u, 19u}) {
        std::vector<uint8_t> plane(width * height, 0);
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x)
                if (x < 20 || x >= 20 + gap) plane[y * width + x] = 100;
        const std::vector<uint8_t> result = MaxThenMin(plane, width, height);
        const bool filled =
            std::all_of(result.begin(), result.end(), [](uint8_t v) { return v == 100; });
        EXPECT_EQ(filled, gap == 18) << "gap " << gap;
        if (gap == 19) {
            EXPECT_EQ(result[10 * width + 20 + 9], 0) << "centre of a 19 gap stays dark";
        }
    }
}

TEST(MaxMinFilter, TiedExtremaDoNotDropOut) {
    // The first 9 leaves the window while an equal 9 remains; likewise for the 1s.
    std::vector<uint8_t> row(50, 5);
    row[3] = 9;
    row[15] = 9;
    row[30] = 1;
    row[40] = 1;
    std::vector<uint8_t> plane;
    for (int y = 0; y < 12; ++y) plane.insert(plane.end(), row.begin(), row.end());
    EXPECT_EQ(Filtered(Extremum::kMax, plane, 50, 12),
              Expected(Extremum::kMax, plane, 50, 12).pixels);
    EXPECT_EQ(Filtered(Extremum::kMin, plane, 50, 12),
              Expected(Extremum::kMin, plane, 50, 12).pixels);

    std::vector<uint8_t> column(12 * 50, 5);
    column[3 * 12] = column[15 * 12] = 9;
    column[30 * 12] = column[40 * 12] = 1;
    EXPECT_EQ(Filtered(Extremum::kMax, column, 12, 50),
              Expected(Extremum::kMax, column, 12, 50).pixels);
    EXPECT_EQ(Filtered(Extremum::kMin, column, 12, 50),
              Expected(Extremum::kMin, column, 12, 50).pixels);
}
