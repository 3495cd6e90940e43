#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Realistic inputs for every stage at one plane size: the noisy sample scene and the
// images the pipeline derives from it at its top level. Made on first use and kept for
// the whole run, so no benchmark times the preparation.
struct BenchPlanes {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> noisy;
    std::vector<uint8_t> median;
    std::vector<uint8_t> difference;          // |noisy - median|
    std::vector<uint8_t> maximum;             // running maximum of difference
    std::vector<uint8_t> filteredDifference;  // running minimum of maximum
    std::vector<uint8_t> weights;             // blend weights at the default strengths
    size_t SampleCount() const { return size_t(width) * height; }
};

const BenchPlanes& PlanesOfSize(uint32_t width, uint32_t height);

// Default settings of the filter, as the engine takes them.
constexpr float kDefaultStrength = 1.41421354f;
constexpr float kDefaultClarity = 1.0f;

void* AllocateZeroed(uint32_t byteCount);
void Release(void* block);

// Adds "per_sample", the time per sample, and the sample rate.
void ReportPerSample(benchmark::State& state, size_t samplesPerIteration);
