#include "tests/engine/test_support.h"

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

uint64_t TestRandom::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::vector<uint8_t> RandomPlane(uint32_t width, uint32_t height, uint64_t seed, uint8_t low,
                                 uint8_t high) {
    TestRandom random(seed);
    std::vector<uint8_t> plane(size_t{width} * height);
    const uint32_t span = uint32_t{high} - low + 1;
    for (uint8_t& sample : plane) sample = static_cast<uint8_t>(low + random.Below(span));
    return plane;
}

std::vector<uint8_t> PhotoLikePlane(uint32_t width, uint32_t height, uint64_t seed) {
    TestRandom random(seed);
    std::vector<uint8_t> plane(size_t{width} * height);
    const double cx = width * 0.62, cy = height * 0.38;
    const double radius = std::max(2.0, std::min(width, height) * 0.22);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            double v = 30.0 + 150.0 * x / std::max(1u, width) + 50.0 * y / std::max(1u, height);
            const double dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy < radius * radius) v += 45.0;
            if (x > width / 5 && x < width / 5 + 4 && y > height / 3) v -= 70.0;
            // Triangular noise of about +-12 and the occasional speck.
            v += static_cast<double>(random.Below(13)) + random.Below(13) - 12.0;
            if (random.Below(97) == 0) v = random.Below(2) ? 250.0 : 5.0;
            plane[size_t{y} * width + x] = static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
        }
    }
    return plane;
}

uint64_t Fnv1aHash(const std::vector<uint8_t>& bytes) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3ull;
    return hash;
}

GuardedBuffer::GuardedBuffer(size_t size, uint8_t guardValue, uint8_t fill)
    : block_(size + 2 * kGuardSize, guardValue), size_(size), guardValue_(guardValue) {
    std::fill(data(), data() + size_, fill);
    SetGuardsPoisoned(true);
}

GuardedBuffer::GuardedBuffer(const std::vector<uint8_t>& contents, uint8_t guardValue)
    : GuardedBuffer(contents.size(), guardValue) {
    if (!contents.empty()) std::memcpy(data(), contents.data(), contents.size());
}

GuardedBuffer::~GuardedBuffer() { SetGuardsPoisoned(false); }

std::vector<uint8_t> GuardedBuffer::Contents() const {
    return std::vector<uint8_t>(data(), data() + size_);
}

bool GuardedBuffer::GuardsIntact() const {
    SetGuardsPoisoned(false);
    const auto isGuard = [this](uint8_t b) { return b == guardValue_; };
    const bool intact =
        std::all_of(block_.begin(), block_.begin() + kGuardSize, isGuard) &&
        std::all_of(block_.end() - kGuardSize, block_.end(), isGuard);
    SetGuardsPoisoned(true);
    return intact;
}

void GuardedBuffer::SetGuardsPoisoned([[maybe_unused]] bool poisoned) const {
#ifdef LUMISTRA_TEST_ASAN
    const uint8_t* head = block_.data();
    const uint8_t* tail = head + kGuardSize + size_;
    if (poisoned) {
        ASAN_POISON_MEMORY_REGION(head, kGuardSize);
        ASAN_POISON_MEMORY_REGION(tail, kGuardSize);
    } else {
        ASAN_UNPOISON_MEMORY_REGION(head, kGuardSize);
        ASAN_UNPOISON_MEMORY_REGION(tail, kGuardSize);
    }
#endif
}

}  // namespace lumistra_test
