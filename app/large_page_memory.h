// Memory for pixels. A block of several megabytes is faulted in page by page
// on first touch, and where every fault is dear (virtual machines above all)
// that costs more than filtering the pixels. Blocks this large therefore come
// straight from the system, aligned so that the kernel can back them with
// 2 MiB pages wherever it offers them; smaller blocks come from the heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <vector>

// Null when the memory cannot be had. The block is not cleared.
void* AllocateLargePages(std::size_t bytes) noexcept;
// Takes back a block from AllocateLargePages; bytes as allocated.
void ReleaseLargePages(void* block, std::size_t bytes) noexcept;

template <class T>
class LargePageAllocator {
public:
    using value_type = T;

    LargePageAllocator() = default;
    template <class U>
    LargePageAllocator(const LargePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        void* block = AllocateLargePages(count * sizeof(T));
        if (block == nullptr) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t count) noexcept {
        ReleaseLargePages(block, count * sizeof(T));
    }

    template <class U>
    bool operator==(const LargePageAllocator<U>&) const noexcept {
        return true;
    }
    template <class U>
    bool operator!=(const LargePageAllocator<U>&) const noexcept {
        return false;
    }
};

// A plane or buffer of samples.
using PixelBytes = std::vector<uint8_t, LargePageAllocator<uint8_t>>;
