#include "sample_ramps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int64_t kUnit = int64_t(1) << kWeightRampShift;

// The smallest offset that gives weights with this multiplier, or -1 when none does.
int64_t WeightOffset(const uint8_t weights[256], uint32_t cap, int64_t multiplier) {
    int64_t lowest = 0, highest = kUnit - 1;  // a difference of 0 must give 0
    for (uint32_t d = 1; d <= cap; ++d) {
        const int64_t product = int64_t(d) * multiplier;
        lowest = std::max(lowest, int64_t(weights[d]) * kUnit - product);
        if (weights[d] < 255) highest = std::min(highest, int64_t(weights[d] + 1) * kUnit - 1 - product);
    }
    return lowest <= highest ? lowest : -1;
}

}  // namespace

bool FindWeightRamp(const uint8_t weights[256], double slope, WeightRamp& ramp) {
    if (weights[0] != 0 || !(slope >= 0.0) || slope > 65536.0) return false;
    uint32_t cap = 255;
    for (uint32_t d = 1; d < 256; ++d)
        if (weights[d] == 255) {
            cap = d;
            break;
        }
    const int64_t estimate = std::llround(slope * double(kUnit));
    for (int64_t step = 0; step <= 8; ++step) {
        for (int64_t multiplier : {estimate - step, estimate + step}) {
            if (multiplier < 0) continue;
            const int64_t offset = WeightOffset(weights, cap, multiplier);
            if (offset < 0 || int64_t(cap) * multiplier + offset >= (int64_t(1) << 32)) continue;
            const WeightRamp candidate{cap, uint32_t(multiplier), uint32_t(offset)};
            bool exact = true;
            for (uint32_t d = 0; d < 256 && exact; ++d)
                exact = RampWeight(candidate, d) == weights[d];
            if (exact) {
                ramp = candidate;
                return true;
            }
        }
    }
    return false;
}

bool FindCombineRamp(const uint8_t* table, float filteredCoef, float detailCoef,
                     CombineRamp& ramp) {
    if (!std::isfinite(filteredCoef) || !std::isfinite(detailCoef)) return false;
    // The finest scale at which both multipliers still fit in 16 bits.
    const double largest = std::max(std::fabs(double(filteredCoef)), std::fabs(double(detailCoef)));
    uint32_t shift = 14;
    while (shift > 0 && largest * double(1 << shift) > 32767.0) --shift;
    if (largest * double(1 << shift) > 32767.0) return false;
    const int64_t unit = int64_t(1) << shift;
    const int64_t a = std::llround(double(filteredCoef) * double(unit));
    const int64_t u = std::llround(double(detailCoef) * double(unit));
    int64_t lowest = INT32_MIN / 2, highest = INT32_MAX / 2;
    for (uint32_t detail = 0; detail < 256; ++detail) {
        for (uint32_t filtered = 0; filtered < 256; ++filtered) {
            const int64_t sum = int64_t(filtered) * a + int64_t(detail) * u;
            const int64_t value = table[detail * 256 + filtered];
            if (value > 0) lowest = std::max(lowest, value * unit - sum);
            if (value < 255) highest = std::min(highest, (value + 1) * unit - 1 - sum);
        }
    }
    if (lowest > highest) return false;
    const CombineRamp candidate{int16_t(a), int16_t(u), int32_t(lowest), shift};
    for (uint32_t detail = 0; detail < 256; ++detail)
        for (uint32_t filtered = 0; filtered < 256; ++filtered)
            if (RampCombine(candidate, filtered, detail) != table[detail * 256 + filtered])
                return false;
    ramp = candidate;
    return true;
}
