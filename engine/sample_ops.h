#pragma once

#include <cstddef>
#include <cstdint>

// The per-sample stage operations over count samples of equally sized planes. Each output
// sample depends on the inputs at its own index only, so every output may alias any input.
// They stand on their own so that the vector kernels can finish their last samples with
// them without depending on the engine object.
namespace sample_ops {

// A per-sample sum as a sample: through single precision, clamped to 0..255, halves rounded
// up. A value that is not a number gives 0.
uint8_t ToSample(double value);

void AbsDifference(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t count);
// min(255, floor(gain * x + 0.5)) in double precision.
void ScaleClamp(const uint8_t* x, float gain, uint8_t* out, size_t count);
// ScaleClamp of every sample value 0..255 into scaled[256].
void ScaledDifferences(float gain, uint8_t* scaled);
// The weights from the filtered differences and the brightness (the median); maxValue is
// the largest sample value, from which the brightness bands follow.
void ComputeBlendWeights(const uint8_t* difference, const uint8_t* brightness, float hiStrength,
                         float loStrength, float threshold, uint8_t maxValue, uint8_t* out,
                         size_t count);
// (median * (255 - weight) + input * weight + 127) / 255.
void BlendByWeight(const uint8_t* input, const uint8_t* median, const uint8_t* weight, uint8_t* out,
                   size_t count);
// ToSample(aCoef * a - bCoef * b + 127).
void CombineDetail(const uint8_t* a, float aCoef, const uint8_t* b, float bCoef, uint8_t* out,
                   size_t count);
// ToSample(aCoef * a - bCoef * b + coarseCoef * (coarse - 127) + 127).
void CombineDetailWithCoarse(const uint8_t* a, float aCoef, const uint8_t* coarse, float coarseCoef,
                             const uint8_t* b, float bCoef, uint8_t* out, size_t count);
// ToSample(detailCoef * (detail - 127) + aCoef * a).
void CombineOutput(const uint8_t* a, float aCoef, const uint8_t* detail, float detailCoef,
                   uint8_t* out, size_t count);

}  // namespace sample_ops
