#include "tests/engine/test_support.h"

#include <algorithm>
#include <cstring>

namespace lumistra_test {

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

}  // namespace lumistra_test
