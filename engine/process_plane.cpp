#include <cmath>
#include <cstdint>

#include "engine/noise_reducer.h"
#include "engine/pyramid_layout.h"
#include "engine/sample_ramps.h"

namespace {

// Level numbers beyond this make every threshold vanish in single precision.
constexpr int32_t kDeepestLevelNumber = 100;

// c^k in double precision. Up to the fourth power the products are correctly rounded,
// so every platform gets the same bits; deeper pyramids use the library's power.
double PowerOf(float c, uint32_t k) {
    const double base = c;
    switch (k) {
        case 0:
            return 1.0;
        case 1:
            return base;
        case 2:
            return base * base;
        case 3:
            return base * base * base;
        case 4: {
            const double square = base * base;
            return square * square;
        }
        default:
            return std::pow(base, double(k));
    }
}

// A 256 x 256 table and the three bytes that vector look-ups may read past it.
constexpr size_t kCombineTableBytes = 256 * 256 + 3;

// Planes from this many samples on look for the output combination's integer form at fine
// scales too.
constexpr size_t kFineCombineRampWorthwhile = size_t(1) << 21;

}  // namespace

// Row d of the table holds CombineOutput of detail d with every filtered sample 0..255,
// computed by the path's own combination, which matches the scalar one.
void NoiseReducer::BuildCombineTable(float topCoef, float detailCoef, uint8_t* table) const {
    uint8_t filtered[256], detail[256];
    for (uint32_t v = 0; v < 256; ++v) filtered[v] = uint8_t(v);
    for (uint32_t d = 0; d < 256; ++d) {
        for (uint8_t& sample : detail) sample = uint8_t(d);
        LevelKernels().combineOutput(filtered, topCoef, detail, detailCoef, table + d * 256, 256);
    }
}

// Fine scales take the search a millisecond or more, which pays off on large planes only;
// clarity 1 needs none. The answer is kept for the next plane with the same coefficients,
// as the planes of one image have.
bool NoiseReducer::FindCombineRampOnce(const uint8_t* table, float topCoef, float detailCoef,
                                       size_t count, CombineRamp& ramp) {
    const uint32_t finestShift = count >= kFineCombineRampWorthwhile ? 20 : 0;
    CombineRampSearch& last = lastCombineRampSearch_;
    if (!(last.done && last.topCoef == topCoef && last.detailCoef == detailCoef &&
          last.finestShift == finestShift)) {
        CombineRamp form = {};
        const bool found = FindCombineRamp(table, topCoef, detailCoef, finestShift, form);
        last = {true, topCoef, detailCoef, finestShift, found, form};
    }
    ramp = last.ramp;
    return last.found;
}

float NoiseReducer::LevelThreshold(float previousThreshold, int32_t level) const {
    const uint32_t depth = uint32_t(level);
    if (previousThreshold == 0.0f) {
        if (depth <= 2) return float(defaultThreshold);
        return std::ldexp(float(defaultThreshold), -int(depth - 1));
    }
    return depth <= 2 ? previousThreshold : previousThreshold / 2.0f;
}

