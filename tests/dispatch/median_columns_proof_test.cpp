// Proof of the sorted-column median network by the 0-1 principle: a network of minima and
// maxima selects a rank for every input if it does so for every input of zeros and ones.
// All 2^21 binary windows are run, 64 at a time, one bit per window.
#include <gtest/gtest.h>

#include <cstdint>

#include "median_columns.h"

namespace {

struct BitOps {
    static uint64_t Min(uint64_t a, uint64_t b) { return a & b; }
    static uint64_t Max(uint64_t a, uint64_t b) { return a | b; }
};

constexpr int kPixels = 21;
constexpr int kBitsInWord = 6;  // pixels 0..5 vary within a word, the rest across words

// Pixel k of the window in bit b of word w is bit k of the window number w * 64 + b.
uint64_t PixelWord(int pixel, uint64_t word) {
    static const uint64_t kPatterns[kBitsInWord] = {
        0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
        0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
    if (pixel < kBitsInWord) return kPatterns[pixel];
    return (word >> (pixel - kBitsInWord)) & 1 ? ~0ull : 0ull;
}

TEST(MedianColumnsProof, SelectsThe13thOf25ForEveryBinaryWindow) {
    // Pixels by column: 0..2 the three middle rows of column x - 2, 3..7 column x - 1,
    // 8..12 column x (10 is the centre), 13..17 column x + 1, 18..20 rows 1..3 of x + 2.
    const uint64_t words = uint64_t(1) << (kPixels - kBitsInWord);
    for (uint64_t word = 0; word < words; ++word) {
        uint64_t p[kPixels];
        for (int k = 0; k < kPixels; ++k) p[k] = PixelWord(k, word);
        const uint64_t outerLeft[5] = {0, p[0], p[1], p[2], 0};
        const uint64_t outerRight[5] = {0, p[18], p[19], p[20], 0};
        uint64_t d[3], e[3], a[5], b[5], c[5], unused3[3], unused5[5];
        SortMedianColumn<BitOps>(outerLeft, d, unused5);
        SortMedianColumn<BitOps>(outerRight, e, unused5);
        SortMedianColumn<BitOps>(p + 3, unused3, a);
        SortMedianColumn<BitOps>(p + 8, unused3, b);
        SortMedianColumn<BitOps>(p + 13, unused3, c);
        const uint64_t median = MedianOfSortedColumns<BitOps>(a, b, c, d, e, p[10]);

        for (int bit = 0; bit < 64; ++bit) {
            int ones = 0;
            for (int k = 0; k < kPixels; ++k) ones += int((p[k] >> bit) & 1);
            ones += 4 * int((p[10] >> bit) & 1);  // the corners repeat the centre
            const bool expected = ones >= 13;     // the 13th smallest of 25 is 1
            ASSERT_EQ(expected, bool((median >> bit) & 1)) << "window " << word * 64 + bit;
        }
    }
}

}  // namespace
