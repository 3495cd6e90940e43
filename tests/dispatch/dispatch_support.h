#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel_paths.h"

namespace dispatch_test {

// The paths besides the scalar one that this processor and build run.
std::vector<KernelPath> WidePaths();
std::string PathName(KernelPath path);

// Planes of the kinds that reach different corners of the kernels: uniform noise, a few
// close values (many ties), and smooth gradients with sparse outliers.
enum class Content { kNoise, kTies, kGradient };
std::vector<uint8_t> MakePlane(uint32_t width, uint32_t height, Content content, uint32_t seed);

// Sizes of the sweep: every width 1..94 (twice the widest vector plus 30) at heights
// 1..8, then larger planes of odd sizes.
struct Size {
    uint32_t width;
    uint32_t height;
};
std::vector<Size> SweepSizes();

// Empty when equal, else the first differing index and the two values there.
std::string FirstDifference(const std::vector<uint8_t>& expected,
                            const std::vector<uint8_t>& actual);
}  // namespace dispatch_test
