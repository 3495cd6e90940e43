#include "engine/sample_ramps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int64_t kUnit = int64_t(1) << kWeightRampShift;

// The smallest offset that gives weights with this multiplier, or -1 when none does.
int64_t WeightOffset(const uint8_t weights[256], uint32_t cap, int64_t multiplier) {
    int64_t lowest = 0, highest = kUnit - 1;  // a difference of 0 must give 0
    for (uint32_t d = 1; d <= cap; ++d) {
        const int64_t product = int64_t(d) * multiplier;
        lowest = std::max(lowest, int64_t(weights[d]) * kUnit - product);
        if (weights[d] < 255)
            highest = std::min(highest, int64_t(weights[d] + 1) * kUnit - 1 - product);
    }
    return lowest <= highest ? lowest : -1;
}

// The 16-bit form of the weights, at the smallest shift that leaves room for the
// multiplier (the finest) that reproduces them, if any does.
void FindShortForm(const uint8_t weights[256], double slope, WeightRamp& ramp) {
    constexpr int64_t kLargestShort = 32767;
    for (uint32_t shift = 0; (int64_t(ramp.cap) << shift) <= kLargestShort; ++shift) {
        const int64_t estimate = std::llround(std::ldexp(slope, 15 - int(shift)));
        if (estimate - 2 > kLargestShort) continue;
        for (int64_t multiplier = std::max<int64_t>(1, estimate - 2);
             multiplier <= std::min(kLargestShort, estimate + 2); ++multiplier) {
            bool exact = true;
            for (uint32_t d = 0; d < 256 && exact; ++d) {
                const uint32_t capped = std::min(d, ramp.cap) << shift;
                const uint32_t w = ShortRampProduct(capped, uint32_t(multiplier));
                exact = std::min<uint32_t>(w, 255) == weights[d];
            }
            if (exact) {
                ramp.shortShift = shift;
                ramp.shortMultiplier = int32_t(multiplier);
                return;
            }
        }
    }
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
                FindShortForm(weights, slope, ramp);
                return true;
            }
        }
    }
    return false;
}

namespace {

constexpr int64_t kLargestCombineMultiplier = (int64_t(1) << 21) - 1;
constexpr int64_t kLargestCombineOffset = (int64_t(1) << 30) - 1;
constexpr uint32_t kFinestCombineShift = 20;

// The offsets that make the ramp with multipliers a and u give the table, as a range that
// is empty (lowest > highest) when there are none. Stops at the first pair that empties it.
void CombineOffsets(const uint8_t* table, int64_t a, int64_t u, uint32_t shift, int64_t& lowest,
                    int64_t& highest) {
    const int64_t unit = int64_t(1) << shift;
    lowest = -kLargestCombineOffset;
    highest = kLargestCombineOffset;
    for (uint32_t detail = 0; detail < 256; ++detail) {
        for (uint32_t filtered = 0; filtered < 256; ++filtered) {
            const int64_t sum = int64_t(filtered) * a + int64_t(detail) * u;
            const int64_t value = table[detail * 256 + filtered];
            if (value > 0) lowest = std::max(lowest, value * unit - sum);
            if (value < 255) highest = std::min(highest, (value + 1) * unit - 1 - sum);
        }
        if (lowest > highest) return;
    }
}

}  // namespace

bool FindCombineRamp(const uint8_t* table, float filteredCoef, float detailCoef,
                     uint32_t finestShift, CombineRamp& ramp) {
    if (!std::isfinite(filteredCoef) || !std::isfinite(detailCoef)) return false;
    // From the coarsest scale on, the rounded multipliers and their neighbours.
    for (uint32_t shift = 0; shift <= std::min(finestShift, kFinestCombineShift); ++shift) {
        const double unit = std::ldexp(1.0, int(shift));
        const int64_t a = std::llround(double(filteredCoef) * unit);
        const int64_t u = std::llround(double(detailCoef) * unit);
        if (std::max(std::llabs(a), std::llabs(u)) + 1 > kLargestCombineMultiplier) break;
        for (int64_t da : {0, -1, 1}) {
            for (int64_t du : {0, -1, 1}) {
                int64_t lowest, highest;
                CombineOffsets(table, a + da, u + du, shift, lowest, highest);
                if (lowest > highest) continue;
                const CombineRamp candidate{int32_t(a + da), int32_t(u + du), int32_t(lowest),
                                            shift};
                bool exact = true;
                for (uint32_t i = 0; i < 256 * 256 && exact; ++i)
                    exact = RampCombine(candidate, i & 255, i >> 8) == table[i];
                if (exact) {
                    ramp = candidate;
                    return true;
                }
            }
        }
    }
    return false;
}
