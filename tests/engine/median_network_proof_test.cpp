// Proof of the packed median's selection network by the 0-1 principle: a network of
// minima and maxima selects a rank for every input if it does so for every input of zeros
// and ones. All 2^25 binary inputs are run 64 at a time, one bit per input.
#include <gtest/gtest.h>

#include <bitset>
#include <cstdint>

#include "engine/median_network.h"

namespace {

struct BitOps {
    static uint64_t Min(uint64_t a, uint64_t b) { return a & b; }
    static uint64_t Max(uint64_t a, uint64_t b) { return a | b; }
};

constexpr int kValues = 25;
constexpr int kBitsInWord = 6;  // values 0..5 vary within a word, the rest across words

// Value k in bit b of word w is bit k of the input number w * 64 + b.
uint64_t ValueWord(int value, uint64_t word) {
    static const uint64_t kPatterns[kBitsInWord] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                                    0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                                    0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
    if (value < kBitsInWord) return kPatterns[value];
    return (word >> (value - kBitsInWord)) & 1 ? ~0ull : 0ull;
}

TEST(MedianNetworkProof, SelectsThe13thOf25ForEveryBinaryInput) {
    // atLeast[t]: the bits b of a word whose own six values hold at least t ones.
    uint64_t atLeast[kBitsInWord + 2] = {};
    for (int t = 0; t <= kBitsInWord + 1; ++t)
        for (int bit = 0; bit < 64; ++bit)
            if (std::bitset<kBitsInWord>(uint64_t(bit)).count() >= size_t(t))
                atLeast[t] |= uint64_t(1) << bit;
    const uint64_t words = uint64_t(1) << (kValues - kBitsInWord);
    for (uint64_t word = 0; word < words; ++word) {
        uint64_t p[kValues];
        for (int k = 0; k < kValues; ++k) p[k] = ValueWord(k, word);
        // The 13th smallest of 25 zeros and ones is 1 exactly when at least 13 are ones.
        const int acrossWords = int(std::bitset<kValues - kBitsInWord>(word).count());
        const int needed = 13 - acrossWords;
        const uint64_t expected = needed <= 0            ? ~0ull
                                  : needed > kBitsInWord ? 0ull
                                                         : atLeast[needed];
        const uint64_t median = SelectMedianOf25<BitOps>(p);
        ASSERT_EQ(median, expected) << "inputs " << (word << kBitsInWord) << " onwards";
    }
}

}  // namespace
