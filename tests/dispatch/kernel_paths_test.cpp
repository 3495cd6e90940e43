// Every wide kernel against the scalar one, byte for byte, over the size sweep: in place
// and into a separate plane, with guard bytes after every destination.
#include "engine/kernel_paths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "engine/noise_reducer.h"
#include "engine/sample_ramps.h"
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

constexpr Content kContents[] = {Content::kNoise, Content::kTies, Content::kGradient};

using PlaneKernel = void (*)(const uint8_t*, uint32_t, uint32_t, uint8_t*);

// Runs kernel of path and of the scalar table on every sweep size and content.
void ExpectPlaneKernelMatches(PlaneKernel KernelTable::*kernel, bool inPlace) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    for (KernelPath path : WidePaths()) {
        const KernelTable& wide = *KernelTableFor(path);
        for (auto size : SweepSizes()) {
            for (Content content : kContents) {
                const auto source = MakePlane(size.width, size.height, content, 1);
                const size_t count = source.size();
                GuardedBuffer expected(count), actual(count);
                if (inPlace) {
                    std::memcpy(expected.data(), source.data(), count);
                    std::memcpy(actual.data(), source.data(), count);
                    (scalar.*kernel)(expected.data(), size.width, size.height, expected.data());
                    (wide.*kernel)(actual.data(), size.width, size.height, actual.data());
                } else {
                    (scalar.*kernel)(source.data(), size.width, size.height, expected.data());
                    (wide.*kernel)(source.data(), size.width, size.height, actual.data());
                }
                ASSERT_EQ("", FirstDifference(expected.Contents(), actual.Contents()))
                    << PathName(path) << " " << size.width << "x" << size.height << " content "
                    << int(content) << (inPlace ? " in place" : "");
                ASSERT_TRUE(actual.GuardsIntact())
                    << PathName(path) << " " << size.width << "x" << size.height;
            }
        }
    }
}

TEST(KernelPaths, MedianMatchesScalar) { ExpectPlaneKernelMatches(&KernelTable::median, false); }

TEST(KernelPaths, RunningMaxMatchesScalar) {
    ExpectPlaneKernelMatches(&KernelTable::runningMax, false);
    ExpectPlaneKernelMatches(&KernelTable::runningMax, true);
}

TEST(KernelPaths, RunningMinMatchesScalar) {
    ExpectPlaneKernelMatches(&KernelTable::runningMin, false);
    ExpectPlaneKernelMatches(&KernelTable::runningMin, true);
}

// The merged sweeps of a level against the scalar stages they stand for: median,
// difference (scaled or not) and maximum; minimum, table weights and blend.
TEST(KernelPaths, MergedLevelStagesMatchScalar) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    std::vector<uint8_t> table(256 * 256 + 3);
    for (size_t i = 0; i < table.size(); ++i) table[i] = uint8_t((i * 37) ^ (i >> 8));
    uint8_t scaled[256];
    NoiseReducer::ScaledDifferences(1.44f, scaled);
    for (KernelPath path : WidePaths()) {
        const KernelTable& wide = *KernelTableFor(path);
        for (auto size : SweepSizes()) {
            const auto input = MakePlane(size.width, size.height, Content::kGradient, 8);
            const size_t count = input.size();
            const std::string where = PathName(path) + " " + std::to_string(size.width) + "x" +
                                      std::to_string(size.height);
            for (const uint8_t* scaling :
                 {static_cast<const uint8_t*>(nullptr), static_cast<const uint8_t*>(scaled)}) {
                GuardedBuffer median(count), difference(count), wideMedian(count),
                    wideDifference(count);
                scalar.medianDifferenceMax(input.data(), size.width, size.height, median.data(),
                                           difference.data(), scaling);
                wide.medianDifferenceMax(input.data(), size.width, size.height, wideMedian.data(),
                                         wideDifference.data(), scaling);
                ASSERT_EQ("", FirstDifference(median.Contents(), wideMedian.Contents())) << where;
                ASSERT_EQ("", FirstDifference(difference.Contents(), wideDifference.Contents()))
                    << where << (scaling ? " scaled" : "");
                ASSERT_TRUE(wideMedian.GuardsIntact() && wideDifference.GuardsIntact()) << where;

                GuardedBuffer wideBlend(count);
                std::memcpy(wideBlend.data(), median.data(), count);
                wide.minimumBlend(wideDifference.data(), size.width, size.height, input.data(),
                                  wideBlend.data(), table.data());
                scalar.minimumBlend(difference.data(), size.width, size.height, input.data(),
                                    median.data(), table.data());
                ASSERT_EQ("", FirstDifference(median.Contents(), wideBlend.Contents())) << where;
                ASSERT_TRUE(wideBlend.GuardsIntact()) << where;

                GuardedBuffer looked(count), wideLooked(count);
                scalar.lookUp(table.data(), input.data(), median.data(), looked.data(), count);
                wide.lookUp(table.data(), input.data(), median.data(), wideLooked.data(), count);
                ASSERT_EQ("", FirstDifference(looked.Contents(), wideLooked.Contents())) << where;
                ASSERT_TRUE(wideLooked.GuardsIntact()) << where;
            }
        }
    }
}

