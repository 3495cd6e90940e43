#include "kernel_paths.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "img_class.h"
#include "noise_reducer.h"

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
void ScalarAbsDifference(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t count) {
    NoiseReducer::AbsDifference(a, b, out, count, kFlags);
}
void ScalarBlend(const uint8_t* input, const uint8_t* median, const uint8_t* weight,
                 uint8_t* out, size_t count) {
    NoiseReducer::BlendByWeight(input, median, weight, out, count, kFlags);
}
void ScalarCombineDetail(const uint8_t* a, float aCoef, const uint8_t* b, float bCoef,
                         uint8_t* out, size_t count) {
    NoiseReducer::CombineDetail(a, aCoef, b, bCoef, out, count, kFlags);
}
void ScalarCombineWithCoarse(const uint8_t* a, float aCoef, const uint8_t* coarse,
                             float coarseCoef, const uint8_t* b, float bCoef, uint8_t* out,
                             size_t count) {
    NoiseReducer::CombineDetailWithCoarse(a, aCoef, coarse, coarseCoef, b, bCoef, out, count,
                                          kFlags);
}
void ScalarCombineOutput(const uint8_t* a, float aCoef, const uint8_t* detail, float detailCoef,
                         uint8_t* out, size_t count) {
    NoiseReducer::CombineOutput(a, aCoef, detail, detailCoef, out, count, kFlags);
}

const KernelTable kScalarTable = {
    KernelPath::kScalar, ScalarMedian,        ScalarMax,           ScalarMin,
    ScalarAbsDifference, ScalarBlend,         ScalarCombineDetail, ScalarCombineWithCoarse,
    ScalarCombineOutput,
};

bool ScalarForced() {
    const char* value = std::getenv("LUMISTRA_FORCE_SCALAR");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace

bool KernelPathSupported(KernelPath path) {
    switch (path) {
        case KernelPath::kScalar: return true;
#if LUMISTRA_X86_KERNELS
        case KernelPath::kSse2:
#if defined(__x86_64__)
            return true;
#else
            return __builtin_cpu_supports("sse2");
#endif
        case KernelPath::kAvx2: return __builtin_cpu_supports("avx2");
#endif
        default: return false;
    }
}

const KernelTable* KernelTableFor(KernelPath path) {
    switch (path) {
        case KernelPath::kScalar: return &kScalarTable;
#if LUMISTRA_X86_KERNELS
        case KernelPath::kSse2: return &Sse2KernelTable();
        case KernelPath::kAvx2: return &Avx2KernelTable();
#endif
        default: return nullptr;
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
