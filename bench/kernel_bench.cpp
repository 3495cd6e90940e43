// The neighbourhood filters and resamplers alone, on the top level's own inputs.

#include <vector>

#include "bench/bench_planes.h"
#include "engine/noise_reducer.h"

namespace {

void MedianFilter(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    tImgClass kernels;
    for (auto _ : state) {
        kernels.MedianFilter(planes.noisy.data(), width, height, out.data(), 1);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

void MedianFilterPacked(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    tImgClass kernels;
    for (auto _ : state) {
        kernels.MedianFilterPacked(planes.noisy.data(), width, height, out.data(), 1);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

void MaxFilter(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    tImgClass kernels;
    for (auto _ : state) {
        kernels.MaxFilter(planes.difference.data(), width, height, out.data(), nullptr, 0, 1);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

void MinFilter(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    tImgClass kernels;
    for (auto _ : state) {
        kernels.MinFilter(planes.maximum.data(), width, height, out.data(), nullptr, 0, 1);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

// Timed per source sample: the plane named is the one halved.
void Downsample(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    const uint32_t halfWidth = (width + 1) / 2, halfHeight = (height + 1) / 2;
    std::vector<uint8_t> out(size_t(halfWidth) * height);  // room for the intermediate
    tImgClass kernels;
    for (auto _ : state) {
        kernels.Downsample(planes.noisy.data(), width, height, out.data(), halfWidth, halfHeight, 0,
                           1.0f);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

// Timed per output sample: the plane named is the one restored. Gain 1, as everywhere at
// the default clarity.
void Upsample(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    const uint32_t halfWidth = (width + 1) / 2, halfHeight = (height + 1) / 2;
    std::vector<uint8_t> half(size_t(halfWidth) * height);
    tImgClass kernels;
    kernels.Downsample(planes.noisy.data(), width, height, half.data(), halfWidth, halfHeight, 0,
                       1.0f);
    std::vector<uint8_t> out(planes.SampleCount());
    for (auto _ : state) {
        kernels.Upsample(half.data(), halfWidth, halfHeight, out.data(), width, height, 1, 1.0f);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

}  // namespace

// The scalar median selects per sample and is far slower: a smaller plane keeps the run short.
BENCHMARK_CAPTURE(MedianFilter, 1500x1000, 1500, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MedianFilterPacked, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MaxFilter, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MinFilter, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Downsample, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Upsample, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
