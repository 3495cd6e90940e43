// The whole engine on one plane, as the filtering run calls it (default settings,
// levels 1 to 5, working images obtained and released by each call).

#include <vector>

#include "bench/bench_planes.h"
#include "engine/noise_reducer.h"

namespace {

void ProcessPlane(benchmark::State& state, uint32_t width, uint32_t height) {
    const BenchPlanes& planes = PlanesOfSize(width, height);
    std::vector<uint8_t> out(planes.SampleCount());
    NoiseReducer reducer(&AllocateZeroed, &Release);
    for (auto _ : state) {
        if (reducer.ProcessPlane(planes.noisy.data(), out.data(), width, height, kDefaultStrength,
                                 kDefaultStrength, kDefaultClarity, 1, 5)) {
            state.SkipWithError("ProcessPlane failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

}  // namespace

BENCHMARK_CAPTURE(ProcessPlane, 6000x4000, 6000, 4000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ProcessPlane, 3000x2000, 3000, 2000)->Unit(benchmark::kMillisecond);
