#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/sample_ramps.h"

// The instruction sets the engine has kernels for. Every path gives the same bytes as
// the scalar one; the wider ones are only faster.
enum class KernelPath : int { kScalar = 0, kSse2 = 1, kAvx2 = 2 };

// How the output combination is formed: by the ramp when it is set, else by the table
// (table[detail * 256 + filtered], three readable bytes after its 65536) when that is
// set, else as sample_ops::CombineOutput with the two coefficients.
struct OutputCombination {
    const CombineRamp* ramp;
    const uint8_t* table;
    float filteredCoef;
    float detailCoef;
};

// The per-plane and per-row operations the pipeline calls through one table, chosen once
// per engine. Each has the meaning of the scalar operation named in its comment.
struct KernelTable {
    KernelPath path;
    // tImgClass::MedianFilter: src and dest distinct planes.
    void (*median)(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest);
    // tImgClass::MaxFilter (19x19) and MinFilter (17x17); dest may equal src.
    void (*runningMax)(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest);
    void (*runningMin)(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest);
    // median = MedianFilter(input); difference = MaxFilter(ScaleClamp(AbsDifference(input,
    // median))), the scaling through scaled (ScaleClamp of 0..255), none when null.
    void (*medianDifferenceMax)(const uint8_t* input, uint32_t width, uint32_t height,
                                uint8_t* median, uint8_t* difference, const uint8_t* scaled);
    // MinFilter of difference (clobbering it); then each minimum d and median sample m
    // give the weight weightTable[m * 256 + d] (three readable bytes follow its 65536) and
    // the median is replaced by BlendByWeight of input and median.
    void (*minimumBlend)(uint8_t* difference, uint32_t width, uint32_t height, const uint8_t* input,
                         uint8_t* median, const uint8_t* weightTable);
    // tImgClass::Downsample and Upsample (gain chooses the up-sampler's rounding).
    void (*downsample)(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                       uint32_t dstWidth, uint32_t dstHeight);
    void (*upsample)(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                     uint32_t dstWidth, uint32_t dstHeight, float gain);
    // sample_ops::AbsDifference.
    void (*absDifference)(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t count);
    // sample_ops::BlendByWeight.
    void (*blendByWeight)(const uint8_t* input, const uint8_t* median, const uint8_t* weight,
                          uint8_t* out, size_t count);
    // out[i] = table[row[i] * 256 + column[i]]; out may equal row or column. The table has
    // three readable bytes after its 65536.
    void (*lookUp)(const uint8_t* table, const uint8_t* row, const uint8_t* column, uint8_t* out,
                   size_t count);
    // sample_ops::CombineDetail, CombineDetailWithCoarse and CombineOutput.
    void (*combineDetail)(const uint8_t* a, float aCoef, const uint8_t* b, float bCoef,
                          uint8_t* out, size_t count);
    void (*combineDetailWithCoarse)(const uint8_t* a, float aCoef, const uint8_t* coarse,
                                    float coarseCoef, const uint8_t* b, float bCoef, uint8_t* out,
                                    size_t count);
    void (*combineOutput)(const uint8_t* a, float aCoef, const uint8_t* detail, float detailCoef,
                          uint8_t* out, size_t count);
    // minimumBlend with the weight of each minimum d given by RampWeight(ramp, d).
    void (*minimumBlendRamp)(uint8_t* difference, uint32_t width, uint32_t height,
                             const uint8_t* input, uint8_t* median, const WeightRamp& ramp);
    // out[i] = RampCombine(ramp, filtered[i], detail[i]); out may equal either.
    void (*combineOutputRamp)(const uint8_t* filtered, const uint8_t* detail,
                              const CombineRamp& ramp, uint8_t* out, size_t count);
    // medianDifferenceMax of input into output, then minimumBlend (with weightTable, or
    // when that is null with the weights of *ramp as minimumBlendRamp), in one sweep down
    // the rows that keeps the rows it needs in rings (LevelSweepRingBytes(width) bytes,
    // apart from every plane); unless down is null, the downsample of the result into it
    // as well. scaledRamp, when not null, is the exact ramp form of scaled
    // (RampWeight(*scaledRamp, d) == scaled[d]). Null on paths without it; returns false,
    // having done nothing, for a plane narrower than the path's vectors.
    bool (*levelSweep)(const uint8_t* input, uint32_t width, uint32_t height, const uint8_t* scaled,
                       const WeightRamp* scaledRamp, const uint8_t* weightTable,
                       const WeightRamp* ramp, uint8_t* rings, uint8_t* output, uint8_t* down);
    // upsample of src (gain as there) to a dstWidth x dstHeight detail image combined by
    // how with filtered into out, row by row through row (dstWidth bytes of scratch), so
    // that the detail image is never stored whole. src lies apart from out. Null on paths
    // without it.
    void (*upsampleCombineOutput)(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight,
                                  uint32_t dstWidth, uint32_t dstHeight, float gain,
                                  const uint8_t* filtered, const OutputCombination& how,
                                  uint8_t* row, uint8_t* out);
};

// Scratch bytes of levelSweep: the windows of the running maximum (19 rows) and of the
// running minimum (17) of a group of eight rows.
constexpr uint64_t LevelSweepRingBytes(uint32_t width) { return uint64_t(26 + 24) * width; }

// Whether this processor executes the path (the scalar path always exists). The one place
// that asks the processor what it supports.
bool KernelPathSupported(KernelPath path);

// The path's name in reports and benchmark labels: "scalar", "sse2", "avx2".
const char* KernelPathName(KernelPath path);

// The table of a path, or null when the build has no kernels for it.
const KernelTable* KernelTableFor(KernelPath path);

// The scalar path with tImgClass::MedianFilterPacked, eight medians per step, in place of
// one selection per sample; the bytes are the same.
const KernelTable& ScalarPackedMedianKernelTable();

// The fastest path this processor supports. Setting the environment variable
// LUMISTRA_FORCE_SCALAR to 1 forces the scalar path, to compare against it or to rule
// the wide kernels out when tracking down a fault.
const KernelTable& SelectKernelTable();
