// Proof of the sorted-column median networks by the 0-1 principle: a network of minima
// and maxima selects a rank for every input if it does so for every input of zeros and
// ones. All 2^21 binary windows of one output, and all 2^26 of two output rows at once,
// are run 64 at a time, one bit per window.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/median_columns.h"

namespace {

struct BitOps {
    static uint64_t Min(uint64_t a, uint64_t b) { return a & b; }
    static uint64_t Max(uint64_t a, uint64_t b) { return a | b; }
};

constexpr int kPixels = 21;
constexpr int kBitsInWord = 6;  // pixels 0..5 vary within a word, the rest across words

// Pixel k of the window in bit b of word w is bit k of the window number w * 64 + b.
uint64_t PixelWord(int pixel, uint64_t word) {
    static const uint64_t kPatterns[kBitsInWord] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                                    0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                                    0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
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

// Lane by lane, whether at least 13 of the words' bits are set: a bit-sliced counter that
// starts at 19, so that 13 ones or more carry into its bit 5 (it stays below 64).
uint64_t AtLeast13(const uint64_t* words, int count) {
    uint64_t plane[6] = {~0ull, ~0ull, 0, 0, ~0ull, 0};
    for (int i = 0; i < count; ++i) {
        uint64_t carry = words[i];
        for (int k = 0; k < 6 && carry != 0; ++k) {
            const uint64_t next = plane[k] & carry;
            plane[k] ^= carry;
            carry = next;
        }
    }
    return plane[5];
}

TEST(MedianColumnsProof, SelectsThe13thOf25ForBothRowsOfEveryBinaryPair) {
    // Pixels 0..3: rows y - 1 .. y + 2 of column x - 1; 4..7 of column x (5 and 6 are the
    // centres of rows y and y + 1); 8..11 of column x + 1; 12, 13: rows y, y + 1 of
    // column x - 2; 14, 15 of column x + 2; 16..18: row y - 2 of columns x - 1 .. x + 1;
    // 19, 20: row y - 1 of columns x - 2, x + 2; 21..23 and 24, 25 likewise for rows
    // y + 3 and y + 2.
    constexpr int kPairPixels = 26;
    const uint64_t words = uint64_t(1) << (kPairPixels - kBitsInWord);
    for (uint64_t word = 0; word < words; ++word) {
        uint64_t px[kPairPixels];
        for (int k = 0; k < kPairPixels; ++k) px[k] = PixelWord(k, word);
        uint64_t p[4], q[4], r[4], e[2], f[2], a[3], b[2], c[3], d[2];
        SortFour<BitOps>(px + 0, p);
        SortFour<BitOps>(px + 4, q);
        SortFour<BitOps>(px + 8, r);
        e[0] = px[12] & px[13];
        e[1] = px[12] | px[13];
        f[0] = px[14] & px[15];
        f[1] = px[14] | px[15];
        SortThree<BitOps>(px + 16, a);
        b[0] = px[19] & px[20];
        b[1] = px[19] | px[20];
        SortThree<BitOps>(px + 21, c);
        d[0] = px[24] & px[25];
        d[1] = px[24] | px[25];
        uint64_t upper, lower;
        MedianPairOfSortedColumns<BitOps>(p, q, r, e, f, a, b, px[5], c, d, px[6], upper, lower);

        // Each window: the 16 shared pixels, its own five, and its centre four more times.
        uint64_t window[25];
        for (int k = 0; k < 16; ++k) window[k] = px[k];
        for (int k = 21; k < 25; ++k) window[k] = px[5];
        for (int k = 0; k < 5; ++k) window[16 + k] = px[16 + k];
        ASSERT_EQ(AtLeast13(window, 25), upper) << "words from " << word * 64;
        for (int k = 21; k < 25; ++k) window[k] = px[6];
        for (int k = 0; k < 5; ++k) window[16 + k] = px[21 + k];
        ASSERT_EQ(AtLeast13(window, 25), lower) << "words from " << word * 64;
    }
}

}  // namespace
