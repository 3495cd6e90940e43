// The AVX2 kernels: thirty-two samples per vector, four doubles per sum. Built with
// -mavx2 for this file alone and chosen only when the processor reports AVX2.
#include <immintrin.h>

#include <cstdint>
#include <cstring>

#include "engine/img_class.h"
#include "engine/kernel_paths.h"
#include "engine/median_columns.h"
#include "engine/noise_reducer.h"
#include "engine/sample_ramps.h"

namespace {
#include "engine/simd_bytes_sse2.inl"
#include "engine/simd_bytes_avx2.inl"
#include "engine/simd_kernels.inl"
#include "engine/simd_level_sweep.inl"

void Median(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    MedianPlane<Avx2Bytes, Sse2Bytes>(src, width, height, dest);
}
void RunningMax(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    ExtremePlane<Avx2Bytes, 9, true>(src, width, height, dest);
}
void RunningMin(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    ExtremePlane<Avx2Bytes, 8, false>(src, width, height, dest);
}
void MedianDifferenceMax(const uint8_t* input, uint32_t width, uint32_t height, uint8_t* median,
                         uint8_t* difference, const uint8_t* scaled) {
    MedianDifferenceMaxPlane<Avx2Bytes, Sse2Bytes>(input, width, height, median, difference, scaled);
}
void MinimumBlend(uint8_t* difference, uint32_t width, uint32_t height, const uint8_t* input,
                  uint8_t* median, const uint8_t* weightTable) {
    MinimumBlendWithTable<Avx2Bytes>(difference, width, height, input, median, weightTable);
}
void Downsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                uint32_t dstWidth, uint32_t dstHeight) {
    DownsamplePlane<Avx2Bytes>(src, srcWidth, srcHeight, dest, dstWidth, dstHeight);
}
void Upsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
              uint32_t dstWidth, uint32_t dstHeight, float gain) {
    UpsamplePlane<Avx2Bytes>(src, srcWidth, srcHeight, dest, dstWidth, dstHeight, gain);
}

const KernelTable kTable = {
    KernelPath::kAvx2,
    Median,
    RunningMax,
    RunningMin,
    MedianDifferenceMax,
    MinimumBlend,
    Downsample,
    Upsample,
    AbsDifferenceWith<Avx2Bytes>,
    BlendByWeightWith<Avx2Bytes>,
    LookUpWith<Avx2Bytes>,
    CombineDetailWith<Avx2Doubles, Avx2Bytes>,
    CombineDetailWithCoarseWith<Avx2Doubles, Avx2Bytes>,
    CombineOutputWith<Avx2Doubles>,
    MinimumBlendWithRamp<Avx2Bytes>,
    CombineOutputRampWith<Avx2Bytes>,
    LevelSweepWith<Avx2Bytes, Sse2Bytes>,
    UpsampleCombineOutputWith<Avx2Bytes, Avx2Doubles>,
};
}  // namespace

const KernelTable& Avx2KernelTable() { return kTable; }
