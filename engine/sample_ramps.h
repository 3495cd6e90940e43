#pragma once

#include <cstdint>

// Exact integer forms of two per-sample maps that otherwise take a 64 KiB table look-up
// per sample. A form is only ever used after it has been checked against every entry of
// the map it replaces, so it gives the same bytes; when no form fits, callers keep the
// table.

// A blend weight that depends on the filtered difference d alone:
// min(255, (min(d, cap) * multiplier + offset) >> kWeightRampShift). With d capped where
// the weight first reaches 255, the sum stays below 2^32.
//
// Most ramps also have a 16-bit form, which vectors compute with one rounding multiply
// per lane: min(255, ShortRampProduct(min(d, cap) << shortShift, shortMultiplier)). A
// shortMultiplier of 0 means there is none.
constexpr uint32_t kWeightRampShift = 23;
struct WeightRamp {
    uint32_t cap;
    uint32_t multiplier;
    uint32_t offset;
    uint32_t shortShift = 0;
    int32_t shortMultiplier = 0;
};

inline uint32_t RampWeight(const WeightRamp& ramp, uint32_t difference) {
    const uint32_t d = difference < ramp.cap ? difference : ramp.cap;
    const uint32_t w = (d * ramp.multiplier + ramp.offset) >> kWeightRampShift;
    return w < 255 ? w : 255;
}

// a * b / 2^15 rounded half up, for a and b below 2^15: the high half of a 16-bit product
// as the processors' rounding multiply forms it.
inline uint32_t ShortRampProduct(uint32_t a, uint32_t b) { return (((a * b) >> 14) + 1) >> 1; }

// Finds the ramp that reproduces weights[0..255] (weights[0] must be 0), starting the
// search from slope, the weight per unit of difference, and its 16-bit form when it has
// one. False when no ramp does.
bool FindWeightRamp(const uint8_t weights[256], double slope, WeightRamp& ramp);

// The output combination a * A + u * (U - 127) as
// clamp((A * filteredMultiplier + U * detailMultiplier + offset) >> shift, 0, 255). The
// multipliers stay below 2^21 and the offset below 2^30 in magnitude, so that every sum
// fits in 32 bits; vector code forms each product from the multiplier's high and low 15
// bits, one multiply-add of word pairs each.
struct CombineRamp {
    int32_t filteredMultiplier;
    int32_t detailMultiplier;
    int32_t offset;
    uint32_t shift;
};

inline uint8_t RampCombine(const CombineRamp& ramp, uint32_t filtered, uint32_t detail) {
    const int32_t sum = int32_t(filtered) * ramp.filteredMultiplier +
                        int32_t(detail) * ramp.detailMultiplier + ramp.offset;
    // Rounds towards minus infinity for negative sums too, as an arithmetic shift does.
    const int32_t whole = sum >= 0 ? sum >> ramp.shift : -((-sum - 1) >> ramp.shift) - 1;
    return uint8_t(whole < 0 ? 0 : whole > 255 ? 255 : whole);
}

// The two multipliers' bits from bit `from` on, 15 of them (the low part, from 0, taken
// as unsigned; the high part, from 15, signed), as the words filtered, detail of one
// 32-bit lane: the multiplier pair of one multiply-add.
inline int32_t RampWordPair(const CombineRamp& ramp, uint32_t from) {
    auto part = [&](int32_t multiplier) {
        return uint32_t(uint16_t(from == 0 ? multiplier & 0x7FFF : multiplier >> 15));
    };
    return int32_t(part(ramp.filteredMultiplier) | (part(ramp.detailMultiplier) << 16));
}

// Finds the ramp that reproduces table[detail * 256 + filtered] for every pair, given the
// coefficients the table was made from, at the coarsest scale where one does, up to
// shifts of finestShift (at most 20). False when none does. Every scale tried costs up to
// a few of the table's look-ups per pair.
bool FindCombineRamp(const uint8_t* table, float filteredCoef, float detailCoef,
                     uint32_t finestShift, CombineRamp& ramp);
