// Every kernel of every wide path on base pointers 1 to 31 bytes past a 64-byte boundary,
// each plane at its own offset, at widths around the vector widths: the bytes must be the
// scalar path's. The vector loads and stores are unaligned ones; this keeps them so.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/kernel_paths.h"
#include "engine/sample_ops.h"
#include "engine/sample_ramps.h"
#include "tests/dispatch/dispatch_support.h"
#include "tests/support/guarded_buffer.h"

namespace {

using dispatch_test::Content;
using dispatch_test::FirstDifference;
using dispatch_test::MakePlane;
using dispatch_test::PathName;
using dispatch_test::WidePaths;
using lumistra_test::GuardedBuffer;

constexpr uint32_t kWidths[] = {15, 16, 17, 20, 31, 32, 33, 36, 37, 66, 67, 101};
constexpr uint32_t kHeights[] = {5, 12};
constexpr size_t kLargestOffset = 31;

// The planes of one run, each at its own misalignment.
class Planes {
public:
    explicit Planes(size_t offset) : offset_(offset) {}

    // A copy of contents, or count bytes of filler.
    uint8_t* Add(const std::vector<uint8_t>& contents) {
        buffers_.push_back(std::make_unique<GuardedBuffer>(contents, 0xA5, NextOffset()));
        return buffers_.back()->data();
    }
    uint8_t* Add(size_t count) {
        buffers_.push_back(std::make_unique<GuardedBuffer>(count, 0xA5, 0x5A, NextOffset()));
        return buffers_.back()->data();
    }

private:
    // Different planes land on different offsets, every one from 1 to 31 in turn.
    size_t NextOffset() { return 1 + (offset_ - 1 + 7 * buffers_.size()) % kLargestOffset; }

    size_t offset_;
    std::vector<std::unique_ptr<GuardedBuffer>> buffers_;
};

std::vector<uint8_t> Bytes(const uint8_t* data, size_t count) {
    return std::vector<uint8_t>(data, data + count);
}

struct Case {
    KernelPath path;
    uint32_t width, height;
    size_t offset;
    std::string Describe(const char* kernel) const {
        return std::string(kernel) + " " + PathName(path) + " " + std::to_string(width) + "x" +
               std::to_string(height) + " offset " + std::to_string(offset);
    }
};

template <class Run>
void ForEveryCase(Run run) {
    for (KernelPath path : WidePaths())
        for (uint32_t width : kWidths)
            for (uint32_t height : kHeights)
                for (size_t offset = 1; offset <= kLargestOffset; ++offset)
                    run(Case{path, width, height, offset});
}

using PlaneKernel = void (*)(const uint8_t*, uint32_t, uint32_t, uint8_t*);

TEST(MisalignedKernels, NeighbourhoodFiltersMatchScalar) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    const struct {
        const char* name;
        PlaneKernel KernelTable::*kernel;
    } kernels[] = {{"median", &KernelTable::median},
                   {"runningMax", &KernelTable::runningMax},
                   {"runningMin", &KernelTable::runningMin}};
    ForEveryCase([&](const Case& c) {
        const KernelTable& wide = *KernelTableFor(c.path);
        const auto source = MakePlane(c.width, c.height, Content::kNoise, 31);
        for (const auto& k : kernels) {
            std::vector<uint8_t> expected(source.size());
            (scalar.*k.kernel)(source.data(), c.width, c.height, expected.data());
            Planes planes(c.offset);
            const uint8_t* in = planes.Add(source);
            uint8_t* out = planes.Add(source.size());
            (wide.*k.kernel)(in, c.width, c.height, out);
            ASSERT_EQ("", FirstDifference(expected, Bytes(out, expected.size())))
                << c.Describe(k.name);
        }
    });
}

