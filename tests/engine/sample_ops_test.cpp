#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/noise_reducer.h"
#include "tests/engine/reference_kernels.h"
#include "tests/engine/test_support.h"

using lumistra_test::RandomPlane;
using lumistra_test::TestRandom;

namespace {

void* NoAllocate(uint32_t) { return nullptr; }
void NoRelease(void*) {}

std::vector<uint8_t> WeightsOf(const std::vector<uint8_t>& difference,
                               const std::vector<uint8_t>& brightness, float hi, float lo,
                               float threshold) {
    const NoiseReducer reducer(NoAllocate, NoRelease);
    std::vector<uint8_t> out(difference.size(), 0xEE);
    reducer.ComputeBlendWeights(difference.data(), brightness.data(), hi, lo, threshold, out.data(),
                                out.size(), 1);
    return out;
}

uint8_t WeightOf(uint8_t difference, uint8_t brightness, float hi, float lo, float threshold) {
    return WeightsOf({difference}, {brightness}, hi, lo, threshold)[0];
}

}  // namespace

TEST(ToSample, ClampsAndRoundsHalvesUp) {
    EXPECT_EQ(NoiseReducer::ToSample(255.0), 255);
    EXPECT_EQ(NoiseReducer::ToSample(255.2), 255);
    EXPECT_EQ(NoiseReducer::ToSample(254.5), 255);
    EXPECT_EQ(NoiseReducer::ToSample(-0.3), 0);
    EXPECT_EQ(NoiseReducer::ToSample(0.49), 0);
    EXPECT_EQ(NoiseReducer::ToSample(0.5), 1);
    EXPECT_EQ(NoiseReducer::ToSample(1e9), 255);
    EXPECT_EQ(NoiseReducer::ToSample(-1e9), 0);
}

TEST(ToSample, RoundsToSinglePrecisionBeforeTheHalf) {
    // 127.49999999 becomes 127.5 in single precision and so rounds up.
    EXPECT_EQ(NoiseReducer::ToSample(127.49999999), 128);
    EXPECT_EQ(NoiseReducer::ToSample(127.4999), 127);

    TestRandom random(11);
    for (int i = 0; i < 200000; ++i) {
        // Half the values sit within a few single-precision steps of a half.
        double v = random.Unit() * 270.0 - 7.0;
        if (i % 2 == 0) v = std::floor(v) + 0.5 + (random.Unit() - 0.5) * 4e-5;
        ASSERT_EQ(NoiseReducer::ToSample(v), reference::ToSample(v)) << "value " << v;
    }
}

TEST(AbsDifference, MatchesDefinitionWritingOverItsInput) {
    std::vector<uint8_t> a = RandomPlane(1000, 1, 1);
    const std::vector<uint8_t> original = a;
    const std::vector<uint8_t> b = RandomPlane(1000, 1, 2);
    NoiseReducer::AbsDifference(a.data(), b.data(), a.data(), a.size(), 1);
    for (size_t i = 0; i < a.size(); ++i) ASSERT_EQ(a[i], std::abs(original[i] - b[i])) << i;
}

TEST(ScaleClamp, RoundsHalvesUpAndSaturates) {
    const std::vector<uint8_t> in = {0, 1, 3, 169, 170, 200, 255};
    std::vector<uint8_t> out(in.size());
    NoiseReducer::ScaleClamp(in.data(), 1.5f, out.data(), in.size(), 1);
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 2, 5, 254, 255, 255, 255}));

    std::vector<uint8_t> all(256);
    for (int v = 0; v < 256; ++v) all[v] = static_cast<uint8_t>(v);
    std::vector<uint8_t> same = all;
    NoiseReducer::ScaleClamp(same.data(), 1.0f, same.data(), same.size(), 1);
    EXPECT_EQ(same, all);
}

TEST(ScaleClamp, MatchesReferenceForPyramidGains) {
    const std::vector<uint8_t> in = RandomPlane(4096, 1, 3);
    for (float gain : {0.512f, 0.64f, 0.8f, 1.2f, 1.44f, 1.728f, 2.0736f, 1.0f / 3.0f}) {
        std::vector<uint8_t> out = in;
        NoiseReducer::ScaleClamp(out.data(), gain, out.data(), out.size(), 1);
        for (size_t i = 0; i < in.size(); ++i)
            ASSERT_EQ(out[i], reference::ScaleClamp(in[i], gain))
                << "gain " << gain << " x " << int{in[i]};
    }
}