// The one-sweep level against the scalar stages, with table weights and ramp weights,
// differences unscaled, scaled by the table or scaled by its ramp form, halving the result
// or not; it may refuse only planes narrower than its vectors, and writes nothing outside
// its output planes and rings.
TEST(KernelPaths, LevelSweepMatchesScalarStages) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    std::vector<uint8_t> table(256 * 256 + 3);
    for (size_t i = 0; i < table.size(); ++i) table[i] = uint8_t((i * 37) ^ (i >> 8));
    const WeightRamp ramp = {60, 35651584u, 4194304u};  // 255 / 60 per unit, halves up
    uint8_t scaled[256];
    NoiseReducer::ScaledDifferences(0.8f, scaled);
    WeightRamp scaledRamp;
    ASSERT_TRUE(FindWeightRamp(scaled, 0.8, scaledRamp));
    for (KernelPath path : WidePaths()) {
        const KernelTable& wide = *KernelTableFor(path);
        for (auto size : SweepSizes()) {
            const auto input = MakePlane(size.width, size.height, Content::kNoise, 9);
            const size_t count = input.size();
            for (int scalingForm = 0; scalingForm < 3; ++scalingForm) {
                const uint8_t* scaling = scalingForm > 0 ? scaled : nullptr;
                const WeightRamp* scalingRamp = scalingForm == 2 ? &scaledRamp : nullptr;
                for (bool tabled : {true, false}) {
                    const std::string where =
                        PathName(path) + " " + std::to_string(size.width) + "x" +
                        std::to_string(size.height) + (scaling ? " scaled" : "") +
                        (scalingRamp ? " by ramp" : "") + (tabled ? " table" : " ramp");
                    GuardedBuffer expected(count), difference(count);
                    scalar.medianDifferenceMax(input.data(), size.width, size.height,
                                               expected.data(), difference.data(), scaling);
                    if (tabled)
                        scalar.minimumBlend(difference.data(), size.width, size.height,
                                            input.data(), expected.data(), table.data());
                    else
                        scalar.minimumBlendRamp(difference.data(), size.width, size.height,
                                                input.data(), expected.data(), ramp);

                    // Every other run also halves the result on the way.
                    const uint32_t w = (size.width + 1) / 2, h = (size.height + 1) / 2;
                    GuardedBuffer actual(count), rings(size_t(LevelSweepRingBytes(size.width)));
                    GuardedBuffer half(size_t(w) * h), actualHalf(size_t(w) * h);
                    const bool halving = scaling == nullptr;
                    const bool swept = wide.levelSweep(
                        input.data(), size.width, size.height, scaling, scalingRamp,
                        tabled ? table.data() : nullptr, tabled ? nullptr : &ramp, rings.data(),
                        actual.data(), halving ? actualHalf.data() : nullptr);
                    ASSERT_TRUE(actual.GuardsIntact() && rings.GuardsIntact() &&
                                actualHalf.GuardsIntact())
                        << where;
                    if (!swept) {
                        ASSERT_LT(size.width, 32u) << where;
                        continue;
                    }
                    ASSERT_EQ("", FirstDifference(expected.Contents(), actual.Contents())) << where;
                    if (halving) {
                        scalar.downsample(expected.data(), size.width, size.height, half.data(), w,
                                          h);
                        ASSERT_EQ("", FirstDifference(half.Contents(), actualHalf.Contents()))
                            << where << " halved";
                    }
                }
            }
        }
    }
}

