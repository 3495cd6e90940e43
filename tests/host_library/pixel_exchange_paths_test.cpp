// The exchange copies rows that lie inside the image and need no sampling as
// whole rows (one plane) or interleaves them in order; every other row goes
// sample by sample. A rate a hair above 1 delivers the same samples (every
// 16-bit coordinate maps to itself) by the sample-by-sample path, so the two
// paths must give the same bytes for every plane range, rectangle, row
// padding and padding setting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/document.h"
#include "app/pixel_exchange.h"
#include "interface/plugin_constants.h"

namespace {

constexpr Fixed kUnitRate = 1 << 16;
constexpr Fixed kJustAboveUnitRate = kUnitRate + 1;

Document PatternedDocument(int32_t width, int32_t height) {
    Document document(ColourMode::kRgba, width, height);
    for (int plane = 0; plane < document.PlaneCount(); ++plane) {
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                document.At(plane, x, y) =
                    static_cast<uint8_t>(x * 7 + y * 13 + plane * 61 + x * y);
            }
        }
    }
    std::vector<uint8_t> mask(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t at = 0; at < mask.size(); ++at) mask[at] = static_cast<uint8_t>(at * 37);
    document.selectionMask = mask;
    return document;
}

struct PlaneRange {
    int16_t lo;
    int16_t hi;
};

std::string Describe(const Rect& rect, PlaneRange planes, int32_t extraRowBytes, int16_t padding) {
    return "rect " + std::to_string(rect.top) + "," + std::to_string(rect.left) + "," +
           std::to_string(rect.bottom) + "," + std::to_string(rect.right) + " planes " +
           std::to_string(planes.lo) + ".." + std::to_string(planes.hi) + " extra " +
           std::to_string(extraRowBytes) + " padding " + std::to_string(padding);
}

// Rectangles inside the image (the selection's offsets among them) and past
// its right and bottom edges, where padding fills the rows outside.
const Rect kRects[] = {{0, 0, 23, 37}, {3, 5, 20, 30},   {11, 0, 12, 37},  {0, 36, 23, 37},
                       {7, 9, 8, 10},  {15, 20, 30, 37}, {10, 30, 23, 45}, {20, 0, 26, 37}};
const PlaneRange kPlaneRanges[] = {{0, 0}, {2, 2}, {3, 3}, {0, 2}, {1, 3}, {0, 3}};
const int32_t kExtraRowBytes[] = {0, 1, 16};
const int16_t kPaddings[] = {0, 255, plugInWantsEdgeReplication, plugInDoesNotWantPadding,
                             plugInWantsErrorOnBoundsException};

TEST(PixelExchangePathsTest, WholeRowsAndSampleBySampleGiveTheSameInput) {
    const Document document = PatternedDocument(37, 23);
    for (const PlaneSet& source : {PlanesOf(document), MaskPlaneOf(document)}) {
        for (const Rect& rect : kRects) {
            for (const PlaneRange planes : kPlaneRanges) {
                if (static_cast<std::size_t>(planes.hi) >= source.planes.size()) continue;
                for (const int32_t extra : kExtraRowBytes) {
                    for (const int16_t padding : kPaddings) {
                        SamplingRules rules;
                        rules.samplingSupport = hostSupportsFractionalSampling;
                        rules.supportsPadding = true;
                        rules.padding = padding;
                        ExchangeBuffer wholeRows, sampleBySample;
                        rules.rate = kUnitRate;
                        const OSErr fast = BuildInputBuffer(source, rect, planes.lo, planes.hi,
                                                            rules, extra, &wholeRows);
                        rules.rate = kJustAboveUnitRate;
                        const OSErr general = BuildInputBuffer(source, rect, planes.lo, planes.hi,
                                                               rules, extra, &sampleBySample);
                        const std::string where = Describe(rect, planes, extra, padding);
                        ASSERT_EQ(fast, general) << where;
                        if (fast != noErr) continue;
                        EXPECT_EQ(wholeRows.rowBytes, sampleBySample.rowBytes) << where;
                        EXPECT_EQ(wholeRows.bytes, sampleBySample.bytes) << where;
                    }
                }
            }
        }
    }
}

TEST(PixelExchangePathsTest, OutputRowsMatchTheInputRowsOfTheSameArea) {
    const Document document = PatternedDocument(37, 23);
    SamplingRules rules;
    rules.samplingSupport = hostSupportsFractionalSampling;
    rules.rate = kJustAboveUnitRate;
    for (const Rect& rect : kRects) {
        if (rect.bottom > document.height() || rect.right > document.width()) continue;
        for (const PlaneRange planes : kPlaneRanges) {
            for (const int32_t extra : kExtraRowBytes) {
                ExchangeBuffer output, input;
                ASSERT_EQ(BuildOutputBuffer(document, rect, planes.lo, planes.hi, extra, &output),
                          noErr);
                ASSERT_EQ(BuildInputBuffer(PlanesOf(document), rect, planes.lo, planes.hi, rules,
                                           extra, &input),
                          noErr);
                EXPECT_EQ(output.bytes, input.bytes) << Describe(rect, planes, extra, 0);
            }
        }
    }
}

TEST(PixelExchangePathsTest, OnePlaneAtATimeTakesBackWhatAllPlanesTogetherDo) {
    const Document original = PatternedDocument(37, 23);
    for (const Rect& rect : kRects) {
        if (rect.bottom > original.height() || rect.right > original.width()) continue;
        for (const int32_t extra : kExtraRowBytes) {
            // The plug-in's output: every sample changed, the row padding left alone.
            ExchangeBuffer together;
            ASSERT_EQ(BuildOutputBuffer(original, rect, 0, 3, extra, &together), noErr);
            for (int32_t row = 0; row < together.Height(); ++row) {
                uint8_t* samples = together.bytes.data() + row * together.rowBytes;
                for (int32_t i = 0; i < together.rowSamples; ++i) samples[i] ^= 0x5A;
            }
            Document allPlanes = original;
            EXPECT_EQ(TakeBackOutput(together, &allPlanes), 0u);

            Document planeByPlane = original;
            for (int16_t plane = 0; plane < 4; ++plane) {
                ExchangeBuffer single;
                ASSERT_EQ(BuildOutputBuffer(original, rect, plane, plane, extra, &single), noErr);
                for (int32_t row = 0; row < single.Height(); ++row) {
                    uint8_t* samples = single.bytes.data() + row * single.rowBytes;
                    for (int32_t i = 0; i < single.rowSamples; ++i) samples[i] ^= 0x5A;
                }
                EXPECT_EQ(TakeBackOutput(single, &planeByPlane), 0u);
            }
            EXPECT_TRUE(planeByPlane == allPlanes) << Describe(rect, {0, 3}, extra, 0);
            EXPECT_FALSE(planeByPlane == original);
        }
    }
}

}  // namespace
