#pragma once

#include <cstdint>

namespace lumistra_test {

// Small deterministic generator (SplitMix64), so that test data are the same bytes on
// every platform and standard library.
class TestRandom {
public:
    explicit TestRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, bound).
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(Next() % bound); }
    uint8_t Byte() { return static_cast<uint8_t>(Next() >> 56); }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

private:
    uint64_t state_;
};

}  // namespace lumistra_test