// Halving and doubling of every sweep size; the up-sampler also over its own source, as
// the pipeline runs it, at neutral gain (halves truncated) and another (halves up).
TEST(KernelPaths, ResamplersMatchScalar) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    for (KernelPath path : WidePaths()) {
        const KernelTable& wide = *KernelTableFor(path);
        for (auto size : SweepSizes()) {
            const uint32_t w = (size.width + 1) / 2, h = (size.height + 1) / 2;
            const auto source = MakePlane(size.width, size.height, Content::kNoise, 6);
            GuardedBuffer expected(size_t(w) * size.height), actual(size_t(w) * size.height);
            scalar.downsample(source.data(), size.width, size.height, expected.data(), w, h);
            wide.downsample(source.data(), size.width, size.height, actual.data(), w, h);
            ASSERT_EQ("", FirstDifference(expected.Contents(), actual.Contents()))
                << "downsample " << PathName(path) << " " << size.width << "x" << size.height;
            ASSERT_TRUE(actual.GuardsIntact());

            const auto half = MakePlane(w, h, Content::kGradient, 7);
            for (float gain : {1.0f, 1.25f}) {
                for (bool inPlace : {false, true}) {
                    GuardedBuffer up(source.size()), upWide(source.size());
                    const uint8_t* from = half.data();
                    const uint8_t* fromWide = half.data();
                    if (inPlace) {
                        std::memcpy(up.data(), half.data(), half.size());
                        std::memcpy(upWide.data(), half.data(), half.size());
                        from = up.data();
                        fromWide = upWide.data();
                    }
                    scalar.upsample(from, w, h, up.data(), size.width, size.height, gain);
                    wide.upsample(fromWide, w, h, upWide.data(), size.width, size.height, gain);
                    ASSERT_EQ("", FirstDifference(up.Contents(), upWide.Contents()))
                        << "upsample " << PathName(path) << " " << size.width << "x" << size.height
                        << " gain " << gain << (inPlace ? " in place" : "");
                    ASSERT_TRUE(upWide.GuardsIntact());
                }
            }
        }
    }
}

// Counts around every vector width, and coefficients whose sums land on halves, beyond
// both ends of the range, and on values that round differently in single precision.
// The up-sampling fused with the output combination, by ramp, table and coefficients,
// against the scalar up-sampler followed by the scalar combination.
TEST(KernelPaths, UpsampleCombineOutputMatchesScalar) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    std::vector<uint8_t> table(256 * 256 + 3);
    for (size_t i = 0; i < table.size(); ++i) table[i] = uint8_t((i * 53) ^ (i >> 7));
    const CombineRamp ramp = {8, 8, -1016, 3};  // the clarity-1 form: filtered + detail - 127
    const OutputCombination ways[] = {{&ramp, nullptr, 1.0f, 1.0f},
                                      {nullptr, table.data(), 1.0f, 1.0f},
                                      {nullptr, nullptr, 0.6944444f, 1.2f}};
    for (KernelPath path : WidePaths()) {
        const KernelTable& wide = *KernelTableFor(path);
        for (auto size : SweepSizes()) {
            const uint32_t w = (size.width + 1) / 2, h = (size.height + 1) / 2;
            const auto half = MakePlane(w, h, Content::kGradient, 10);
            const auto filtered = MakePlane(size.width, size.height, Content::kNoise, 11);
            const size_t count = filtered.size();
            for (float gain : {1.0f, 1.25f}) {
                for (const OutputCombination& how : ways) {
                    std::vector<uint8_t> detail(count);
                    scalar.upsample(half.data(), w, h, detail.data(), size.width, size.height,
                                    gain);
                    GuardedBuffer expected(count), actual(count), row(size.width);
                    if (how.ramp != nullptr)
                        scalar.combineOutputRamp(filtered.data(), detail.data(), *how.ramp,
                                                 expected.data(), count);
                    else if (how.table != nullptr)
                        scalar.lookUp(how.table, detail.data(), filtered.data(), expected.data(),
                                      count);
                    else
                        scalar.combineOutput(filtered.data(), how.filteredCoef, detail.data(),
                                             how.detailCoef, expected.data(), count);
                    wide.upsampleCombineOutput(half.data(), w, h, size.width, size.height, gain,
                                               filtered.data(), how, row.data(), actual.data());
                    ASSERT_EQ("", FirstDifference(expected.Contents(), actual.Contents()))
                        << PathName(path) << " " << size.width << "x" << size.height << " gain "
                        << gain
                        << (how.ramp    ? " ramp"
                            : how.table ? " table"
                                        : " coefficients");
                    ASSERT_TRUE(actual.GuardsIntact() && row.GuardsIntact());
                }
            }
        }
    }
}

