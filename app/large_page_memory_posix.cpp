#include <sys/mman.h>

#include <cstdint>
#include <mutex>
#include <vector>

#include "app/large_page_memory.h"

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

// The address sanitizer watches heap blocks only: under it every block comes
// from the heap, so that overruns of pixel buffers are still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kHeapOnly = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kHeapOnly = true;
#else
constexpr bool kHeapOnly = false;
#endif
#else
constexpr bool kHeapOnly = false;
#endif

bool FromHeap(std::size_t bytes) { return kHeapOnly || bytes < kLargePage; }

std::size_t RoundUp(std::size_t value, std::size_t step) {
    return (value + step - 1) / step * step;
}

// Whole large pages: a block's last part in small pages would be faulted in
// small page by small page again.
std::size_t MappedSize(std::size_t bytes) { return RoundUp(bytes, kLargePage); }

// Blocks given back are kept for the next request of their size: a filter
// asks for the same buffers plane after plane and photo after photo, and a
// kept block is neither faulted in nor cleared again by the kernel.
class KeptBlocks {
public:
    void* Take(std::size_t mappedSize) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (std::size_t i = blocks_.size(); i-- > 0;) {
            if (blocks_[i].size != mappedSize) continue;
            void* block = blocks_[i].address;
            keptBytes_ -= mappedSize;
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(i));
            return block;
        }
        return nullptr;
    }

    void Keep(void* block, std::size_t mappedSize) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (mappedSize > kMaxKeptBytes) {
            ::munmap(block, mappedSize);
            return;
        }
        // The oldest go first when the new one would not fit.
        while (keptBytes_ + mappedSize > kMaxKeptBytes) {
            ::munmap(blocks_.front().address, blocks_.front().size);
            keptBytes_ -= blocks_.front().size;
            blocks_.erase(blocks_.begin());
        }
        blocks_.push_back({block, mappedSize});
        keptBytes_ += mappedSize;
    }

private:
    static constexpr std::size_t kMaxKeptBytes = std::size_t{64} << 20;
    struct Block {
        void* address;
        std::size_t size;
    };
    std::mutex mutex_;
    std::vector<Block> blocks_;
    std::size_t keptBytes_ = 0;
};

KeptBlocks& Kept() {
    // Never destroyed: blocks may still be given back while the process ends.
    static KeptBlocks* const kept = new KeptBlocks;
    return *kept;
}

}  // namespace

void* AllocateLargePages(std::size_t bytes) noexcept {
    // Refused before either source is asked: no size this large can be had,
    // and rounding it up to whole large pages would wrap.
    if (bytes > SIZE_MAX - 2 * kLargePage) return nullptr;
    if (FromHeap(bytes)) return ::operator new(bytes == 0 ? 1 : bytes, std::nothrow);
    const std::size_t used = MappedSize(bytes);
    if (void* kept = Kept().Take(used)) return kept;
    // Map one large page more than needed, then give back the unaligned ends.
    const std::size_t mapped = used + kLargePage;
    void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    char* const start = static_cast<char*>(raw);
    const std::size_t head = RoundUp(reinterpret_cast<std::uintptr_t>(start), kLargePage) -
                             reinterpret_cast<std::uintptr_t>(start);
    char* const block = start + head;
    if (head > 0) ::munmap(start, head);
    if (mapped - head - used > 0) ::munmap(block + used, mapped - head - used);
    // Only advice: a kernel without large pages keeps small ones.
    ::madvise(block, used, MADV_HUGEPAGE);
    return block;
}

void ReleaseLargePages(void* block, std::size_t bytes) noexcept {
    if (block == nullptr) return;
    if (FromHeap(bytes)) {
        ::operator delete(block);
        return;
    }
    Kept().Keep(block, MappedSize(bytes));
}
