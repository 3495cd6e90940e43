// The per-sample operations alone, over a whole plane.

#include <vector>

#include "bench/bench_planes.h"
#include "engine/noise_reducer.h"

namespace {

void AbsDifference(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    for (auto _ : state) {
        NoiseReducer::AbsDifference(planes.noisy.data(), planes.median.data(), out.data(),
                                    out.size(), 1);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

// A gain other than 1, as on the coarser levels when clarity is not neutral.
void ScaleClamp(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    for (auto _ : state) {
        NoiseReducer::ScaleClamp(planes.difference.data(), 1.2f, out.data(), out.size(), 1);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

void ComputeBlendWeights(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    NoiseReducer reducer(&AllocateZeroed, &Release);
    for (auto _ : state) {
        reducer.ComputeBlendWeights(planes.filteredDifference.data(), planes.median.data(),
                                    kDefaultStrength, kDefaultStrength, 8.0f, out.data(),
                                    out.size(), 1);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

void BlendByWeight(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    for (auto _ : state) {
        NoiseReducer::BlendByWeight(planes.noisy.data(), planes.median.data(),
                                    planes.weights.data(), out.data(), out.size(), 1);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

void CombineDetailWithCoarse(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    for (auto _ : state) {
        NoiseReducer::CombineDetailWithCoarse(planes.noisy.data(), 1.25f, planes.difference.data(),
                                              0.8f, planes.median.data(), 1.25f, out.data(),
                                              out.size(), 1);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

}  // namespace

BENCHMARK_CAPTURE(AbsDifference, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScaleClamp, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeBlendWeights, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BlendByWeight, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CombineDetailWithCoarse, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