TEST(KernelPaths, PerSampleOperationsMatchScalar) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    const float coefficients[][3] = {{1.0f, 1.0f, 1.0f},        {0.5f, 0.5f, 1.5f},
                                     {1.2f, 0.8333333f, 1.44f}, {0.48225f, 2.0736f, 0.6944444f},
                                     {3.0f, -2.0f, 0.1f},       {1e-8f, 255.5f, 1.00001f}};
    for (KernelPath path : WidePaths()) {
        const KernelTable& wide = *KernelTableFor(path);
        for (size_t count : {size_t(0), size_t(1), size_t(3), size_t(15), size_t(16), size_t(17),
                             size_t(31), size_t(33), size_t(95), size_t(4099)}) {
            const auto a = MakePlane(uint32_t(count), 1, Content::kNoise, 2);
            const auto b = MakePlane(uint32_t(count), 1, Content::kNoise, 3);
            const auto c = MakePlane(uint32_t(count), 1, Content::kGradient, 4);
            const std::string where = PathName(path) + " count " + std::to_string(count);

            GuardedBuffer expected(count), actual(count);
            scalar.absDifference(a.data(), b.data(), expected.data(), count);
            wide.absDifference(a.data(), b.data(), actual.data(), count);
            ASSERT_EQ("", FirstDifference(expected.Contents(), actual.Contents()))
                << "absDifference " << where;
            ASSERT_TRUE(actual.GuardsIntact()) << where;

            scalar.blendByWeight(a.data(), b.data(), c.data(), expected.data(), count);
            wide.blendByWeight(a.data(), b.data(), c.data(), actual.data(), count);
            ASSERT_EQ("", FirstDifference(expected.Contents(), actual.Contents()))
                << "blendByWeight " << where;

            for (const auto& k : coefficients) {
                scalar.combineDetail(a.data(), k[0], b.data(), k[1], expected.data(), count);
                wide.combineDetail(a.data(), k[0], b.data(), k[1], actual.data(), count);
                ASSERT_EQ("", FirstDifference(expected.Contents(), actual.Contents()))
                    << "combineDetail " << where;

                scalar.combineDetailWithCoarse(a.data(), k[0], c.data(), k[2], b.data(), k[1],
                                               expected.data(), count);
                wide.combineDetailWithCoarse(a.data(), k[0], c.data(), k[2], b.data(), k[1],
                                             actual.data(), count);
                ASSERT_EQ("", FirstDifference(expected.Contents(), actual.Contents()))
                    << "combineDetailWithCoarse " << where;

                scalar.combineOutput(a.data(), k[0], c.data(), k[2], expected.data(), count);
                wide.combineOutput(a.data(), k[0], c.data(), k[2], actual.data(), count);
                ASSERT_EQ("", FirstDifference(expected.Contents(), actual.Contents()))
                    << "combineOutput " << where;
                ASSERT_TRUE(actual.GuardsIntact()) << where;
            }
        }
    }
}

