#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/img_class.h"
#include "tests/engine/reference_kernels.h"
#include "tests/engine/test_support.h"
#include "tests/support/guarded_buffer.h"

using lumistra_test::GuardedBuffer;
using lumistra_test::PhotoLikePlane;
using lumistra_test::RandomPlane;
using lumistra_test::TestRandom;

namespace {

enum class MedianPath { kScalar, kPacked };

std::vector<uint8_t> Filtered(MedianPath path, const std::vector<uint8_t>& plane, uint32_t width,
                              uint32_t height) {
    const tImgClass kernels;
    const GuardedBuffer src(plane);
    GuardedBuffer dest(plane.size(), 0xA5, 0xEE);
    if (path == MedianPath::kScalar)
        kernels.MedianFilter(src.data(), width, height, dest.data(), 1);
    else
        kernels.MedianFilterPacked(src.data(), width, height, dest.data(), 1);
    const char* name = path == MedianPath::kScalar ? "scalar" : "packed";
    EXPECT_TRUE(dest.GuardsIntact()) << name << " " << width << "x" << height;
    EXPECT_EQ(src.Contents(), plane) << name << " modified its source";
    return dest.Contents();
}

void ExpectBothPathsMatchReference(const std::vector<uint8_t>& plane, uint32_t width,
                                   uint32_t height, const std::string& what) {
    const std::vector<uint8_t> expected = reference::Median({width, height, plane}).pixels;
    EXPECT_EQ(Filtered(MedianPath::kScalar, plane, width, height), expected)
        << "scalar " << width << "x" << height << " " << what;
    EXPECT_EQ(Filtered(MedianPath::kPacked, plane, width, height), expected)
        << "packed " << width << "x" << height << " " << what;
}

// A 21x21 plane of background 20 with the samples for which isBright holds set to 200.
constexpr uint32_t kShapeSize = 21;
using Shape = std::function<bool(int x, int y)>;

std::vector<uint8_t> Draw(const Shape& isBright) {
    std::vector<uint8_t> plane(kShapeSize * kShapeSize);
    for (int y = 0; y < int{kShapeSize}; ++y)
        for (int x = 0; x < int{kShapeSize}; ++x)
            plane[y * kShapeSize + x] = isBright(x, y) ? 200 : 20;
    return plane;
}

bool InBorder(int x, int y) {
    const int last = int{kShapeSize} - 1;
    return x < 2 || y < 2 || x > last - 2 || y > last - 2;
}

void ExpectShape(const Shape& drawn, const Shape& remaining, const char* what) {
    const std::vector<uint8_t> expected = Draw(remaining);
    for (MedianPath path : {MedianPath::kScalar, MedianPath::kPacked})
        EXPECT_EQ(Filtered(path, Draw(drawn), kShapeSize, kShapeSize), expected)
            << what << (path == MedianPath::kScalar ? " (scalar)" : " (packed)");
}

}  // namespace

TEST(MedianFilter, BothPathsMatchReferenceAtEverySmallSize) {
    for (uint32_t height = 1; height <= 8; ++height) {
        for (uint32_t width = 1; width <= 40; ++width) {
            const uint64_t seed = width * 64 + height;
            ExpectBothPathsMatchReference(RandomPlane(width, height, seed), width, height,
                                          "random");
            // Few distinct values: many ties inside every window.
            ExpectBothPathsMatchReference(RandomPlane(width, height, seed, 0, 3), width, height,
                                          "ties");
        }
    }
}

TEST(MedianFilter, BothPathsMatchReferenceOnLargerPlanes) {
    for (const auto& [width, height] : std::vector<std::pair<uint32_t, uint32_t>>{
             {67, 45}, {131, 9}, {256, 19}, {5, 77}, {13, 9}, {14, 9}, {21, 9}, {22, 9}}) {
        ExpectBothPathsMatchReference(RandomPlane(width, height, width + height), width, height,
                                      "random");
        ExpectBothPathsMatchReference(PhotoLikePlane(width, height, width), width, height,
                                      "photo-like");
    }
}

