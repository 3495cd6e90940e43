#include "app/large_page_memory.h"

// Large pages on Windows need a privilege ordinary users lack: the heap it is.
void* AllocateLargePages(std::size_t bytes) noexcept {
    return ::operator new(bytes == 0 ? 1 : bytes, std::nothrow);
}

void ReleaseLargePages(void* block, std::size_t) noexcept { ::operator delete(block); }
