// The integer forms that stand in for the weight and output tables: found for the usual
// settings, never accepted unless exact, and the same bytes on every path.
#include "engine/sample_ramps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/blend_weight.h"
#include "engine/kernel_paths.h"
#include "engine/noise_reducer.h"
#include "tests/dispatch/dispatch_support.h"
#include "tests/support/guarded_buffer.h"

namespace {

using dispatch_test::Content;
using dispatch_test::FirstDifference;
using dispatch_test::MakePlane;
using dispatch_test::PathName;
using dispatch_test::SweepSizes;
using dispatch_test::WidePaths;
using lumistra_test::GuardedBuffer;

struct WeightRow {
    uint8_t weights[256];
    double slope;
};

WeightRow RowFor(float strength, float threshold) {
    WeightRow row;
    const float scale = BlendScale(threshold);
    const double factor = BlendFactor(strength);
    for (uint32_t d = 0; d < 256; ++d) row.weights[d] = BlendWeight(d, scale, strength, factor);
    row.slope = double(scale) * factor;
    return row;
}

// Every strength the dialog offers (2 * sqrt(percent / 100)) at the thresholds of the
// pyramid's levels: a ramp, when found, gives every weight of its row.
TEST(SampleRamps, WeightRampIsExactWhenFound) {
    int found = 0, tried = 0, shortForms = 0;
    for (int percent = 0; percent <= 100; ++percent) {
        const float strength = static_cast<float>(2.0 * std::sqrt(percent * 0.01));
        for (float threshold : {8.0f, 4.0f, 2.0f, 1.0f, 0.5f, 8.0f / 1.2f, 2.0f / 0.8f}) {
            const WeightRow row = RowFor(strength, threshold);
            WeightRamp ramp;
            ++tried;
            if (!FindWeightRamp(row.weights, row.slope, ramp)) continue;
            ++found;
            shortForms += ramp.shortMultiplier != 0;
            for (uint32_t d = 0; d < 256; ++d) {
                ASSERT_EQ(row.weights[d], RampWeight(ramp, d))
                    << "strength " << strength << " threshold " << threshold << " d " << d;
                if (ramp.shortMultiplier == 0) continue;
                const uint32_t capped = (d < ramp.cap ? d : ramp.cap) << ramp.shortShift;
                const uint32_t w = ShortRampProduct(capped, uint32_t(ramp.shortMultiplier));
                ASSERT_EQ(row.weights[d], w < 255 ? w : 255)
                    << "16-bit form, strength " << strength << " threshold " << threshold;
            }
        }
    }
    // The default strength at every level of a neutral-clarity run has its ramp, in 16
    // bits too.
    for (float threshold : {8.0f, 4.0f, 2.0f, 1.0f}) {
        const WeightRow row = RowFor(1.41421354f, threshold);
        WeightRamp ramp;
        EXPECT_TRUE(FindWeightRamp(row.weights, row.slope, ramp)) << threshold;
        EXPECT_NE(ramp.shortMultiplier, 0) << threshold;
    }
    EXPECT_GT(found, tried * 9 / 10);
    EXPECT_GT(shortForms, found * 9 / 10);
}

TEST(SampleRamps, WeightRampRefusesRowsItCannotForm) {
    WeightRow row = RowFor(1.0f, 8.0f);
    WeightRamp ramp;
    row.weights[0] = 1;  // a zero difference must weigh 0
    EXPECT_FALSE(FindWeightRamp(row.weights, row.slope, ramp));
    row = RowFor(1.0f, 8.0f);
    row.weights[7] ^= 1;  // not a rounded straight line
    EXPECT_FALSE(FindWeightRamp(row.weights, row.slope, ramp));
    const WeightRow zeroStrength = RowFor(0.0f, 8.0f);  // 255 from a difference of 1
    EXPECT_FALSE(FindWeightRamp(zeroStrength.weights, zeroStrength.slope, ramp));
}

// The output table as the pipeline builds it, detail rows of filtered columns.
std::vector<uint8_t> CombineTable(float filteredCoef, float detailCoef) {
    std::vector<uint8_t> table(256 * 256), filtered(256), detail(256);
    for (uint32_t v = 0; v < 256; ++v) filtered[v] = uint8_t(v);
    for (uint32_t d = 0; d < 256; ++d) {
        std::memset(detail.data(), int(d), 256);
        NoiseReducer::CombineOutput(filtered.data(), filteredCoef, detail.data(), detailCoef,
                                    table.data() + d * 256, 256, 1);
    }
    return table;
}

TEST(SampleRamps, CombineRampIsExactWhenFound) {
    const float coefficients[][2] = {{1.0f, 1.0f},       {0.5f, 1.0f},       {0.48225309f, 1.0f},
                                     {2.4414062f, 1.0f}, {1.2f, 0.8333333f}, {3.0f, -2.0f}};
    for (const auto& k : coefficients) {
        const auto table = CombineTable(k[0], k[1]);
        CombineRamp ramp;
        if (!FindCombineRamp(table.data(), k[0], k[1], 20, ramp)) continue;
        for (uint32_t d = 0; d < 256; ++d)
            for (uint32_t f = 0; f < 256; ++f)
                ASSERT_EQ(table[d * 256 + f], RampCombine(ramp, f, d))
                    << k[0] << " " << k[1] << " filtered " << f << " detail " << d;
    }
    CombineRamp ramp;
    EXPECT_TRUE(FindCombineRamp(CombineTable(1.0f, 1.0f).data(), 1.0f, 1.0f, 0, ramp));
    auto spoiled = CombineTable(1.0f, 1.0f);
    spoiled[300] ^= 1;
    EXPECT_FALSE(FindCombineRamp(spoiled.data(), 1.0f, 1.0f, 20, ramp));
}

// The output coefficients of a 6000 x 4000 plane (four levels below its own) at a
// clarity, as the pipeline forms them: 1 / c^4 for the plane and that times the gain the
// levels below hand back (c or 1 / c per level, in single precision step by step).
std::pair<float, float> PipelineCoefficients(float clarity) {
    float handedBack = clarity >= 1.0f ? clarity : static_cast<float>(1.0 / double(clarity));
    for (int level = 0; level < 3; ++level)
        handedBack = static_cast<float>(clarity >= 1.0f ? double(handedBack) * clarity
                                                        : double(handedBack) / clarity);
    const double square = double(clarity) * double(clarity);
    const float top = static_cast<float>(1.0 / (square * square));
    return {top, static_cast<float>(double(top) * handedBack)};
}

// Over the whole Clarity range (0..100 on the dialog, clarity 1.2 - 0.004 * Clarity) most
// settings have an exact integer form when fine scales are searched, and every form found
// reproduces the table.
TEST(SampleRamps, CombineRampFoundForMostClaritySettings) {
    int found = 0;
    for (int slider = 0; slider <= 100; ++slider) {
        const auto k = PipelineCoefficients(static_cast<float>(1.2 - 0.004 * slider));
        const auto table = CombineTable(k.first, k.second);
        CombineRamp ramp;
        if (!FindCombineRamp(table.data(), k.first, k.second, 20, ramp)) continue;
        ++found;
        for (uint32_t i = 0; i < 256 * 256; ++i)
            ASSERT_EQ(table[i], RampCombine(ramp, i & 255, i >> 8)) << "Clarity " << slider;
    }
    EXPECT_GE(found, 90);
}

// The ramp kernels of every path against the scalar ones, and the scalar ramp blend
// against the table blend it replaces, over the size sweep. The output combinations:
// clarity 1 (a sum) and Clarity 80, whose multipliers need more than 15 bits.
TEST(SampleRamps, RampKernelsMatchScalar) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    const WeightRow row = RowFor(1.41421354f, 2.0f);
    WeightRamp weightRamp;
    ASSERT_TRUE(FindWeightRamp(row.weights, row.slope, weightRamp));
    ASSERT_NE(weightRamp.shortMultiplier, 0);
    WeightRamp longFormOnly = weightRamp;
    longFormOnly.shortMultiplier = 0;
    std::vector<uint8_t> weightTable(256 * 256 + 3);
    for (uint32_t b = 0; b < 256; ++b) std::memcpy(&weightTable[b * 256], row.weights, 256);
    CombineRamp combineRamps[2];
    ASSERT_TRUE(FindCombineRamp(CombineTable(1.0f, 1.0f).data(), 1.0f, 1.0f, 0, combineRamps[0]));
    const auto k = PipelineCoefficients(0.88f);
    ASSERT_TRUE(FindCombineRamp(CombineTable(k.first, k.second).data(), k.first, k.second, 20,
                                combineRamps[1]));
    ASSERT_GE(combineRamps[1].detailMultiplier, 1 << 15);

