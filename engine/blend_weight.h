#pragma once

#include <cmath>
#include <cstdint>

// The two halves of the blend weight, shared by ComputeBlendWeights and the per-level
// weight table so that both round alike.

// The strength at brightness b: the shadow strength up to a quarter of the range, the
// highlight strength from three quarters, a linear mix in between.
inline float BlendStrength(uint32_t brightness, float hiStrength, float loStrength,
                           uint8_t maxValue) {
    const uint32_t lowerLimit = maxValue >> 2;
    const uint32_t upperLimit = (3u * maxValue) >> 2;
    if (brightness >= upperLimit) return hiStrength;
    if (brightness <= lowerLimit) return loStrength;
    const double t = double(brightness - lowerLimit) / maxValue;
    return static_cast<float>(double(loStrength) * (1.0 - 2.0 * t) +
                              double(hiStrength) * (2.0 * t));
}

// The weight of a filtered difference d at a strength; scale is 128 / threshold and factor
// is BlendFactor(strength), computed once per strength.
inline double BlendFactor(float strength) { return 2.0 / double(strength) - 1.0; }

inline uint8_t BlendWeight(uint32_t difference, float scale, float strength, double factor) {
    if (difference == 0) return 0;
    if (strength == 0.0f) return 255;
    const double v = double(difference) * double(scale) * factor;
    return v > 255.0 ? 255 : v >= 0.0 ? uint8_t(std::floor(v + 0.5)) : 0;
}

inline float BlendScale(float threshold) { return static_cast<float>(128.0 / double(threshold)); }