bool NoiseReducer::ProcessPlane(const uint8_t* in, uint8_t* out, uint32_t width, uint32_t height,
                                float hiStrength, float loStrength, float clarity,
                                int32_t startLevel, int32_t maxLevel) {
    // Parameters that leave the thresholds or the gains undefined fail like missing memory.
    if (startLevel < 0 || maxLevel < 0 || startLevel > kDeepestLevelNumber) return true;
    if (!(clarity > 0.0f) || !std::isfinite(clarity)) return true;
    const uint64_t planeBytes = uint64_t(width) * height;
    if (planeBytes > UINT32_MAX) return true;
    if (planeBytes == 0) return false;

    deepestLevel = startLevel;
    bool acquiredHere = false;
    if (workA == nullptr) {
        AcquireWorkImages(width, height);
        acquiredHere = true;
    }
    if (workACapacity < planeBytes || workBCapacity < WorkBBytes(width, height)) return true;
    const size_t count = size_t(planeBytes);

    pyramidInWorkB_ = !PyramidFitsInPlane(width, height);
    kernels.NameImage(in, width, height, "InputImage", 0, 0, 1.0f, startLevel);
    // The levels below live inside out (its content is not needed once the top level
    // has read all of in). The rare plane whose pyramid needs a byte more than out holds
    // keeps it in the second working image instead.
    uint8_t* pyramid = pyramidInWorkB_ ? workB + PyramidOffsetInWorkB(width, height) : out;
    const uint32_t halfWidth = (width + 1) / 2, halfHeight = (height + 1) / 2;
    const size_t halfCount = size_t(halfWidth) * halfHeight;
    // out is not needed until the pyramid starts, unless it holds the input itself. When
    // it is free, the top level may also leave the next level's input at its place in the
    // pyramid.
    uint8_t* spare = in == out ? nullptr : out;
    uint8_t* nextDown = spare != nullptr && !pyramidInWorkB_ && !kernels.HasImageObserver()
                            ? pyramid + halfCount
                            : nullptr;
    const float topThreshold = FilterLevel(in, workA, width, height, hiStrength, loStrength, 0.0f,
                                           startLevel, 1.0f, spare, count, nextDown);
    kernels.NameImage(workA, width, height, "NoiseL", 0, 0, 1.0f, startLevel);

    // Unless somebody watches the up-sampled detail, each of its rows goes straight into
    // the output combination. The half-size detail is then left in the second working
    // image, after the combination's table and a scratch row, so that the output rows
    // can be written top down over the pyramid.
    const bool fused = LevelKernels().upsampleCombineOutput != nullptr &&
                       !kernels.HasImageObserver() && !pyramidInWorkB_ &&
                       uint64_t(kCombineTableBytes) + width + halfCount <= workBCapacity;
    uint8_t* row = workB + kCombineTableBytes;
    uint8_t* detail = fused ? row + width : pyramid;
    float gainBack = 1.0f;
    ProcessPyramidLevel(workA, nextDown != nullptr, pyramid, detail, width, height, hiStrength,
                        loStrength, clarity, topThreshold, startLevel + 1, maxLevel, gainBack);

    const uint32_t depth = uint32_t(deepestLevel - startLevel);
    const double power = PowerOf(clarity, depth);
    const float topCoef = static_cast<float>(1.0 / power);
    const float detailCoef = static_cast<float>(double(topCoef) * gainBack);
    OutputCombination how = {nullptr, nullptr, topCoef, detailCoef};
    // The second working image is free by now but for the detail; unless the pyramid
    // lives there it holds the table of every (detail, filtered) pair.
    CombineRamp ramp;
    if (!pyramidInWorkB_ && count >= kCombineTableBytes && workBCapacity >= kCombineTableBytes) {
        BuildCombineTable(topCoef, detailCoef, workB);
        // Most settings have an exact integer form, cheaper than a look-up per sample.
        if (FindCombineRampOnce(workB, topCoef, detailCoef, count, ramp))
            how.ramp = &ramp;
        else
            how.table = workB;
    }

    if (fused) {
        LevelKernels().upsampleCombineOutput(detail, halfWidth, halfHeight, width, height, gainBack,
                                             workA, how, row, out);
    } else {
        UpsampleDetail(pyramid, halfWidth, halfHeight, width, height, gainBack, startLevel + 1);
        kernels.NameImage(pyramid, width, height, "PyramidOutput", 128, 128, 1.0f, startLevel);
        if (how.ramp != nullptr)
            LevelKernels().combineOutputRamp(workA, pyramid, ramp, out, count);
        else if (how.table != nullptr)
            LevelKernels().lookUp(workB, pyramid, workA, out, count);
        else
            LevelKernels().combineOutput(workA, topCoef, pyramid, detailCoef, out, count);
    }
    kernels.NameImage(out, width, height, "OutputImage", 0, 0, 1.0f, startLevel);

    if (acquiredHere) ReleaseWorkImages();
    return false;
}

float NoiseReducer::FilterLevel(const uint8_t* input, uint8_t* output, uint32_t width,
                                uint32_t height, float hiStrength, float loStrength,
                                float previousThreshold, int32_t level, float gain, uint8_t* spare,
                                size_t spareBytes, uint8_t* nextDown) {
    const size_t count = size_t(width) * height;
    kernels.NameImage(input, width, height, "nraNInputL", 0, 0, 1.0f, level);

    if (kernels.HasImageObserver()) {
        LevelKernels().median(input, width, height, output);
        kernels.NameImage(output, width, height, "MedianL", 0, 0, 1.0f, level);

        LevelKernels().absDifference(input, output, workB, count);
        if (gain != 1.0f) {
            uint8_t scaled[256];
            ScaledDifferences(gain, scaled);
            for (size_t i = 0; i < count; ++i) workB[i] = scaled[workB[i]];
        }
        kernels.NameImage(workB, width, height, "SubAbsL", 0, 0, 0.0f, level);

        LevelKernels().runningMax(workB, width, height, workB);
        kernels.NameImage(workB, width, height, "MaxL", 0, 0, 1.0f, level);
    } else {
        // Nobody watches the intermediate images: the whole level takes one sweep where the
        // path has one and the memory allows, else the first stages share one.
        uint8_t scaled[256];
        if (gain != 1.0f) ScaledDifferences(gain, scaled);
        const float threshold = LevelThreshold(previousThreshold, level);
        if (SweepLevel(input, output, width, height, hiStrength, loStrength, threshold / gain, gain,
                       gain != 1.0f ? scaled : nullptr, nextDown))
            return threshold;
        LevelKernels().medianDifferenceMax(input, width, height, output, workB,
                                           gain != 1.0f ? scaled : nullptr);
    }

    const float threshold = LevelThreshold(previousThreshold, level);
    BlendLevel(input, output, width, height, level, hiStrength, loStrength, threshold / gain, spare,
               spareBytes);
    kernels.NameImage(output, width, height, "BlendedNoiseL", 0, 0, 1.0f, level);
    if (nextDown != nullptr)
        LevelKernels().downsample(output, width, height, nextDown, (width + 1) / 2,
                                  (height + 1) / 2);
    return threshold;
}

