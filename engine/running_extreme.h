#pragma once

#include <cstddef>
#include <cstdint>

// Running maximum or minimum over a square of side 2 * Radius + 1, separable into a row
// pass and a column pass. Positions outside the plane take the nearest edge sample, for
// every width and height from 1 up. Each line keeps its window in a ring of locals and
// rescans it only when the extreme leaves the window and the entering sample does not
// replace it. Every sample of a line is read before the output at its position is
// stored, so dest may equal src.
//
// Better(a, b) is true when a is at least as extreme as b (a >= b for the maximum).

namespace running_extreme {

inline size_t ClampIndex(int64_t i, uint32_t count) {
    if (i < 0) return 0;
    if (i >= int64_t(count)) return count - 1;
    return size_t(i);
}

template <int Radius, class Better>
void FilterLine(const uint8_t* src, uint8_t* dest, uint32_t count, size_t stride) {
    constexpr int kSpan = 2 * Radius + 1;
    uint8_t ring[kSpan];
    // Window centred on position -1, positions -Radius-1 .. Radius-1.
    for (int k = 0; k < kSpan; ++k) ring[k] = src[ClampIndex(k - Radius - 1, count) * stride];
    uint8_t extreme = ring[0];
    for (int k = 1; k < kSpan; ++k)
        if (Better()(ring[k], extreme)) extreme = ring[k];

    int oldest = 0;
    for (uint32_t x = 0; x < count; ++x) {
        const uint8_t entering = src[ClampIndex(int64_t(x) + Radius, count) * stride];
        const uint8_t leaving = ring[oldest];
        ring[oldest] = entering;
        oldest = oldest + 1 == kSpan ? 0 : oldest + 1;
        if (Better()(entering, extreme)) {
            extreme = entering;
        } else if (leaving == extreme) {
            extreme = ring[0];
            for (int k = 1; k < kSpan; ++k)
                if (Better()(ring[k], extreme)) extreme = ring[k];
        }
        dest[size_t(x) * stride] = extreme;
    }
}

// Column pass over a strip of up to kStrip neighbouring columns at once, so that the
// plane is walked row after row rather than down one column at a time.
template <int Radius, class Better>
void FilterColumns(uint8_t* plane, uint32_t width, uint32_t height) {
    constexpr int kSpan = 2 * Radius + 1;
    constexpr uint32_t kStrip = 64;
    for (uint32_t x0 = 0; x0 < width; x0 += kStrip) {
        const uint32_t strip = width - x0 < kStrip ? width - x0 : kStrip;
        uint8_t ring[kSpan][kStrip];
        uint8_t extreme[kStrip];
        uint8_t* column = plane + x0;
        for (int k = 0; k < kSpan; ++k) {
            const uint8_t* row = column + ClampIndex(k - Radius - 1, height) * width;
            for (uint32_t c = 0; c < strip; ++c) ring[k][c] = row[c];
        }
        for (uint32_t c = 0; c < strip; ++c) {
            extreme[c] = ring[0][c];
            for (int k = 1; k < kSpan; ++k)
                if (Better()(ring[k][c], extreme[c])) extreme[c] = ring[k][c];
        }
        int oldest = 0;
        for (uint32_t y = 0; y < height; ++y) {
            const uint8_t* enteringRow = column + ClampIndex(int64_t(y) + Radius, height) * width;
            uint8_t* out = column + size_t(y) * width;
            for (uint32_t c = 0; c < strip; ++c) {
                const uint8_t entering = enteringRow[c];
                const uint8_t leaving = ring[oldest][c];
                ring[oldest][c] = entering;
                if (Better()(entering, extreme[c])) {
                    extreme[c] = entering;
                } else if (leaving == extreme[c]) {
                    uint8_t e = ring[0][c];
                    for (int k = 1; k < kSpan; ++k)
                        if (Better()(ring[k][c], e)) e = ring[k][c];
                    extreme[c] = e;
                }
                out[c] = extreme[c];
            }
            oldest = oldest + 1 == kSpan ? 0 : oldest + 1;
        }
    }
}

template <int Radius, class Better>
void FilterPlane(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    if (width == 0 || height == 0) return;
    for (uint32_t y = 0; y < height; ++y)
        FilterLine<Radius, Better>(src + size_t(y) * width, dest + size_t(y) * width, width, 1);
    FilterColumns<Radius, Better>(dest, width, height);
}

struct AtLeast {
    bool operator()(uint8_t a, uint8_t b) const { return a >= b; }
};
struct AtMost {
    bool operator()(uint8_t a, uint8_t b) const { return a <= b; }
};

}  // namespace running_extreme
