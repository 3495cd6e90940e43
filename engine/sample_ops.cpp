#include "engine/sample_ops.h"

#include <cmath>
#include <cstdlib>

#include "engine/blend_weight.h"

namespace sample_ops {

uint8_t ToSample(double value) {
    const float single = static_cast<float>(value);
    if (single > 255.0f) return 255;
    if (single >= 0.0f) return static_cast<uint8_t>(std::floor(double(single) + 0.5));
    return 0;
}

void AbsDifference(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t count) {
    for (size_t i = 0; i < count; ++i) out[i] = uint8_t(std::abs(int(a[i]) - int(b[i])));
}

void ScaleClamp(const uint8_t* x, float gain, uint8_t* out, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const double scaled = std::floor(double(gain) * x[i] + 0.5);
        out[i] = scaled >= 255.0 ? 255 : scaled >= 0.0 ? uint8_t(scaled) : 0;
    }
}

// A gain of 1 changes nothing (floor(x + 0.5) is x), which callers use to skip the mapping.
void ScaledDifferences(float gain, uint8_t* scaled) {
    uint8_t values[256];
    for (uint32_t v = 0; v < 256; ++v) values[v] = uint8_t(v);
    ScaleClamp(values, gain, scaled, 256);
}

// The weight says how much of the unfiltered input survives: large filtered differences
// (edges, texture) keep the input, small ones (flat areas) take the median.
void ComputeBlendWeights(const uint8_t* difference, const uint8_t* brightness, float hiStrength,
                         float loStrength, float threshold, uint8_t maxValue, uint8_t* out,
                         size_t count) {
    const float scale = BlendScale(threshold);
    for (size_t i = 0; i < count; ++i) {
        const float strength = BlendStrength(brightness[i], hiStrength, loStrength, maxValue);
        out[i] = BlendWeight(difference[i], scale, strength, BlendFactor(strength));
    }
}

void BlendByWeight(const uint8_t* input, const uint8_t* median, const uint8_t* weight, uint8_t* out,
                   size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t w = weight[i];
        out[i] = uint8_t((median[i] * (255u - w) + input[i] * w + 127u) / 255u);
    }
}

void CombineDetail(const uint8_t* a, float aCoef, const uint8_t* b, float bCoef, uint8_t* out,
                   size_t count) {
    for (size_t i = 0; i < count; ++i)
        out[i] = ToSample(double(aCoef) * a[i] - double(bCoef) * b[i] + 127.0);
}

void CombineDetailWithCoarse(const uint8_t* a, float aCoef, const uint8_t* coarse, float coarseCoef,
                             const uint8_t* b, float bCoef, uint8_t* out, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        out[i] = ToSample(double(aCoef) * a[i] - double(bCoef) * b[i] +
                          double(coarseCoef) * (int(coarse[i]) - 127) + 127.0);
    }
}

void CombineOutput(const uint8_t* a, float aCoef, const uint8_t* detail, float detailCoef,
                   uint8_t* out, size_t count) {
    for (size_t i = 0; i < count; ++i)
        out[i] = ToSample(double(detailCoef) * (int(detail[i]) - 127) + double(aCoef) * a[i]);
}

}  // namespace sample_ops