TEST(BlendByWeight, ExtremeWeightsKeepOneInputExactly) {
    std::vector<uint8_t> input, median;
    for (int i = 0; i < 256; ++i)
        for (int m = 0; m < 256; ++m) {
            input.push_back(static_cast<uint8_t>(i));
            median.push_back(static_cast<uint8_t>(m));
        }
    std::vector<uint8_t> out(input.size());
    const std::vector<uint8_t> full(input.size(), 255), none(input.size(), 0);
    NoiseReducer::BlendByWeight(input.data(), median.data(), full.data(), out.data(), out.size(),
                                1);
    EXPECT_EQ(out, input);
    NoiseReducer::BlendByWeight(input.data(), median.data(), none.data(), out.data(), out.size(),
                                1);
    EXPECT_EQ(out, median);

    const uint8_t i200 = 200, m100 = 100, w128 = 128;
    uint8_t blended = 0;
    NoiseReducer::BlendByWeight(&i200, &m100, &w128, &blended, 1, 1);
    EXPECT_EQ(blended, 150);
}

TEST(BlendByWeight, MatchesReferenceWritingOverTheMedian) {
    const std::vector<uint8_t> input = RandomPlane(5000, 1, 4);
    const std::vector<uint8_t> weight = RandomPlane(5000, 1, 5);
    std::vector<uint8_t> median = RandomPlane(5000, 1, 6);
    const std::vector<uint8_t> originalMedian = median;
    NoiseReducer::BlendByWeight(input.data(), median.data(), weight.data(), median.data(),
                                median.size(), 1);
    for (size_t i = 0; i < input.size(); ++i)
        ASSERT_EQ(median[i], reference::Blend(input[i], originalMedian[i], weight[i])) << i;
}

TEST(ComputeBlendWeights, ZeroDifferenceAndZeroStrength) {
    for (uint8_t b : {0, 63, 127, 191, 255}) {
        EXPECT_EQ(WeightOf(0, b, 0.0f, 0.0f, 8.0f), 0);
        EXPECT_EQ(WeightOf(0, b, 2.0f, 2.0f, 8.0f), 0);
        EXPECT_EQ(WeightOf(0, b, 1.0f, 1.0f, 0.5f), 0);
    }
    // A zero strength in the pixel's own band keeps the input entirely.
    EXPECT_EQ(WeightOf(1, 30, 2.0f, 0.0f, 8.0f), 255);
    EXPECT_EQ(WeightOf(1, 220, 0.0f, 2.0f, 8.0f), 255);
    EXPECT_EQ(WeightOf(1, 127, 0.0f, 0.0f, 8.0f), 255);
    // Strength 2 takes the median, above 2 as well.
    EXPECT_EQ(WeightOf(200, 30, 1.0f, 2.0f, 8.0f), 0);
    EXPECT_EQ(WeightOf(200, 220, 2.5f, 1.0f, 8.0f), 0);
}

TEST(ComputeBlendWeights, BandLimitsSelectTheStrength) {
    // Strength 1 gives 128 * d / threshold: 16 * 5 = 80.
    for (float other : {0.0f, 0.5f, 2.0f}) {
        EXPECT_EQ(WeightOf(5, 63, other, 1.0f, 8.0f), 80) << "shadow limit, hi " << other;
        EXPECT_EQ(WeightOf(5, 0, other, 1.0f, 8.0f), 80);
        EXPECT_EQ(WeightOf(5, 191, 1.0f, other, 8.0f), 80) << "highlight limit, lo " << other;
        EXPECT_EQ(WeightOf(5, 255, 1.0f, other, 8.0f), 80);
    }
    // One step inside the band the other strength already counts (r = 0.99216 and 0.99608).
    EXPECT_EQ(WeightOf(5, 64, 0.0f, 1.0f, 8.0f), 81);
    EXPECT_EQ(WeightOf(5, 190, 1.0f, 0.0f, 8.0f), 81);
    // 128 / 3 rounded to single precision, times 1: 42.67 rounds to 43.
    EXPECT_EQ(WeightOf(1, 127, 1.0f, 1.0f, 3.0f), 43);
    EXPECT_EQ(WeightOf(200, 127, 1.0f, 1.0f, 8.0f), 255);
}

TEST(ComputeBlendWeights, ScaleFactorIsRoundedToSinglePrecision) {
    // 128 / 3.01176476f is 42.4999992 in double precision and exactly 42.5 in single.
    EXPECT_EQ(WeightOf(1, 220, 1.0f, 1.0f, 3.0117647647857666f), 43);
    EXPECT_EQ(WeightOf(1, 30, 1.0f, 1.0f, 12.190476417541504f), 11);  // 10.4999998 -> 10.5
}

