#include "engine/kernel_paths.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "engine/img_class.h"
#include "engine/sample_ops.h"

#if defined(__i386__) || defined(__x86_64__)
#define LUMISTRA_X86_KERNELS 1
const KernelTable& Sse2KernelTable();
const KernelTable& Avx2KernelTable();
#endif

namespace {

const tImgClass kScalarKernels;
constexpr uint32_t kFlags = 1;

void ScalarMedian(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    kScalarKernels.MedianFilter(src, width, height, dest, kFlags);
}
void ScalarMax(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    kScalarKernels.MaxFilter(src, width, height, dest, nullptr, 0, kFlags);
}
void ScalarMin(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    kScalarKernels.MinFilter(src, width, height, dest, nullptr, 0, kFlags);
}
// The differences of input and median, scaled unless scaled is null, and their maximum.
void DifferenceMax(const uint8_t* input, uint32_t width, uint32_t height, const uint8_t* median,
                   uint8_t* difference, const uint8_t* scaled) {
    const size_t count = size_t(width) * height;
    sample_ops::AbsDifference(input, median, difference, count);
    if (scaled != nullptr)
        for (size_t i = 0; i < count; ++i) difference[i] = scaled[difference[i]];
    ScalarMax(difference, width, height, difference);
}
void ScalarMedianDifferenceMax(const uint8_t* input, uint32_t width, uint32_t height,
                               uint8_t* median, uint8_t* difference, const uint8_t* scaled) {
    ScalarMedian(input, width, height, median);
    DifferenceMax(input, width, height, median, difference, scaled);
}
void ScalarMinimumBlend(uint8_t* difference, uint32_t width, uint32_t height, const uint8_t* input,
                        uint8_t* median, const uint8_t* weightTable) {
    ScalarMin(difference, width, height, difference);
    const size_t count = size_t(width) * height;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t weight = weightTable[median[i] * 256u + difference[i]];
        median[i] = uint8_t((median[i] * (255u - weight) + input[i] * weight + 127u) / 255u);
    }
}
void ScalarMinimumBlendRamp(uint8_t* difference, uint32_t width, uint32_t height,
                            const uint8_t* input, uint8_t* median, const WeightRamp& ramp) {
    ScalarMin(difference, width, height, difference);
    const size_t count = size_t(width) * height;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t weight = RampWeight(ramp, difference[i]);
        median[i] = uint8_t((median[i] * (255u - weight) + input[i] * weight + 127u) / 255u);
    }
}
void ScalarCombineOutputRamp(const uint8_t* filtered, const uint8_t* detail,
                             const CombineRamp& ramp, uint8_t* out, size_t count) {
    for (size_t i = 0; i < count; ++i) out[i] = RampCombine(ramp, filtered[i], detail[i]);
}
void ScalarDownsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                      uint32_t dstWidth, uint32_t dstHeight) {
    kScalarKernels.Downsample(src, srcWidth, srcHeight, dest, dstWidth, dstHeight, 0, 1.0f);
}
void ScalarUpsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                    uint32_t dstWidth, uint32_t dstHeight, float gain) {
    kScalarKernels.Upsample(src, srcWidth, srcHeight, dest, dstWidth, dstHeight, kFlags, gain);
}
void ScalarLookUp(const uint8_t* table, const uint8_t* row, const uint8_t* column, uint8_t* out,
                  size_t count) {
    for (size_t i = 0; i < count; ++i) out[i] = table[row[i] * 256u + column[i]];
}

void ScalarPackedMedian(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    kScalarKernels.MedianFilterPacked(src, width, height, dest, kFlags);
}
void ScalarPackedMedianDifferenceMax(const uint8_t* input, uint32_t width, uint32_t height,
                                     uint8_t* median, uint8_t* difference, const uint8_t* scaled) {
    ScalarPackedMedian(input, width, height, median);
    DifferenceMax(input, width, height, median, difference, scaled);
}

// Every member is set by its name, so that two members of the same type cannot change
// places unnoticed. The scalar path has neither the level sweep nor the fused up-sampling.
constexpr KernelTable MakeScalarKernelTable(bool packedMedian) {
    KernelTable table = {};
    table.path = KernelPath::kScalar;
    table.median = packedMedian ? ScalarPackedMedian : ScalarMedian;
    table.runningMax = ScalarMax;
    table.runningMin = ScalarMin;
    table.medianDifferenceMax =
        packedMedian ? ScalarPackedMedianDifferenceMax : ScalarMedianDifferenceMax;
    table.minimumBlend = ScalarMinimumBlend;
    table.downsample = ScalarDownsample;
    table.upsample = ScalarUpsample;
    table.absDifference = sample_ops::AbsDifference;
    table.blendByWeight = sample_ops::BlendByWeight;
    table.lookUp = ScalarLookUp;
    table.combineDetail = sample_ops::CombineDetail;
    table.combineDetailWithCoarse = sample_ops::CombineDetailWithCoarse;
    table.combineOutput = sample_ops::CombineOutput;
    table.minimumBlendRamp = ScalarMinimumBlendRamp;
    table.combineOutputRamp = ScalarCombineOutputRamp;
    return table;
}

constexpr KernelTable kScalarTable = MakeScalarKernelTable(false);
constexpr KernelTable kScalarPackedMedianTable = MakeScalarKernelTable(true);

bool ScalarForced() {
    const char* value = std::getenv("LUMISTRA_FORCE_SCALAR");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace

const char* KernelPathName(KernelPath path) {
    switch (path) {
        case KernelPath::kScalar:
            return "scalar";
        case KernelPath::kSse2:
            return "sse2";
        case KernelPath::kAvx2:
            return "avx2";
    }
    return "unknown";
}

bool KernelPathSupported(KernelPath path) {
    switch (path) {
        case KernelPath::kScalar:
            return true;
#if LUMISTRA_X86_KERNELS
        case KernelPath::kSse2:
#if defined(__x86_64__)
            return true;
#else
            return __builtin_cpu_supports("sse2");
#endif
        case KernelPath::kAvx2:
            return __builtin_cpu_supports("avx2");
#endif
        default:
            return false;
    }
}

const KernelTable& ScalarPackedMedianKernelTable() { return kScalarPackedMedianTable; }

const KernelTable* KernelTableFor(KernelPath path) {
    switch (path) {
        case KernelPath::kScalar:
            return &kScalarTable;
#if LUMISTRA_X86_KERNELS
        case KernelPath::kSse2:
            return &Sse2KernelTable();
        case KernelPath::kAvx2:
            return &Avx2KernelTable();
#endif
        default:
            return nullptr;
    }
}

const KernelTable& SelectKernelTable() {
    if (ScalarForced()) return kScalarTable;
    for (KernelPath path : {KernelPath::kAvx2, KernelPath::kSse2}) {
        const KernelTable* table = KernelTableFor(path);
        if (table != nullptr && KernelPathSupported(path)) return *table;
    }
    return kScalarTable;
}
