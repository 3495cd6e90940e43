#pragma once

#include <cstdint>
#include <vector>

namespace lumistra {

enum class SampleChannel { Red = 0, Green = 1, Blue = 2 };

// One colour plane (width * height bytes, rows without gaps) of a photo-like test scene:
// a sky gradient with a soft sun, hills with fine grass texture, a building with hard
// edges and lit windows, and a shaded ball with its shadow, under sensor-like noise
// whose strength grows with brightness. Generated from the arguments alone, so a plane
// is the same on every run and each channel can be made without the others.
std::vector<uint8_t> MakeSamplePlane(uint32_t width, uint32_t height, SampleChannel channel,
                                     uint32_t seed = 1);

}  // namespace lumistra
