#include "tests/support/guarded_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define LUMISTRA_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMISTRA_TEST_ASAN 1
#endif
#endif

#ifdef LUMISTRA_TEST_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace lumistra_test {

GuardedBuffer::GuardedBuffer(size_t size, uint8_t guardValue, uint8_t fill, size_t misalignment)
    : block_(size + 2 * kGuardSize + kAlignment + misalignment % kAlignment, guardValue),
      size_(size),
      guardValue_(guardValue) {
    const uintptr_t afterGuard = reinterpret_cast<uintptr_t>(block_.data()) + kGuardSize;
    start_ = kGuardSize + (kAlignment - afterGuard % kAlignment) % kAlignment +
             misalignment % kAlignment;
    std::fill(data(), data() + size_, fill);
    SetGuardsPoisoned(true);
}

GuardedBuffer::GuardedBuffer(const std::vector<uint8_t>& contents, uint8_t guardValue,
                             size_t misalignment)
    : GuardedBuffer(contents.size(), guardValue, 0x5A, misalignment) {
    if (!contents.empty()) std::memcpy(data(), contents.data(), contents.size());
}

GuardedBuffer::~GuardedBuffer() {
    EXPECT_TRUE(GuardsIntact()) << "guarded buffer of " << size_
                                << " bytes written outside its bounds";
    SetGuardsPoisoned(false);
}

std::vector<uint8_t> GuardedBuffer::Contents() const {
    return std::vector<uint8_t>(data(), data() + size_);
}

bool GuardedBuffer::GuardsIntact() const {
    SetGuardsPoisoned(false);
    const auto isGuard = [this](uint8_t b) { return b == guardValue_; };
    const bool intact = std::all_of(block_.begin(), block_.begin() + start_, isGuard) &&
                        std::all_of(block_.begin() + start_ + size_, block_.end(), isGuard);
    SetGuardsPoisoned(true);
    return intact;
}

void GuardedBuffer::SetGuardsPoisoned([[maybe_unused]] bool poisoned) const {
#ifdef LUMISTRA_TEST_ASAN
    const uint8_t* head = block_.data();
    const uint8_t* tail = data() + size_;
    const size_t tailSize = block_.size() - start_ - size_;
    if (poisoned) {
        ASAN_POISON_MEMORY_REGION(head, start_);
        ASAN_POISON_MEMORY_REGION(tail, tailSize);
    } else {
        ASAN_UNPOISON_MEMORY_REGION(head, start_);
        ASAN_UNPOISON_MEMORY_REGION(tail, tailSize);
    }
#endif
}

}  // namespace lumistra_test
