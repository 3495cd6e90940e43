#include "tests/engine/reference_kernels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace reference {

uint8_t Plane::Clamped(int64_t x, int64_t y) const {
    x = std::clamp<int64_t>(x, 0, int64_t{width} - 1);
    y = std::clamp<int64_t>(y, 0, int64_t{height} - 1);
    return At(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
}

uint8_t ToSample(double value) {
    const double single = static_cast<float>(value);
    if (single > 255.0) return 255;
    if (single < 0.0) return 0;
    return static_cast<uint8_t>(std::floor(single + 0.5));
}

uint8_t ScaleClamp(uint8_t x, float gain) {
    return static_cast<uint8_t>(std::min(255.0, std::floor(double{gain} * x + 0.5)));
}

uint8_t BlendWeight(uint8_t difference, uint8_t brightness, float hiStrength, float loStrength,
                    float threshold) {
    if (difference == 0) return 0;
    float strength;
    if (brightness >= 191) {
        strength = hiStrength;
    } else if (brightness <= 63) {
        strength = loStrength;
    } else {
        const double t = (brightness - 63) / 255.0;
        strength =
            static_cast<float>(double{loStrength} * (1.0 - 2.0 * t) + double{hiStrength} * 2.0 * t);
    }
    if (strength == 0.0f) return 255;
    const float scale = static_cast<float>(128.0 / double{threshold});
    const double v =
        static_cast<double>(difference) * double{scale} * (2.0 / double{strength} - 1.0);
    if (v < 0.0) return 0;
    if (v > 255.0) return 255;
    return static_cast<uint8_t>(std::floor(v + 0.5));
}

uint8_t Blend(uint8_t input, uint8_t median, uint8_t weight) {
    return static_cast<uint8_t>((median * (255 - weight) + input * weight + 127) / 255);
}

uint8_t CombineDetail(uint8_t a, float aCoef, uint8_t b, float bCoef) {
    return ToSample(double{aCoef} * a - double{bCoef} * b + 127.0);
}

uint8_t CombineDetailWithCoarse(uint8_t a, float aCoef, uint8_t coarse, float coarseCoef, uint8_t b,
                                float bCoef) {
    return ToSample(double{aCoef} * a - double{bCoef} * b + double{coarseCoef} * (coarse - 127) +
                    127.0);
}

uint8_t CombineOutput(uint8_t a, float aCoef, uint8_t detail, float detailCoef) {
    return ToSample(double{detailCoef} * (detail - 127) + double{aCoef} * a);
}

Plane Median(const Plane& source) {
    Plane result = source;
    if (source.width < 5 || source.height < 5) return result;
    for (uint32_t y = 2; y + 2 < source.height; ++y) {
        for (uint32_t x = 2; x + 2 < source.width; ++x) {
            std::array<uint8_t, 25> window;
            size_t filled = 0;
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    const bool corner = std::abs(dx) == 2 && std::abs(dy) == 2;
                    window[filled++] = corner ? source.At(x, y) : source.At(x + dx, y + dy);
                }
            }
            std::sort(window.begin(), window.end());
            result.At(x, y) = window[12];
        }
    }
    return result;
}

namespace {

// The square extremum is the row extremum followed by the column extremum.
template <typename Pick>
Plane SquareExtremum(const Plane& source, int radius, Pick pick) {
    Plane rows(source.width, source.height);
    for (uint32_t y = 0; y < source.height; ++y) {
        for (uint32_t x = 0; x < source.width; ++x) {
            uint8_t best = source.At(x, y);
            for (int i = -radius; i <= radius; ++i)
                best = pick(best, source.Clamped(int64_t{x} + i, y));
            rows.At(x, y) = best;
        }
    }
    Plane result(source.width, source.height);
    for (uint32_t y = 0; y < source.height; ++y) {
        for (uint32_t x = 0; x < source.width; ++x) {
            uint8_t best = rows.At(x, y);
            for (int j = -radius; j <= radius; ++j)
                best = pick(best, rows.Clamped(x, int64_t{y} + j));
            result.At(x, y) = best;
        }
    }
    return result;
}

}  // namespace

Plane MaxFilter(const Plane& source, int radius) {
    return SquareExtremum(source, radius, [](uint8_t a, uint8_t b) { return std::max(a, b); });
}

Plane MinFilter(const Plane& source, int radius) {
    return SquareExtremum(source, radius, [](uint8_t a, uint8_t b) { return std::min(a, b); });
}

Plane Downsample(const Plane& source) {
    const uint32_t w = (source.width + 1) / 2;
    const uint32_t h = (source.height + 1) / 2;
    Plane rows(w, source.height);
    for (uint32_t y = 0; y < source.height; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            const int64_t cx = 2 * int64_t{x};
            rows.At(x, y) =
                static_cast<uint8_t>((source.Clamped(cx - 1, y) + 2 * source.Clamped(cx, y) +
                                      source.Clamped(cx + 1, y) + 2) >>
                                     2);
        }
    }
    Plane result(w, h);
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            const int64_t cy = 2 * int64_t{y};
            result.At(x, y) = static_cast<uint8_t>(
                (rows.Clamped(x, cy - 1) + 2 * rows.Clamped(x, cy) + rows.Clamped(x, cy + 1) + 2) >>
                2);
        }
    }
    return result;
}

namespace {

// Sample i of the doubled sequence: even positions copy, odd ones average their two
// neighbours, and a last odd position without a right neighbour repeats the last sample.
template <typename Get>
uint8_t Interpolate(uint32_t i, uint32_t sourceCount, float gain, Get get) {
    const uint32_t left = i / 2;
    if (i % 2 == 0 || left + 1 >= sourceCount) return get(left);
    const int sum = get(left) + get(left + 1);
    return static_cast<uint8_t>(gain == 1.0f ? sum >> 1 : (sum + 1) >> 1);
}

}  // namespace

Plane Upsample(const Plane& source, uint32_t width, uint32_t height, float gain) {
    Plane widened(width, source.height);
    for (uint32_t y = 0; y < source.height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            widened.At(x, y) =
                Interpolate(x, source.width, gain, [&](uint32_t i) { return source.At(i, y); });
    Plane result(width, height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            result.At(x, y) =
                Interpolate(y, source.height, gain, [&](uint32_t j) { return widened.At(x, j); });
    return result;
}

}  // namespace reference
