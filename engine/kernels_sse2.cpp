// The SSE2 kernels: sixteen samples per vector. The x86-64 floor, and on 32-bit x86
// chosen only when the processor reports SSE2.
#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "engine/engine_assert.h"
#include "engine/kernel_paths.h"
#include "engine/median_columns.h"
#include "engine/sample_ops.h"
#include "engine/sample_ramps.h"

namespace {
#include "engine/kernels_simd.inl"
#include "engine/simd_bytes_sse2.inl"

constexpr KernelTable kTable =
    MakeKernelTable<Sse2Bytes, Sse2Bytes, Sse2Doubles>(KernelPath::kSse2);
}  // namespace

const KernelTable& Sse2KernelTable() { return kTable; }
