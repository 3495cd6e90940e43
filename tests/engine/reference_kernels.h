#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Slow, straightforward versions of the engine's kernels and per-sample operations, written
// from their definitions rather than from the engine's code. Every routine allocates its
// result and never works in place.
namespace reference {

struct Plane {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> pixels;

    Plane() = default;
    Plane(uint32_t w, uint32_t h, uint8_t fill = 0)
        : width(w), height(h), pixels(size_t{w} * h, fill) {}
    Plane(uint32_t w, uint32_t h, std::vector<uint8_t> samples)
        : width(w), height(h), pixels(std::move(samples)) {}

    uint8_t& At(uint32_t x, uint32_t y) { return pixels[size_t{y} * width + x]; }
    uint8_t At(uint32_t x, uint32_t y) const { return pixels[size_t{y} * width + x]; }
    // Coordinates outside the plane take the nearest edge sample.
    uint8_t Clamped(int64_t x, int64_t y) const;
};

// Real value to sample: to single precision first, then clamped, then halves up.
uint8_t ToSample(double value);
uint8_t ScaleClamp(uint8_t x, float gain);
uint8_t BlendWeight(uint8_t difference, uint8_t brightness, float hiStrength, float loStrength,
                    float threshold);
uint8_t Blend(uint8_t input, uint8_t median, uint8_t weight);
uint8_t CombineDetail(uint8_t a, float aCoef, uint8_t b, float bCoef);
uint8_t CombineDetailWithCoarse(uint8_t a, float aCoef, uint8_t coarse, float coarseCoef, uint8_t b,
                                float bCoef);
uint8_t CombineOutput(uint8_t a, float aCoef, uint8_t detail, float detailCoef);

// 13th smallest of the 5x5 square without corners plus four extra copies of the centre;
// two-sample border copied, planes below 5 in either direction copied.
Plane Median(const Plane& source);
// Maximum / minimum over the (2 * radius + 1) square, edges repeated.
Plane MaxFilter(const Plane& source, int radius);
Plane MinFilter(const Plane& source, int radius);

Plane Downsample(const Plane& source);
Plane Upsample(const Plane& source, uint32_t width, uint32_t height, float gain);

}  // namespace reference