TEST(ComputeBlendWeights, MidBandMixesBothStrengths) {
    const float lo = 0.5f, hi = 1.5f, threshold = 8.0f;
    const double t = 64.0 / 255.0;
    const float r = static_cast<float>(lo * (1.0 - 2.0 * t) + hi * 2.0 * t);
    const float f = static_cast<float>(128.0 / threshold);
    for (uint8_t d : {1, 2, 3, 7}) {
        const double v = d * double{f} * (2.0 / r - 1.0);
        EXPECT_EQ(WeightOf(d, 127, hi, lo, threshold), static_cast<int>(std::floor(v + 0.5)))
            << int{d};
    }
}

TEST(ComputeBlendWeights, MatchesReferenceOnRandomInputs) {
    const std::vector<uint8_t> difference = RandomPlane(20000, 1, 7, 0, 40);
    const std::vector<uint8_t> brightness = RandomPlane(20000, 1, 8);
    TestRandom random(9);
    const float thresholds[] = {8.0f, 8.0f / 1.2f, 4.0f / 0.8f, 2.0f, 1.0f / 1.44f, 0.5f, 0.347f};
    for (int round = 0; round < 40; ++round) {
        const float hi = round % 8 == 0 ? 0.0f : static_cast<float>(random.Unit() * 2.2);
        const float lo = round % 5 == 0 ? 2.0f : static_cast<float>(random.Unit() * 2.2);
        const float threshold = thresholds[round % 7];
        std::vector<uint8_t> inPlace = difference;
        const NoiseReducer reducer(NoAllocate, NoRelease);
        reducer.ComputeBlendWeights(inPlace.data(), brightness.data(), hi, lo, threshold,
                                    inPlace.data(), inPlace.size(), 1);
        for (size_t i = 0; i < difference.size(); ++i)
            ASSERT_EQ(inPlace[i],
                      reference::BlendWeight(difference[i], brightness[i], hi, lo, threshold))
                << "d " << int{difference[i]} << " b " << int{brightness[i]} << " hi " << hi
                << " lo " << lo << " threshold " << threshold;
    }
}

TEST(CombineDetail, UnitCoefficientsOnEqualPlanesGiveZeroDetail) {
    std::vector<uint8_t> a(256);
    for (int v = 0; v < 256; ++v) a[v] = static_cast<uint8_t>(v);
    std::vector<uint8_t> out(256);
    NoiseReducer::CombineDetail(a.data(), 1.0f, a.data(), 1.0f, out.data(), out.size(), 1);
    EXPECT_EQ(out, std::vector<uint8_t>(256, 127));
}

TEST(Combinations, MatchReferenceWritingOverTheirFirstInput) {
    const size_t n = 3000;
    const std::vector<uint8_t> a = RandomPlane(n, 1, 10), b = RandomPlane(n, 1, 11);
    const std::vector<uint8_t> coarse = RandomPlane(n, 1, 12, 90, 165);
    TestRandom random(13);
    for (int round = 0; round < 30; ++round) {
        const auto coefficient = [&] {
            return static_cast<float>(round < 20 ? 0.4 + random.Unit() * 1.8
                                                 : random.Unit() * 9.0 - 3.0);
        };
        const float ca = coefficient(), cb = coefficient(), cu = coefficient();

        std::vector<uint8_t> detail = a;
        NoiseReducer::CombineDetail(detail.data(), ca, b.data(), cb, detail.data(), n, 1);
        std::vector<uint8_t> withCoarse = a;
        NoiseReducer::CombineDetailWithCoarse(withCoarse.data(), ca, coarse.data(), cu, b.data(),
                                              cb, withCoarse.data(), n, 1);
        std::vector<uint8_t> output = a;
        NoiseReducer::CombineOutput(output.data(), ca, coarse.data(), cu, output.data(), n, 1);
        for (size_t i = 0; i < n; ++i) {
            ASSERT_EQ(detail[i], reference::CombineDetail(a[i], ca, b[i], cb)) << i;
            ASSERT_EQ(withCoarse[i],
                      reference::CombineDetailWithCoarse(a[i], ca, coarse[i], cu, b[i], cb))
                << i;
            ASSERT_EQ(output[i], reference::CombineOutput(a[i], ca, coarse[i], cu)) << i;
        }
    }
}