    for (auto size : SweepSizes()) {
        const auto input = MakePlane(size.width, size.height, Content::kNoise, 11);
        const auto median = MakePlane(size.width, size.height, Content::kGradient, 12);
        const auto difference = MakePlane(size.width, size.height, Content::kTies, 13);
        const size_t count = input.size();
        const std::string where = std::to_string(size.width) + "x" + std::to_string(size.height);

        auto blend = [&](const KernelTable& kernels, bool useRamp, const WeightRamp& ramp) {
            GuardedBuffer blended(count);
            std::vector<uint8_t> scratch = difference;
            std::memcpy(blended.data(), median.data(), count);
            if (useRamp)
                kernels.minimumBlendRamp(scratch.data(), size.width, size.height, input.data(),
                                         blended.data(), ramp);
            else
                kernels.minimumBlend(scratch.data(), size.width, size.height, input.data(),
                                     blended.data(), weightTable.data());
            EXPECT_TRUE(blended.GuardsIntact()) << where;
            return blended.Contents();
        };
        auto combine = [&](const KernelTable& kernels, const CombineRamp& ramp) {
            GuardedBuffer out(count);
            kernels.combineOutputRamp(input.data(), median.data(), ramp, out.data(), count);
            EXPECT_TRUE(out.GuardsIntact()) << where;
            return out.Contents();
        };
        const auto expectedBlend = blend(scalar, false, weightRamp);
        ASSERT_EQ("", FirstDifference(expectedBlend, blend(scalar, true, weightRamp)))
            << "scalar " << where;
        for (KernelPath path : WidePaths()) {
            const KernelTable& wide = *KernelTableFor(path);
            ASSERT_EQ("", FirstDifference(expectedBlend, blend(wide, true, weightRamp)))
                << PathName(path) << " " << where;
            ASSERT_EQ("", FirstDifference(expectedBlend, blend(wide, true, longFormOnly)))
                << PathName(path) << " " << where << " without the 16-bit form";
            for (const CombineRamp& ramp : combineRamps)
                ASSERT_EQ("", FirstDifference(combine(scalar, ramp), combine(wide, ramp)))
                    << PathName(path) << " " << where << " shift " << ramp.shift;
        }
    }
}

}  // namespace
