#include "ui/pane_copy.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/preview_computation.h"

namespace {
uint8_t Value(int32_t x, int32_t y, int32_t plane) { return uint8_t(x * 3 + y * 5 + plane * 7); }
}  // namespace

TEST(PreviewPaneCopy, WorkingPlaneIsPaddedTo64WithReplicatedEdges) {
    EXPECT_EQ(RoundUpTo64(375), 384);
    EXPECT_EQ(RoundUpTo64(250), 256);
    EXPECT_EQ(RoundUpTo64(256), 256);
    EXPECT_EQ(RoundUpTo64(1), 64);

    const int32_t width = 375, height = 250, planes = 3, stride = width * planes + 4;
    std::vector<uint8_t> interleaved(size_t(stride) * height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int32_t p = 0; p < planes; ++p)
                interleaved[size_t(y) * stride + x * planes + p] = Value(x, y, p);

    std::vector<uint8_t> plane(384 * 256, 0xAA);
    ExtractPlane(interleaved.data(), Rect{0, 0, int16_t(height), int16_t(width)}, stride,
                 plane.data(), Rect{0, 0, 256, 384}, 384, planes, 1);
    for (int32_t y = 0; y < 256; ++y) {
        for (int32_t x = 0; x < 384; ++x) {
            const int32_t sx = x < width ? x : width - 1;
            const int32_t sy = y < height ? y : height - 1;
            ASSERT_EQ(plane[size_t(y) * 384 + x], Value(sx, sy, 1)) << x << "," << y;
        }
    }

    // Only the unpadded block goes back, into its own channel.
    std::vector<uint8_t> filtered(size_t(width) * height * planes, 0x11);
    InsertPlane(plane.data(), Rect{0, 0, 256, 384}, 384, filtered.data(),
                Rect{0, 0, int16_t(height), int16_t(width)}, width * planes, planes, 1);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            ASSERT_EQ(filtered[(size_t(y) * width + x) * planes + 1], Value(x, y, 1));
            ASSERT_EQ(filtered[(size_t(y) * width + x) * planes + 0], 0x11);
        }
    }
}

TEST(PreviewPaneCopy, CopyRowsTakesTheSmallerBlock) {
    std::vector<uint8_t> source(10 * 6);
    for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i);
    std::vector<uint8_t> destination(8 * 8, 0);
    CopyRows(source.data(), Rect{1, 2, 6, 10}, 10, destination.data(), Rect{0, 1, 8, 5}, 8);
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            const bool copied = y < 5 && x >= 1 && x < 5;
            const uint8_t expected = copied ? uint8_t((y + 1) * 10 + 2 + (x - 1)) : 0;
            ASSERT_EQ(destination[size_t(y) * 8 + x], expected) << x << "," << y;
        }
    }
}

TEST(PreviewPaneCopy, ReplicateEdgesCompletesAPartlyFilledBuffer) {
    const int32_t width = 5, height = 4, planes = 2;
    std::vector<uint8_t> buffer(size_t(width) * height * planes, 0);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            for (int32_t p = 0; p < planes; ++p)
                buffer[(size_t(y) * width + x) * planes + p] = Value(x, y, p);
    ReplicateEdges(buffer.data(), width, height, planes, 3, 2);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int32_t p = 0; p < planes; ++p)
                ASSERT_EQ(buffer[(size_t(y) * width + x) * planes + p],
                          Value(x < 3 ? x : 2, y < 2 ? y : 1, p));
}
