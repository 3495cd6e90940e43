#include "bench/bench_planes.h"

#include <cstdlib>
#include <map>
#include <utility>

#include "engine/noise_reducer.h"
#include "tools/sample_image/sample_image.h"

namespace {

BenchPlanes MakePlanes(uint32_t width, uint32_t height) {
    BenchPlanes planes;
    planes.width = width;
    planes.height = height;
    planes.noisy = lumistra::MakeSamplePlane(width, height, lumistra::SampleChannel::Green);
    const size_t count = planes.SampleCount();
    planes.median.resize(count);
    planes.difference.resize(count);
    planes.maximum.resize(count);
    planes.filteredDifference.resize(count);
    planes.weights.resize(count);

    NoiseReducer reducer(&AllocateZeroed, &Release);
    reducer.kernels.MedianFilterPacked(planes.noisy.data(), width, height, planes.median.data(), 1);
    NoiseReducer::AbsDifference(planes.noisy.data(), planes.median.data(), planes.difference.data(),
                                count, 1);
    reducer.kernels.MaxFilter(planes.difference.data(), width, height, planes.maximum.data(),
                              nullptr, 0, 1);
    reducer.kernels.MinFilter(planes.maximum.data(), width, height,
                              planes.filteredDifference.data(), nullptr, 0, 1);
    reducer.ComputeBlendWeights(planes.filteredDifference.data(), planes.median.data(),
                                kDefaultStrength, kDefaultStrength, 8.0f, planes.weights.data(),
                                count, 1);
    return planes;
}

}  // namespace

const BenchPlanes& PlanesOfSize(uint32_t width, uint32_t height) {
    static std::map<std::pair<uint32_t, uint32_t>, BenchPlanes> made;
    auto key = std::make_pair(width, height);
    auto found = made.find(key);
    if (found == made.end()) found = made.emplace(key, MakePlanes(width, height)).first;
    return found->second;
}

void* AllocateZeroed(uint32_t byteCount) { return std::calloc(byteCount, 1); }
void Release(void* block) { std::free(block); }

void ReportPerSample(benchmark::State& state, size_t samplesPerIteration) {
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(samplesPerIteration));
    // Inverting the sample rate gives seconds per sample, printed with its prefix ("2.5ns").
    state.counters["per_sample"] = benchmark::Counter(
        double(samplesPerIteration),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