// The wide paths round in single precision through whole part and fraction; every sum
// near a whole number or a half (in double and after the conversion to single), beyond
// both ends, and not a number. CombineOutput of input 1 and detail 127 is the input
// coefficient itself, and the detail coefficient moves it by amounts below a float's step.
TEST(KernelPaths, SampleConversionMatchesScalarNearEveryHalf) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    std::vector<float> sums = {0.0f,
                               -0.0f,
                               1e-30f,
                               -1e-30f,
                               1e30f,
                               -1e30f,
                               255.5f,
                               256.0f,
                               std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity(),
                               std::numeric_limits<float>::quiet_NaN()};
    for (int k = -1; k <= 256; ++k) {
        for (float centre : {float(k), float(k) + 0.5f}) {
            float below = centre, above = centre;
            for (int step = 0; step < 3; ++step) {
                below = std::nextafter(below, -1000.0f);
                above = std::nextafter(above, 1000.0f);
                sums.insert(sums.end(), {below, above});
            }
            sums.push_back(centre);
        }
    }
    const size_t count = 37;
    const std::vector<uint8_t> ones(count, 1);
    std::vector<uint8_t> detail(count);
    for (size_t i = 0; i < count; ++i) detail[i] = uint8_t(126 + i % 3);
    for (KernelPath path : WidePaths()) {
        const KernelTable& wide = *KernelTableFor(path);
        for (float sum : sums) {
            for (float nudge : {0.0f, 0x1p-30f, 0x1p-20f, 0x1p-17f}) {
                std::vector<uint8_t> expected(count), actual(count);
                scalar.combineOutput(ones.data(), sum, detail.data(), nudge, expected.data(),
                                     count);
                wide.combineOutput(ones.data(), sum, detail.data(), nudge, actual.data(), count);
                ASSERT_EQ(expected, actual)
                    << PathName(path) << " sum " << sum << " nudge " << nudge;
            }
        }
    }
}

// Every blend of every (input, median, weight) triple, where the division by 255 of the
// wide paths is a multiply and shift.
TEST(KernelPaths, BlendMatchesScalarForEveryTriple) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    std::vector<uint8_t> input(256 * 256), median(256 * 256), weight(256 * 256);
    for (size_t i = 0; i < input.size(); ++i) {
        input[i] = uint8_t(i);
        median[i] = uint8_t(i >> 8);
    }
    for (KernelPath path : WidePaths()) {
        for (uint32_t w = 0; w < 256; ++w) {
            std::fill(weight.begin(), weight.end(), uint8_t(w));
            std::vector<uint8_t> expected(input.size()), actual(input.size());
            scalar.blendByWeight(input.data(), median.data(), weight.data(), expected.data(),
                                 input.size());
            KernelTableFor(path)->blendByWeight(input.data(), median.data(), weight.data(),
                                                actual.data(), input.size());
            ASSERT_EQ("", FirstDifference(expected, actual)) << PathName(path) << " weight " << w;
        }
    }
}

void* Allocate(uint32_t bytes) { return std::malloc(bytes); }
void Release(void* block) { std::free(block); }

TEST(KernelPaths, EnvironmentForcesScalarPath) {
    const char* previous = std::getenv("LUMISTRA_FORCE_SCALAR");
    const std::string saved = previous ? previous : "";
    setenv("LUMISTRA_FORCE_SCALAR", "1", 1);
    EXPECT_EQ(KernelPath::kScalar, NoiseReducer(&Allocate, &Release).ActiveKernelPath());
    unsetenv("LUMISTRA_FORCE_SCALAR");
    const auto wide = WidePaths();
    const KernelPath best = wide.empty() ? KernelPath::kScalar : wide.back();
    EXPECT_EQ(best, NoiseReducer(&Allocate, &Release).ActiveKernelPath());
    if (previous) setenv("LUMISTRA_FORCE_SCALAR", saved.c_str(), 1);
}

TEST(KernelPaths, UnsupportedPathIsRefused) {
    NoiseReducer reducer(&Allocate, &Release);
    const KernelPath before = reducer.ActiveKernelPath();
    for (KernelPath path : {KernelPath::kSse2, KernelPath::kAvx2}) {
        if (KernelTableFor(path) != nullptr && KernelPathSupported(path)) continue;
        EXPECT_FALSE(reducer.UseKernelPath(path));
        EXPECT_EQ(before, reducer.ActiveKernelPath());
    }
    EXPECT_TRUE(reducer.UseKernelPath(KernelPath::kScalar));
    EXPECT_EQ(KernelPath::kScalar, reducer.ActiveKernelPath());
}

}  // namespace