// The detail image of a level, at the start of work, widened in place to its parent's
// width x height.
void NoiseReducer::UpsampleDetail(uint8_t* work, uint32_t w, uint32_t h, uint32_t width,
                                  uint32_t height, float gain, int32_t level) {
    LevelKernels().upsample(work, w, h, work, width, height, gain);
    kernels.NameImage(work, width, height, "UpsampledNoiseL", 127, 128, gain, level);
}

// Filters the half-size image of source in work, recurses while the level is large
// enough, and leaves this level's detail image, at half the source's size, at detail
// (which is either work or memory apart from the pyramid). sourceHalved: the level above
// has left the half-size image in its place already.
void NoiseReducer::ProcessPyramidLevel(const uint8_t* source, bool sourceHalved, uint8_t* work,
                                       uint8_t* detail, uint32_t width, uint32_t height,
                                       float hiStrength, float loStrength, float clarity,
                                       float previousThreshold, int32_t level, int32_t maxLevel,
                                       float& gain) {
    const uint32_t w = (width + 1) / 2;
    const uint32_t h = (height + 1) / 2;
    const size_t n = size_t(w) * h;
    uint8_t* filtered = work;
    uint8_t* down = work + n;
    uint8_t* coarser = work + 2 * n;
    const float g = gain;
    deepestLevel = level;

    if (!sourceHalved) LevelKernels().downsample(source, width, height, down, w, h);
    kernels.NameImage(down, w, h, "DownL", 0, 0, g, level);

    // Everything past this level's scratch in the second working image is free while the
    // level filters, unless the pyramid lives there.
    uint8_t* spare = pyramidInWorkB_ ? nullptr : workB + n;
    const size_t spareBytes = pyramidInWorkB_ ? 0 : workBCapacity - n;
    const bool coarserLevel = uint32_t(level) < uint32_t(maxLevel) && w >= 8 && h >= 8;
    // Unless somebody watches, the level also leaves the next level's input in place.
    uint8_t* nextDown = coarserLevel && !pyramidInWorkB_ && !kernels.HasImageObserver()
                            ? coarser + size_t((w + 1) / 2) * ((h + 1) / 2)
                            : nullptr;
    const float threshold = FilterLevel(down, filtered, w, h, hiStrength, loStrength,
                                        previousThreshold, level, g, spare, spareBytes, nextDown);
    kernels.NameImage(filtered, w, h, "NoiseL", 0, 0, g, level);

    const double nextGainExact = double(g) * clarity;
    const float nextGain = static_cast<float>(nextGainExact);
    float handedBack;
    if (coarserLevel) {
        float coarserGain = nextGain;
        ProcessPyramidLevel(filtered, nextDown != nullptr, coarser, coarser, w, h, hiStrength,
                            loStrength, clarity, threshold, level + 1, maxLevel, coarserGain);
        UpsampleDetail(coarser, (w + 1) / 2, (h + 1) / 2, w, h, coarserGain, level + 1);
        handedBack = static_cast<float>(clarity >= 1.0f ? double(coarserGain) * clarity
                                                        : double(coarserGain) / clarity);
        const float t = static_cast<float>(1.0 / handedBack);
        const float filteredCoef = static_cast<float>(double(t) * nextGain);
        const float downCoef = static_cast<float>(double(g) * t);
        const float coarserCoef = static_cast<float>(double(coarserGain) * t);
        LevelKernels().combineDetailWithCoarse(filtered, filteredCoef, coarser, coarserCoef, down,
                                               downCoef, detail, n);
    } else {
        double factor;
        if (clarity >= 1.0f) {
            factor = 1.0 / double(clarity);
            handedBack = clarity;
        } else {
            factor = clarity;
            handedBack = static_cast<float>(1.0 / double(clarity));
        }
        const float filteredCoef = static_cast<float>(nextGainExact * factor);
        const float downCoef = static_cast<float>(double(g) * factor);
        LevelKernels().combineDetail(filtered, filteredCoef, down, downCoef, detail, n);
    }
    kernels.NameImage(detail, w, h, "SubtSummedNoiseL", 127, 128, handedBack, level);
    kernels.NameImage(detail, w, h, "NoGainSubtSummedNoiseL", 127, 128, 1.0f, level);
    gain = handedBack;
}
