// The SSE2 kernels: sixteen samples per vector. The x86-64 floor, and on 32-bit x86
// chosen only when the processor reports SSE2.
#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "img_class.h"
#include "kernel_paths.h"
#include "median_columns.h"
#include "noise_reducer.h"

namespace {
#include "simd_bytes_sse2.inl"
#include "simd_kernels.inl"

void Median(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    MedianPlane<Sse2Bytes, Sse2Bytes>(src, width, height, dest);
}
void RunningMax(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    ExtremePlane<Sse2Bytes, 9, true>(src, width, height, dest);
}
void RunningMin(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    ExtremePlane<Sse2Bytes, 8, false>(src, width, height, dest);
}

const KernelTable kTable = {
    KernelPath::kSse2,
    Median,
    RunningMax,
    RunningMin,
    AbsDifferenceWith<Sse2Bytes>,
    BlendByWeightWith<Sse2Bytes>,
    CombineDetailWith<Sse2Doubles>,
    CombineDetailWithCoarseWith<Sse2Doubles>,
    CombineOutputWith<Sse2Doubles>,
};
}  // namespace

const KernelTable& Sse2KernelTable() { return kTable; }
