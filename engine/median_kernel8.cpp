#include <algorithm>
#include <cstring>

#include "engine/engine_assert.h"
#include "engine/img_class.h"
#include "engine/median_network.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define LUMISTRA_KERNEL8_SSE2 1
#endif

namespace {

#if LUMISTRA_KERNEL8_SSE2
struct VectorOps {
    static __m128i Min(__m128i a, __m128i b) { return _mm_min_epu8(a, b); }
    static __m128i Max(__m128i a, __m128i b) { return _mm_max_epu8(a, b); }
};
using Lanes = __m128i;

inline Lanes LoadLanes(const uint8_t* p) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
}
inline void StoreLanes(uint8_t* out, Lanes v) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), v);
}
#else
// Portable eight-lane vector for processors without SSE2.
struct Lanes {
    uint8_t lane[8];
};
struct VectorOps {
    static Lanes Min(Lanes a, Lanes b) {
        for (int i = 0; i < 8; ++i) a.lane[i] = std::min(a.lane[i], b.lane[i]);
        return a;
    }
    static Lanes Max(Lanes a, Lanes b) {
        for (int i = 0; i < 8; ++i) a.lane[i] = std::max(a.lane[i], b.lane[i]);
        return a;
    }
};
inline Lanes LoadLanes(const uint8_t* p) {
    Lanes v;
    std::memcpy(v.lane, p, 8);
    return v;
}
inline void StoreLanes(uint8_t* out, Lanes v) { std::memcpy(out, v.lane, 8); }
#endif

}  // namespace

// Lane i serves output column x + 2 + i. The window is taken column by column, left
// first, each column top to bottom; the corners carry the centre row's middle column.
void tImgClass::MedianKernel8(const uint8_t* row0, const uint8_t* row1, const uint8_t* row2,
                              const uint8_t* row3, const uint8_t* row4, uint8_t* out,
                              uint32_t count) {
    LUMISTRA_ASSERT(count <= 8);
    const Lanes centre = LoadLanes(row2 + 2);
    Lanes p[25] = {
        centre,
        LoadLanes(row1),
        LoadLanes(row2),
        LoadLanes(row3),
        centre,
        LoadLanes(row0 + 1),
        LoadLanes(row1 + 1),
        LoadLanes(row2 + 1),
        LoadLanes(row3 + 1),
        LoadLanes(row4 + 1),
        LoadLanes(row0 + 2),
        LoadLanes(row1 + 2),
        centre,
        LoadLanes(row3 + 2),
        LoadLanes(row4 + 2),
        LoadLanes(row0 + 3),
        LoadLanes(row1 + 3),
        LoadLanes(row2 + 3),
        LoadLanes(row3 + 3),
        LoadLanes(row4 + 3),
        centre,
        LoadLanes(row1 + 4),
        LoadLanes(row2 + 4),
        LoadLanes(row3 + 4),
        centre,
    };
    const Lanes medians = SelectMedianOf25<VectorOps>(p);
    if (count >= 8) {
        StoreLanes(out + 2, medians);
    } else {
        uint8_t lanes[8];
        StoreLanes(lanes, medians);
        std::memcpy(out + 2, lanes, count);
    }
}
