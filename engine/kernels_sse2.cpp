// The SSE2 kernels: sixteen samples per vector. The x86-64 floor, and on 32-bit x86
// chosen only when the processor reports SSE2.
#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "engine/img_class.h"
#include "engine/kernel_paths.h"
#include "engine/median_columns.h"
#include "engine/noise_reducer.h"
#include "engine/sample_ramps.h"

namespace {
#include "engine/simd_bytes_sse2.inl"
#include "engine/simd_kernels.inl"
#include "engine/simd_level_sweep.inl"

void Median(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    MedianPlane<Sse2Bytes, Sse2Bytes>(src, width, height, dest);
}
void RunningMax(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    ExtremePlane<Sse2Bytes, 9, true>(src, width, height, dest);
}
void RunningMin(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    ExtremePlane<Sse2Bytes, 8, false>(src, width, height, dest);
}
void MedianDifferenceMax(const uint8_t* input, uint32_t width, uint32_t height, uint8_t* median,
                         uint8_t* difference, const uint8_t* scaled) {
    MedianDifferenceMaxPlane<Sse2Bytes, Sse2Bytes>(input, width, height, median, difference, scaled);
}
void MinimumBlend(uint8_t* difference, uint32_t width, uint32_t height, const uint8_t* input,
                  uint8_t* median, const uint8_t* weightTable) {
    MinimumBlendWithTable<Sse2Bytes>(difference, width, height, input, median, weightTable);
}
void Downsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                uint32_t dstWidth, uint32_t dstHeight) {
    DownsamplePlane<Sse2Bytes>(src, srcWidth, srcHeight, dest, dstWidth, dstHeight);
}
void Upsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
              uint32_t dstWidth, uint32_t dstHeight, float gain) {
    UpsamplePlane<Sse2Bytes>(src, srcWidth, srcHeight, dest, dstWidth, dstHeight, gain);
}

const KernelTable kTable = {
    KernelPath::kSse2,
    Median,
    RunningMax,
    RunningMin,
    MedianDifferenceMax,
    MinimumBlend,
    Downsample,
    Upsample,
    AbsDifferenceWith<Sse2Bytes>,
    BlendByWeightWith<Sse2Bytes>,
    LookUpWith<Sse2Bytes>,
    CombineDetailWith<Sse2Doubles, Sse2Bytes>,
    CombineDetailWithCoarseWith<Sse2Doubles, Sse2Bytes>,
    CombineOutputWith<Sse2Doubles>,
    MinimumBlendWithRamp<Sse2Bytes>,
    CombineOutputRampWith<Sse2Bytes>,
    LevelSweepWith<Sse2Bytes, Sse2Bytes>,
    UpsampleCombineOutputWith<Sse2Bytes, Sse2Doubles>,
};
}  // namespace

const KernelTable& Sse2KernelTable() { return kTable; }