TEST(MisalignedKernels, LevelStagesAndSweepMatchScalar) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    std::vector<uint8_t> table(256 * 256 + 3);
    for (size_t i = 0; i < table.size(); ++i) table[i] = uint8_t((i * 37) ^ (i >> 8));
    const WeightRamp ramp = {60, 35651584u, 4194304u};
    uint8_t scaled[256];
    sample_ops::ScaledDifferences(0.8f, scaled);
    ForEveryCase([&](const Case& c) {
        const KernelTable& wide = *KernelTableFor(c.path);
        const auto input = MakePlane(c.width, c.height, Content::kGradient, 32);
        const size_t count = input.size();
        std::vector<uint8_t> median(count), difference(count);
        scalar.medianDifferenceMax(input.data(), c.width, c.height, median.data(),
                                   difference.data(), scaled);
        std::vector<uint8_t> blended = median, minima = difference;
        scalar.minimumBlend(minima.data(), c.width, c.height, input.data(), blended.data(),
                            table.data());
        std::vector<uint8_t> rampBlended = median, rampMinima = difference;
        scalar.minimumBlendRamp(rampMinima.data(), c.width, c.height, input.data(),
                                rampBlended.data(), ramp);

        Planes planes(c.offset);
        const uint8_t* in = planes.Add(input);
        uint8_t* wideMedian = planes.Add(count);
        uint8_t* wideDifference = planes.Add(count);
        wide.medianDifferenceMax(in, c.width, c.height, wideMedian, wideDifference, scaled);
        ASSERT_EQ("", FirstDifference(median, Bytes(wideMedian, count)))
            << c.Describe("medianDifferenceMax median");
        ASSERT_EQ("", FirstDifference(difference, Bytes(wideDifference, count)))
            << c.Describe("medianDifferenceMax difference");

        uint8_t* wideBlended = planes.Add(median);
        uint8_t* wideMinima = planes.Add(difference);
        wide.minimumBlend(wideMinima, c.width, c.height, in, wideBlended, table.data());
        ASSERT_EQ("", FirstDifference(blended, Bytes(wideBlended, count)))
            << c.Describe("minimumBlend");
        uint8_t* wideRampBlended = planes.Add(median);
        uint8_t* wideRampMinima = planes.Add(difference);
        wide.minimumBlendRamp(wideRampMinima, c.width, c.height, in, wideRampBlended, ramp);
        ASSERT_EQ("", FirstDifference(rampBlended, Bytes(wideRampBlended, count)))
            << c.Describe("minimumBlendRamp");

        uint8_t* swept = planes.Add(count);
        uint8_t* rings = planes.Add(size_t(LevelSweepRingBytes(c.width)));
        if (wide.levelSweep(in, c.width, c.height, scaled, nullptr, table.data(), nullptr, rings,
                            swept, nullptr)) {
            ASSERT_EQ("", FirstDifference(blended, Bytes(swept, count)))
                << c.Describe("levelSweep");
        }
    });
}

