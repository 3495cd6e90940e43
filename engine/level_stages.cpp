#include <cstring>

#include "engine/blend_weight.h"
#include "engine/noise_reducer.h"
#include "engine/sample_ramps.h"

namespace {

// The table, and three bytes that vector look-ups may read past its end.
constexpr size_t kWeightTableBytes = 256 * 256 + 3;

// Below this many samples building the weight table costs more than it saves.
constexpr size_t kWeightTableWorthwhile = kWeightTableBytes;

// The weight of every (brightness, difference) pair at row brightness, column difference,
// from the same arithmetic as ComputeBlendWeights. A row depends on its brightness only
// through the strength, which is constant in the shadows and the highlights: a row whose
// strength has the bits of the row before is that row again.
void BuildWeightTable(float hiStrength, float loStrength, float threshold, uint8_t maxValue,
                      uint8_t* table) {
    const float scale = BlendScale(threshold);
    uint32_t previousBits = 0;
    for (uint32_t brightness = 0; brightness < 256; ++brightness) {
        const float strength = BlendStrength(brightness, hiStrength, loStrength, maxValue);
        uint32_t bits;
        std::memcpy(&bits, &strength, sizeof bits);
        uint8_t* row = table + brightness * 256;
        if (brightness > 0 && bits == previousBits) {
            std::memcpy(row, row - 256, 256);
            continue;
        }
        previousBits = bits;
        const double factor = BlendFactor(strength);
        for (uint32_t difference = 0; difference < 256; ++difference)
            row[difference] = BlendWeight(difference, scale, strength, factor);
    }
}

// When every brightness has the same strength (equal highlight and shadow strengths), the
// weight depends on the difference alone; the ramp that reproduces that row, if one does.
bool UniformWeightRamp(float hiStrength, float loStrength, float threshold, uint8_t maxValue,
                       WeightRamp& ramp) {
    const float strength = BlendStrength(0, hiStrength, loStrength, maxValue);
    for (uint32_t brightness = 1; brightness < 256; ++brightness)
        if (!(BlendStrength(brightness, hiStrength, loStrength, maxValue) == strength))
            return false;
    const float scale = BlendScale(threshold);
    const double factor = BlendFactor(strength);
    uint8_t weights[256];
    for (uint32_t difference = 0; difference < 256; ++difference)
        weights[difference] = BlendWeight(difference, scale, strength, factor);
    return FindWeightRamp(weights, double(scale) * factor, ramp);
}

}  // namespace

bool NoiseReducer::SweepLevel(const uint8_t* input, uint8_t* output, uint32_t width,
                              uint32_t height, float hiStrength, float loStrength, float threshold,
                              float gain, const uint8_t* scaled, uint8_t* down) {
    // With the pyramid in the second working image, the rings would have to share it.
    if (LevelKernels().levelSweep == nullptr || pyramidInWorkB_) return false;
    const uint64_t ringBytes = LevelSweepRingBytes(width);
    if (ringBytes > workBCapacity) return false;
    WeightRamp ramp;
    const bool ramped = UniformWeightRamp(hiStrength, loStrength, threshold, engineMax, ramp);
    uint8_t* table = nullptr;
    if (!ramped) {
        if (ringBytes + kWeightTableBytes > workBCapacity) return false;
        table = workB + ringBytes;
        BuildWeightTable(hiStrength, loStrength, threshold, engineMax, table);
    }
    // The scaling of the differences is a rounded straight line too, mostly with a form
    // that the vectors compute.
    WeightRamp scaledRamp;
    const bool scaledRamped = scaled != nullptr && FindWeightRamp(scaled, gain, scaledRamp);
    return LevelKernels().levelSweep(input, width, height, scaled,
                                     scaledRamped ? &scaledRamp : nullptr, table,
                                     ramped ? &ramp : nullptr, workB, output, down);
}

// The running minimum of the maxima, the weights and the blend of median and input over
// the median. With spare memory for it, the weights come from a table per level: for
// fixed strengths and threshold a weight depends on nothing but the difference and the
// brightness. Unless an observer wants to see the images in between, the minimum,
// weights and blend then take one sweep; with equal strengths the weights need no table.
void NoiseReducer::BlendLevel(const uint8_t* input, uint8_t* output, uint32_t width,
                              uint32_t height, int32_t level, float hiStrength, float loStrength,
                              float threshold, uint8_t* spare, size_t spareBytes) {
    const size_t count = size_t(width) * height;
    WeightRamp ramp;
    if (!kernels.HasImageObserver() &&
        UniformWeightRamp(hiStrength, loStrength, threshold, engineMax, ramp)) {
        LevelKernels().minimumBlendRamp(workB, width, height, input, output, ramp);
        return;
    }
    const bool tabled =
        spare != nullptr && spareBytes >= kWeightTableBytes && count >= kWeightTableWorthwhile;
    if (tabled) BuildWeightTable(hiStrength, loStrength, threshold, engineMax, spare);
    if (tabled && !kernels.HasImageObserver()) {
        LevelKernels().minimumBlend(workB, width, height, input, output, spare);
        return;
    }
    LevelKernels().runningMin(workB, width, height, workB);
    kernels.NameImage(workB, width, height, "FilteredSubAbsL", 0, 0, 1.0f, level);
    if (tabled) {
        LevelKernels().lookUp(spare, output, workB, workB, count);
    } else {
        ComputeBlendWeights(workB, output, hiStrength, loStrength, threshold, workB, count, 1);
    }
    kernels.NameImage(workB, width, height, "MassagedSubAbsL", 0, 0, 1.0f, level);
    LevelKernels().blendByWeight(input, output, workB, output, count);
}
