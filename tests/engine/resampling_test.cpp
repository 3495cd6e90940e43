#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/img_class.h"
#include "tests/engine/reference_kernels.h"
#include "tests/engine/test_support.h"
#include "tests/support/guarded_buffer.h"

using lumistra_test::GuardedBuffer;
using lumistra_test::RandomPlane;

namespace {

uint32_t Half(uint32_t n) { return (n + 1) / 2; }

std::vector<uint8_t> Downsampled(const std::vector<uint8_t>& source, uint32_t width,
                                 uint32_t height, float gain = 1.0f) {
    const tImgClass kernels;
    const GuardedBuffer src(source);
    GuardedBuffer dest(size_t{Half(width)} * height);
    kernels.Downsample(src.data(), width, height, dest.data(), Half(width), Half(height), 0, gain);
    EXPECT_TRUE(dest.GuardsIntact()) << width << "x" << height;
    EXPECT_EQ(src.Contents(), source);
    std::vector<uint8_t> result = dest.Contents();
    result.resize(size_t{Half(width)} * Half(height));
    return result;
}

std::vector<uint8_t> Upsampled(const std::vector<uint8_t>& source, uint32_t width, uint32_t height,
                               uint32_t toWidth, uint32_t toHeight, float gain) {
    const tImgClass kernels;
    const GuardedBuffer src(source);
    GuardedBuffer dest(size_t{toWidth} * toHeight);
    kernels.Upsample(src.data(), width, height, dest.data(), toWidth, toHeight, 1, gain);
    EXPECT_TRUE(dest.GuardsIntact())
        << width << "x" << height << " to " << toWidth << "x" << toHeight;
    return dest.Contents();
}

// The pipeline's way: the source occupies the start of the destination's own buffer.
std::vector<uint8_t> UpsampledInPlace(const std::vector<uint8_t>& source, uint32_t width,
                                      uint32_t height, uint32_t toWidth, uint32_t toHeight,
                                      float gain) {
    const tImgClass kernels;
    GuardedBuffer buffer(size_t{toWidth} * toHeight);
    std::memcpy(buffer.data(), source.data(), source.size());
    kernels.Upsample(buffer.data(), width, height, buffer.data(), toWidth, toHeight, 1, gain);
    EXPECT_TRUE(buffer.GuardsIntact())
        << width << "x" << height << " to " << toWidth << "x" << toHeight;
    return buffer.Contents();
}

}  // namespace

TEST(Downsample, EdgeSamplesCountThreeTimes) {
    const std::vector<uint8_t> rows4 = {0, 4, 8, 12, 0, 4, 8, 12, 0, 4, 8, 12, 0, 4, 8, 12};
    EXPECT_EQ(Downsampled(rows4, 4, 4), (std::vector<uint8_t>{1, 8, 1, 8}));

    std::vector<uint8_t> rows5, columns5;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            rows5.push_back(static_cast<uint8_t>(10 * x));
            columns5.push_back(static_cast<uint8_t>(10 * y));
        }
    // (3*0 + 10 + 2) >> 2, (10 + 40 + 30 + 2) >> 2, (30 + 3*40 + 2) >> 2
    EXPECT_EQ(Downsampled(rows5, 5, 5), (std::vector<uint8_t>{3, 20, 38, 3, 20, 38, 3, 20, 38}));
    EXPECT_EQ(Downsampled(columns5, 5, 5), (std::vector<uint8_t>{3, 3, 3, 20, 20, 20, 38, 38, 38}));
}

TEST(Downsample, MatchesReferenceAtEverySizeAndIgnoresGain) {
    std::vector<std::pair<uint32_t, uint32_t>> sizes = {
        {64, 300}, {97, 83}, {255, 1}, {1, 255}, {300, 257}};
    for (uint32_t h = 1; h <= 17; ++h)
        for (uint32_t w = 1; w <= 17; ++w) sizes.emplace_back(w, h);
    for (const auto& [w, h] : sizes) {
        const std::vector<uint8_t> plane = RandomPlane(w, h, w * 1000 + h);
        const reference::Plane expected = reference::Downsample({w, h, plane});
        EXPECT_EQ(Downsampled(plane, w, h, 1.0f), expected.pixels) << w << "x" << h;
        EXPECT_EQ(Downsampled(plane, w, h, 1.37f), expected.pixels)
            << w << "x" << h << " gain 1.37";
        EXPECT_EQ(Downsampled(plane, w, h, 0.8f), expected.pixels) << w << "x" << h << " gain 0.8";
    }
}

TEST(Upsample, GainChoosesTruncationOrRounding) {
    EXPECT_EQ(Upsampled({10, 13}, 2, 1, 4, 1, 1.0f), (std::vector<uint8_t>{10, 11, 13, 13}));
    EXPECT_EQ(Upsampled({10, 13}, 2, 1, 4, 1, 1.25f), (std::vector<uint8_t>{10, 12, 13, 13}));
    EXPECT_EQ(Upsampled({10, 13}, 2, 1, 3, 1, 1.0f), (std::vector<uint8_t>{10, 11, 13}));
    EXPECT_EQ(Upsampled({10, 13}, 2, 1, 3, 1, 0.8f), (std::vector<uint8_t>{10, 12, 13}));
    // The last source row is used once for an odd height and twice for an even one.
    EXPECT_EQ(Upsampled({10, 13}, 1, 2, 1, 3, 1.0f), (std::vector<uint8_t>{10, 11, 13}));
    EXPECT_EQ(Upsampled({10, 13}, 1, 2, 1, 4, 1.0f), (std::vector<uint8_t>{10, 11, 13, 13}));
    // Vertical averages use the already truncated widened samples: (11 + 12) >> 1 = 11,
    // where the four source samples average 12.
    EXPECT_EQ(Upsampled({10, 13, 12, 13}, 2, 2, 3, 3, 1.0f),
              (std::vector<uint8_t>{10, 11, 13, 11, 11, 13, 12, 12, 13}));
}

// In place at every size, the single-row and single-column sources included.
TEST(Upsample, MatchesReferenceSeparatelyAndInPlace) {
    for (uint32_t h = 1; h <= 12; ++h) {
        for (uint32_t w = 1; w <= 12; ++w) {
            const std::vector<uint8_t> plane = RandomPlane(w, h, w * 100 + h);
            for (uint32_t toHeight : {2 * h - 1, 2 * h}) {
                for (uint32_t toWidth : {2 * w - 1, 2 * w}) {
                    for (float gain : {1.0f, 1.25f}) {
                        const reference::Plane expected =
                            reference::Upsample({w, h, plane}, toWidth, toHeight, gain);
                        const std::string what = std::to_string(w) + "x" + std::to_string(h) +
                                                 " to " + std::to_string(toWidth) + "x" +
                                                 std::to_string(toHeight) + " gain " +
                                                 std::to_string(gain);
                        EXPECT_EQ(Upsampled(plane, w, h, toWidth, toHeight, gain), expected.pixels)
                            << what;
                        EXPECT_EQ(UpsampledInPlace(plane, w, h, toWidth, toHeight, gain),
                                  expected.pixels)
                            << what << " in place";
                    }
                }
            }
        }
    }
}
