// The AVX2 kernels: thirty-two samples per vector, four doubles per sum. Built with
// -mavx2 for this file alone and chosen only when the processor reports AVX2.
#include <immintrin.h>

#include <cstdint>
#include <cstring>

#include "engine/engine_assert.h"
#include "engine/kernel_paths.h"
#include "engine/median_columns.h"
#include "engine/sample_ops.h"
#include "engine/sample_ramps.h"

namespace {
#include "engine/kernels_simd.inl"
#include "engine/simd_bytes_avx2.inl"
#include "engine/simd_bytes_sse2.inl"

constexpr KernelTable kTable =
    MakeKernelTable<Avx2Bytes, Sse2Bytes, Avx2Doubles>(KernelPath::kAvx2);
}  // namespace

const KernelTable& Avx2KernelTable() { return kTable; }
