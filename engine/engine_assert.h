#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

// The kernels' preconditions (a vector kernel's minimum width, planes that must lie apart,
// the rows a ring must still hold), checked in Debug builds only: the build defines
// LUMISTRA_DEBUG_ASSERTS there, so that Release code is what it would be without them.
// Unchecked, the condition is still compiled but never evaluated, so that it cannot rot
// and names used only in it count as used.
#ifdef LUMISTRA_DEBUG_ASSERTS
#define LUMISTRA_ASSERT(condition) assert(condition)
#else
#define LUMISTRA_ASSERT(condition) static_cast<void>(sizeof(!(condition)))
#endif

// Whether the byte ranges [a, a + aBytes) and [b, b + bBytes) share no byte.
inline bool BytesApart(const void* a, size_t aBytes, const void* b, size_t bBytes) {
    const uintptr_t aStart = reinterpret_cast<uintptr_t>(a);
    const uintptr_t bStart = reinterpret_cast<uintptr_t>(b);
    return aStart + aBytes <= bStart || bStart + bBytes <= aStart;
}

// Whether two planes of bytes each are the same plane or lie apart, as the kernels that
// work in place require.
inline bool SameOrApart(const void* a, const void* b, size_t bytes) {
    return a == b || BytesApart(a, bytes, b, bytes);
}