TEST(MisalignedKernels, ResamplersMatchScalar) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    std::vector<uint8_t> table(256 * 256 + 3);
    for (size_t i = 0; i < table.size(); ++i) table[i] = uint8_t((i * 53) ^ (i >> 7));
    ForEveryCase([&](const Case& c) {
        const KernelTable& wide = *KernelTableFor(c.path);
        const uint32_t w = (c.width + 1) / 2, h = (c.height + 1) / 2;
        const auto source = MakePlane(c.width, c.height, Content::kNoise, 33);
        // The down-sampler's destination also holds its intermediate, a half row per row.
        std::vector<uint8_t> down(size_t(w) * c.height);
        scalar.downsample(source.data(), c.width, c.height, down.data(), w, h);
        const auto half = MakePlane(w, h, Content::kGradient, 34);
        std::vector<uint8_t> up(source.size());
        scalar.upsample(half.data(), w, h, up.data(), c.width, c.height, 1.25f);
        std::vector<uint8_t> combined(source.size());
        scalar.lookUp(table.data(), up.data(), source.data(), combined.data(), source.size());

        Planes planes(c.offset);
        const uint8_t* in = planes.Add(source);
        uint8_t* wideDown = planes.Add(down.size());
        wide.downsample(in, c.width, c.height, wideDown, w, h);
        ASSERT_EQ(
            "", FirstDifference(Bytes(down.data(), size_t(w) * h), Bytes(wideDown, size_t(w) * h)))
            << c.Describe("downsample");
        const uint8_t* wideHalf = planes.Add(half);
        uint8_t* wideUp = planes.Add(source.size());
        wide.upsample(wideHalf, w, h, wideUp, c.width, c.height, 1.25f);
        ASSERT_EQ("", FirstDifference(up, Bytes(wideUp, up.size()))) << c.Describe("upsample");

        const OutputCombination how = {nullptr, table.data(), 1.0f, 1.0f};
        uint8_t* row = planes.Add(c.width);
        uint8_t* wideCombined = planes.Add(source.size());
        wide.upsampleCombineOutput(wideHalf, w, h, c.width, c.height, 1.25f, in, how, row,
                                   wideCombined);
        ASSERT_EQ("", FirstDifference(combined, Bytes(wideCombined, combined.size())))
            << c.Describe("upsampleCombineOutput");
    });
}

TEST(MisalignedKernels, PerSampleOperationsMatchScalar) {
    const KernelTable& scalar = *KernelTableFor(KernelPath::kScalar);
    std::vector<uint8_t> table(256 * 256 + 3);
    for (size_t i = 0; i < table.size(); ++i) table[i] = uint8_t((i * 29) ^ (i >> 6));
    const CombineRamp ramp = {8, 8, -1016, 3};
    ForEveryCase([&](const Case& c) {
        const KernelTable& wide = *KernelTableFor(c.path);
        const size_t count = size_t(c.width) * c.height;
        const auto a = MakePlane(c.width, c.height, Content::kNoise, 35);
        const auto b = MakePlane(c.width, c.height, Content::kNoise, 36);
        const auto u = MakePlane(c.width, c.height, Content::kGradient, 37);
        Planes planes(c.offset);
        const uint8_t* wa = planes.Add(a);
        const uint8_t* wb = planes.Add(b);
        const uint8_t* wu = planes.Add(u);
        uint8_t* out = planes.Add(count);
        std::vector<uint8_t> expected(count);
        const auto check = [&](const char* name) {
            ASSERT_EQ("", FirstDifference(expected, Bytes(out, count))) << c.Describe(name);
        };

        scalar.absDifference(a.data(), b.data(), expected.data(), count);
        wide.absDifference(wa, wb, out, count);
        check("absDifference");
        scalar.blendByWeight(a.data(), b.data(), u.data(), expected.data(), count);
        wide.blendByWeight(wa, wb, wu, out, count);
        check("blendByWeight");
        scalar.lookUp(table.data(), a.data(), b.data(), expected.data(), count);
        wide.lookUp(table.data(), wa, wb, out, count);
        check("lookUp");
        for (const float k : {1.0f, 1.44f}) {
            scalar.combineDetail(a.data(), k, b.data(), 0.8333333f * k, expected.data(), count);
            wide.combineDetail(wa, k, wb, 0.8333333f * k, out, count);
            check("combineDetail");
            scalar.combineDetailWithCoarse(a.data(), k, u.data(), k, b.data(), k, expected.data(),
                                           count);
            wide.combineDetailWithCoarse(wa, k, wu, k, wb, k, out, count);
            check("combineDetailWithCoarse");
            scalar.combineOutput(a.data(), k, u.data(), 0.6944444f, expected.data(), count);
            wide.combineOutput(wa, k, wu, 0.6944444f, out, count);
            check("combineOutput");
        }
        scalar.combineOutputRamp(a.data(), u.data(), ramp, expected.data(), count);
        wide.combineOutputRamp(wa, wu, ramp, out, count);
        check("combineOutputRamp");
    });
}

}  // namespace
