#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/support/test_random.h"

namespace lumistra_test {

std::vector<uint8_t> RandomPlane(uint32_t width, uint32_t height, uint64_t seed, uint8_t low = 0,
                                 uint8_t high = 255);

// Gradients, a bright disc, a dark bar, fine noise and a few specks: exercises every
// branch of the weight map rather than only the saturated ones a random plane reaches.
std::vector<uint8_t> PhotoLikePlane(uint32_t width, uint32_t height, uint64_t seed);

uint64_t Fnv1aHash(const std::vector<uint8_t>& bytes);

}  // namespace lumistra_test