TEST(MedianFilter, ShapesThatVanishOrSurvive) {
    ExpectShape([](int, int) { return false; }, [](int, int) { return false; }, "constant plane");
    ExpectShape([](int x, int y) { return x == 10 && y == 10; }, [](int, int) { return false; },
                "single speck");

    const auto horizontal = [](int, int y) { return y == 10; };
    const auto vertical = [](int x, int) { return x == 7; };
    const auto diagonal = [](int x, int y) { return x == y; };
    for (const Shape& line : {Shape(horizontal), Shape(vertical), Shape(diagonal)})
        ExpectShape(
            line, [&](int x, int y) { return line(x, y) && InBorder(x, y); },
            "one-sample line survives only in the border");

    ExpectShape([](int x, int y) { return x >= 9 && x <= 10 && y >= 9 && y <= 10; },
                [](int, int) { return false; }, "2x2 block");
    ExpectShape([](int x, int y) { return x >= 9 && x <= 11 && y >= 9 && y <= 11; },
                [](int x, int y) {
                    return (x == 10 && y >= 9 && y <= 11) || (y == 10 && x >= 9 && x <= 11);
                },
                "3x3 block leaves a plus");

    const std::vector<std::pair<Shape, const char*>> unchanged = {
        {[](int, int y) { return y == 9 || y == 10; }, "2-wide horizontal line"},
        {[](int x, int) { return x >= 9 && x <= 11; }, "3-wide vertical line"},
        {[](int x, int) { return x >= 4 && x <= 5; }, "2-wide vertical line"},
        {[](int x, int y) { return std::abs(x - y) <= 1; }, "3-thick diagonal band"},
        {[](int x, int) { return x >= 10; }, "vertical step edge"},
        {[](int x, int y) { return x + y >= 20; }, "diagonal step edge"},
    };
    for (const auto& [shape, what] : unchanged) ExpectShape(shape, shape, what);

    const auto band2 = [](int x, int y) { return x - y == 0 || x - y == 1; };
    ExpectShape(
        band2, [&](int x, int y) { return band2(x, y) && InBorder(x, y); },
        "2-thick diagonal band survives only in the border");
}

TEST(SelectMedian, ReturnsTheMiddleOfTheSortedValues) {
    TestRandom random(21);
    for (uint32_t n = 1; n <= 40; ++n) {
        for (int trial = 0; trial < 300; ++trial) {
            std::vector<uint8_t> values(n);
            const uint32_t span = trial % 3 == 0 ? 4 : 256;
            for (uint8_t& v : values) v = static_cast<uint8_t>(random.Below(span));
            if (trial % 10 == 1) std::sort(values.begin(), values.end());
            if (trial % 10 == 2) std::sort(values.rbegin(), values.rend());
            std::vector<uint8_t> sorted = values;
            std::sort(sorted.begin(), sorted.end());
            std::vector<uint8_t> work = values;
            ASSERT_EQ(tImgClass::SelectMedian(work.data(), n), sorted[(n - 1) / 2]) << "n " << n;
            std::sort(work.begin(), work.end());
            ASSERT_EQ(work, sorted) << "SelectMedian lost or invented values, n " << n;
        }
    }
}

TEST(MedianKernel8, WritesExactlyCountMediansAndReadsNoCorner) {
    TestRandom random(22);
    for (uint32_t count = 0; count <= 8; ++count) {
        reference::Plane window(12, 5);
        for (uint8_t& v : window.pixels) v = random.Byte();
        // Rows 0 and 4 hold only columns 1..10: the guards stand where the corners would be.
        GuardedBuffer row0(
            std::vector<uint8_t>(window.pixels.begin() + 1, window.pixels.begin() + 11));
        GuardedBuffer row1(
            std::vector<uint8_t>(window.pixels.begin() + 12, window.pixels.begin() + 24));
        GuardedBuffer row2(
            std::vector<uint8_t>(window.pixels.begin() + 24, window.pixels.begin() + 36));
        GuardedBuffer row3(
            std::vector<uint8_t>(window.pixels.begin() + 36, window.pixels.begin() + 48));
        GuardedBuffer row4(
            std::vector<uint8_t>(window.pixels.begin() + 49, window.pixels.begin() + 59));
        GuardedBuffer out(12, 0xA5, 0xEE);

        tImgClass::MedianKernel8(row0.data() - 1, row1.data(), row2.data(), row3.data(),
                                 row4.data() - 1, out.data(), count);

        const reference::Plane expected = reference::Median(window);
        std::vector<uint8_t> wanted(12, 0xEE);
        for (uint32_t i = 0; i < count; ++i) wanted[2 + i] = expected.At(2 + i, 2);
        EXPECT_EQ(out.Contents(), wanted) << "count " << count;
        EXPECT_TRUE(out.GuardsIntact());
    }
}
