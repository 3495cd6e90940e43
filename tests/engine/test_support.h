#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumistra_test {

// Small deterministic generator (SplitMix64), so that test planes are the same bytes on
// every platform and standard library.
class TestRandom {
public:
    explicit TestRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // Uniform in [0, bound).
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(Next() % bound); }
    uint8_t Byte() { return static_cast<uint8_t>(Next() >> 56); }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

private:
    uint64_t state_;
};

std::vector<uint8_t> RandomPlane(uint32_t width, uint32_t height, uint64_t seed,
                                 uint8_t low = 0, uint8_t high = 255);

// Gradients, a bright disc, a dark bar, fine noise and a few specks: exercises every
// branch of the weight map rather than only the saturated ones a random plane reaches.
std::vector<uint8_t> PhotoLikePlane(uint32_t width, uint32_t height, uint64_t seed);

uint64_t Fnv1aHash(const std::vector<uint8_t>& bytes);

// A heap block of exactly size usable bytes between two guard zones of a known value.
// Stray writes show up in GuardsIntact(); under AddressSanitizer the guards are also
// poisoned, so stray reads abort the test. The guard value is chosen by the caller so
// that a stray read also tends to change a filter's result in ordinary builds.
class GuardedBuffer {
public:
    static constexpr size_t kGuardSize = 64;

    explicit GuardedBuffer(size_t size, uint8_t guardValue = 0xA5, uint8_t fill = 0x5A);
    explicit GuardedBuffer(const std::vector<uint8_t>& contents, uint8_t guardValue = 0xA5);
    ~GuardedBuffer();
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    uint8_t* data() { return block_.data() + kGuardSize; }
    const uint8_t* data() const { return block_.data() + kGuardSize; }
    size_t size() const { return size_; }
    std::vector<uint8_t> Contents() const;
    bool GuardsIntact() const;

private:
    void SetGuardsPoisoned(bool poisoned) const;

    std::vector<uint8_t> block_;
    size_t size_;
    uint8_t guardValue_;
};

}  // namespace lumistra_test
