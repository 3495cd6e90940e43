#include "tools/sample_image/sample_image.h"

#include <algorithm>
#include <cmath>

namespace lumistra {
namespace {

struct Rgb {
    float r, g, b;
};

Rgb Mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, float k) { return {c.r * k, c.g * k, c.b * k}; }

float Channel(Rgb c, SampleChannel channel) {
    switch (channel) {
        case SampleChannel::Red:
            return c.r;
        case SampleChannel::Green:
            return c.g;
        case SampleChannel::Blue:
            return c.b;
    }
    return c.g;
}

float Smoothstep(float edge0, float edge1, float x) {
    float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Counter-based hashing keeps every sample independent of the order of generation.
uint32_t Hash(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    uint64_t h = 0x9E3779B97F4A7C15ull ^ (uint64_t(a) << 32 | b);
    h ^= uint64_t(c) * 0xBF58476D1CE4E5B9ull + uint64_t(d) * 0x94D049BB133111EBull;
    h ^= h >> 30;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 27;
    h *= 0x94D049BB133111EBull;
    h ^= h >> 31;
    return uint32_t(h >> 16);
}

float Uniform(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    return float(Hash(a, b, c, d) >> 8) * (1.0f / 16777216.0f);
}

// Unit-variance, bell-shaped noise: a sum of four uniforms, which needs no transcendental
// functions and so gives the same value wherever it runs.
float Gaussianish(uint32_t seed, uint32_t stream, uint32_t x, uint32_t y) {
    float sum = 0.0f;
    for (uint32_t k = 0; k < 4; ++k) sum += Uniform(seed, stream * 4 + k, x, y);
    return (sum - 2.0f) * 1.7320508f;
}

// Smoothly interpolated lattice noise in 0..1 with cells of cellWidth by cellHeight samples.
float ValueNoise(uint32_t seed, float x, float y, float cellWidth, float cellHeight) {
    float fx = x / cellWidth, fy = y / cellHeight;
    float ix = std::floor(fx), iy = std::floor(fy);
    float tx = Smoothstep(0.0f, 1.0f, fx - ix), ty = Smoothstep(0.0f, 1.0f, fy - iy);
    uint32_t x0 = uint32_t(ix), y0 = uint32_t(iy);
    float v00 = Uniform(seed, 99, x0, y0), v10 = Uniform(seed, 99, x0 + 1, y0);
    float v01 = Uniform(seed, 99, x0, y0 + 1), v11 = Uniform(seed, 99, x0 + 1, y0 + 1);
    float top = v00 + (v10 - v00) * tx, bottom = v01 + (v11 - v01) * tx;
    return top + (bottom - top) * ty;
}

// The noise-free scene. u runs 0..aspect across, v 0..1 down, so shapes keep their
// proportions at any plane size; x and y are sample positions for pixel-scale texture.
class Scene {
public:
    Scene(uint32_t width, uint32_t height, uint32_t seed)
        : seed_(seed), aspect_(float(width) / float(height)), unit_(float(height)) {}

    float Horizon(float u) const {
        float across = u / aspect_;
        return 0.60f + 0.05f * std::sin(across * 5.0f + 0.7f) + 0.025f * std::sin(across * 13.0f);
    }

    Rgb At(float u, float v, float horizon, float x, float y) const {
        Rgb colour = v < horizon ? Sky(u, v, horizon) : Ground(u, v, horizon, x, y);
        colour = Building(u, v, horizon, x, y, colour);
        colour = Ball(u, v, colour);
        // Darker corners, as through a real lens.
        float du = u / aspect_ - 0.5f, dv = v - 0.5f;
        return Scale(colour, 1.0f - 0.35f * (du * du + dv * dv) * 2.0f);
    }

private:
    Rgb Sky(float u, float v, float horizon) const {
        float t = std::pow(v / horizon, 0.8f);
        Rgb sky = Mix({38, 86, 168}, {206, 218, 232}, t);
        float cloud = std::sin(u * 7.0f + v * 3.0f) * std::sin(u * 3.1f - v * 12.0f) - 0.35f;
        if (cloud > 0.0f) sky = Mix(sky, {236, 238, 242}, std::min(1.0f, cloud * 1.6f));
        float sunU = 0.80f * aspect_, sunV = 0.17f;
        float d = std::sqrt((u - sunU) * (u - sunU) + (v - sunV) * (v - sunV));
        float glow = std::exp(-d * d / 0.012f);
        sky = Mix(sky, {255, 236, 196}, glow * 0.8f);
        return Mix(sky, {255, 253, 246}, 1.0f - Smoothstep(0.040f, 0.046f, d));
    }

    Rgb Ground(float u, float v, float horizon, float x, float y) const {
        float depth = (v - horizon) / (1.0f - horizon);
        Rgb field = Mix({120, 140, 96}, {52, 92, 36}, std::sqrt(depth));
        // Furrows whose spacing grows towards the viewer, then grass at pixel scale.
        float furrow = 0.5f + 0.5f * std::sin((u * 40.0f + 6.0f) / (0.15f + depth));
        field = Scale(field, 0.82f + 0.18f * furrow);
        float grass = ValueNoise(seed_, x, y, 2.5f, 1.5f) - 0.5f;
        float patches = ValueNoise(seed_ + 7, x, y, unit_ * 0.05f, unit_ * 0.03f) - 0.5f;
        return Scale(field, 1.0f + 0.30f * grass + 0.25f * patches);
    }

    Rgb Building(float u, float v, float horizon, float x, float y, Rgb behind) const {
        float left = 0.10f * aspect_, right = 0.30f * aspect_, side = 0.36f * aspect_;
        float roof = 0.30f;
        float base = horizon + 0.08f;
        if (v < roof || v > base || u < left || u > side) return behind;
        if (u > right) {
            // The side wall in shadow, narrowing with perspective.
            float k = (u - right) / (side - right);
            if (v < roof + 0.05f * k || v > base - 0.02f * k) return behind;
            return Rgb{44, 42, 48};
        }
        Rgb wall{128, 120, 112};
        float brick = ValueNoise(seed_ + 3, x, y, 6.0f, 3.0f);
        wall = Scale(wall, 0.9f + 0.2f * brick);
        float cellU = (u - left) / (right - left) * 6.0f, cellV = (v - roof) / (base - roof) * 8.0f;
        float fu = cellU - std::floor(cellU), fv = cellV - std::floor(cellV);
        bool window = fu > 0.25f && fu < 0.75f && fv > 0.2f && fv < 0.7f && cellV < 7.0f;
        if (!window) return wall;
        bool lit = Hash(seed_, 5, uint32_t(cellU), uint32_t(cellV)) % 3 != 0;
        return lit ? Rgb{240, 206, 128} : Rgb{26, 30, 40};
    }

    Rgb Ball(float u, float v, Rgb behind) const {
        float cu = 0.62f * aspect_, cv = 0.74f, radius = 0.13f;
        // Its shadow: a soft ellipse on the ground, below and left of the ball.
        float su = (u - (cu - 0.10f)) / (radius * 1.4f), sv = (v - (cv + 0.11f)) / (radius * 0.35f);
        float shadow = 1.0f - Smoothstep(0.6f, 1.0f, std::sqrt(su * su + sv * sv));
        behind = Scale(behind, 1.0f - 0.55f * shadow);
        float nx = (u - cu) / radius, ny = (v - cv) / radius;
        float r2 = nx * nx + ny * ny;
        if (r2 >= 1.0f) return behind;
        float nz = std::sqrt(1.0f - r2);
        // Light from the upper right, towards the viewer.
        float lambert = std::max(0.0f, nx * 0.5f - ny * 0.6f + nz * 0.62f);
        float specular = std::pow(std::max(0.0f, nx * 0.33f - ny * 0.42f + nz * 0.85f), 40.0f);
        Rgb ball = Scale({196, 44, 30}, 0.12f + 0.88f * lambert);
        return Mix(ball, {255, 255, 255}, specular);
    }

    uint32_t seed_;
    float aspect_;
    float unit_;
};

}  // namespace

std::vector<uint8_t> MakeSamplePlane(uint32_t width, uint32_t height, SampleChannel channel,
                                     uint32_t seed) {
    std::vector<uint8_t> plane(size_t(width) * height);
    if (plane.empty()) return plane;
    Scene scene(width, height, seed);
    std::vector<float> horizon(width);
    for (uint32_t x = 0; x < width; ++x) horizon[x] = scene.Horizon(float(x) / float(height));

    const uint32_t channelStream = uint32_t(channel) + 1;
    for (uint32_t y = 0; y < height; ++y) {
        float v = float(y) / float(height);
        uint8_t* row = plane.data() + size_t(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            float u = float(x) / float(height);
            float clean = Channel(scene.At(u, v, horizon[x], float(x), float(y)), channel);
            clean = std::clamp(clean, 0.0f, 255.0f);
            // Shot noise grows with the signal over a floor of read noise; most of it is
            // shared by the channels, as in a demosaiced photograph.
            float sigma = std::sqrt(16.0f + 0.20f * clean);
            float noise =
                0.6f * Gaussianish(seed, 0, x, y) + 0.8f * Gaussianish(seed, channelStream, x, y);
            float value = std::clamp(clean + sigma * noise, 0.0f, 255.0f);
            row[x] = uint8_t(value + 0.5f);
        }
    }
    return plane;
}

}  // namespace lumistra
