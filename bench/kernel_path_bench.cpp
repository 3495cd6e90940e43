// The stages as the pipeline runs them: through the kernel table of every instruction set
// this processor supports, so that each wide path can be set against the scalar one.
// Named "<stage>/<path>/<plane size>".

#include <algorithm>
#include <string>
#include <vector>

#include "bench/bench_planes.h"
#include "engine/kernel_paths.h"
#include "engine/noise_reducer.h"

namespace {

struct PlaneSize {
    uint32_t width;
    uint32_t height;
};
constexpr PlaneSize kPlane{6000, 4000};
// The scalar median selects per sample and is far slower: a smaller plane keeps the run short.
constexpr PlaneSize kSmallPlane{1500, 1000};

// Two planes of the benchmark's size for a stage to write.
struct Outputs {
    std::vector<uint8_t> first;
    std::vector<uint8_t> second;
};

// One timed call of a stage; stages that work in place restore their inputs untimed.
using PathBody = void (*)(benchmark::State& state, const KernelTable& table,
                          const BenchPlanes& planes, Outputs& out);

void RunPathBenchmark(benchmark::State& state, KernelPath path, PathBody body, PlaneSize size) {
    const KernelTable& table = *KernelTableFor(path);
    const BenchPlanes& planes = PlanesOfSize(size.width, size.height);
    Outputs out{std::vector<uint8_t>(planes.SampleCount()),
                std::vector<uint8_t>(planes.SampleCount())};
    for (auto _ : state) {
        body(state, table, planes, out);
        benchmark::DoNotOptimize(out.first.data());
        benchmark::DoNotOptimize(out.second.data());
    }
    ReportPerSample(state, planes.SampleCount());
}

// The weight of every (brightness, difference) pair at the default strengths and the top
// level's threshold, one row per brightness, made with the engine's own weight map; the
// kernels may read three bytes past the table.
const std::vector<uint8_t>& DefaultWeightTable() {
    static const std::vector<uint8_t> table = [] {
        std::vector<uint8_t> difference(256), brightness(256), weights(256 * 256 + 3);
        for (uint32_t d = 0; d < 256; ++d) difference[d] = uint8_t(d);
        NoiseReducer reducer(&AllocateZeroed, &Release);
        for (uint32_t b = 0; b < 256; ++b) {
            brightness.assign(256, uint8_t(b));
            reducer.ComputeBlendWeights(difference.data(), brightness.data(), kDefaultStrength,
                                        kDefaultStrength, 8.0f, weights.data() + b * 256, 256, 1);
        }
        return weights;
    }();
    return table;
}

void Median(benchmark::State&, const KernelTable& table, const BenchPlanes& planes, Outputs& out) {
    table.median(planes.noisy.data(), planes.width, planes.height, out.first.data());
}

void RunningMax(benchmark::State&, const KernelTable& table, const BenchPlanes& planes,
                Outputs& out) {
    table.runningMax(planes.difference.data(), planes.width, planes.height, out.first.data());
}

void RunningMin(benchmark::State&, const KernelTable& table, const BenchPlanes& planes,
                Outputs& out) {
    table.runningMin(planes.maximum.data(), planes.width, planes.height, out.first.data());
}

// The top level's first sweep: median, difference (gain 1) and running maximum.
void MedianDifferenceMax(benchmark::State&, const KernelTable& table, const BenchPlanes& planes,
                         Outputs& out) {
    table.medianDifferenceMax(planes.noisy.data(), planes.width, planes.height, out.first.data(),
                              out.second.data(), nullptr);
}

// The top level's second sweep: running minimum, weights and blend, all in place.
void MinimumBlend(benchmark::State& state, const KernelTable& table, const BenchPlanes& planes,
                  Outputs& out) {
    state.PauseTiming();
    std::copy(planes.maximum.begin(), planes.maximum.end(), out.first.begin());
    std::copy(planes.median.begin(), planes.median.end(), out.second.begin());
    state.ResumeTiming();
    table.minimumBlend(out.first.data(), planes.width, planes.height, planes.noisy.data(),
                       out.second.data(), DefaultWeightTable().data());
}

// The plane named is the one halved; the output has room for the intermediate.
void Downsample(benchmark::State&, const KernelTable& table, const BenchPlanes& planes,
                Outputs& out) {
    table.downsample(planes.noisy.data(), planes.width, planes.height, out.first.data(),
                     (planes.width + 1) / 2, (planes.height + 1) / 2);
}

// The plane named is the one restored, at gain 1 (the default clarity). The source is
// the start of the noisy plane read as a half-size plane: the up-sampler's cost does not
// depend on what the samples show.
void Upsample(benchmark::State&, const KernelTable& table, const BenchPlanes& planes,
              Outputs& out) {
    table.upsample(planes.noisy.data(), (planes.width + 1) / 2, (planes.height + 1) / 2,
                   out.first.data(), planes.width, planes.height, 1.0f);
}

void AbsDifference(benchmark::State&, const KernelTable& table, const BenchPlanes& planes,
                   Outputs& out) {
    table.absDifference(planes.noisy.data(), planes.median.data(), out.first.data(),
                        out.first.size());
}

void BlendByWeight(benchmark::State&, const KernelTable& table, const BenchPlanes& planes,
                   Outputs& out) {
    table.blendByWeight(planes.noisy.data(), planes.median.data(), planes.weights.data(),
                        out.first.data(), out.first.size());
}

void CombineDetailWithCoarse(benchmark::State&, const KernelTable& table, const BenchPlanes& planes,
                             Outputs& out) {
    table.combineDetailWithCoarse(planes.noisy.data(), 1.25f, planes.difference.data(), 0.8f,
                                  planes.median.data(), 1.25f, out.first.data(), out.first.size());
}

struct Stage {
    const char* name;
    PathBody body;
    bool slowWhenScalar;
};

const Stage kStages[] = {
    {"MedianFilter", &Median, true},
    {"MaxFilter", &RunningMax, false},
    {"MinFilter", &RunningMin, false},
    {"MedianDifferenceMax", &MedianDifferenceMax, true},
    {"MinimumBlend", &MinimumBlend, false},
    {"Downsample", &Downsample, false},
    {"Upsample", &Upsample, false},
    {"AbsDifference", &AbsDifference, false},
    {"BlendByWeight", &BlendByWeight, false},
    {"CombineDetailWithCoarse", &CombineDetailWithCoarse, false},
};

const bool kRegistered = [] {
    for (KernelPath path : {KernelPath::kScalar, KernelPath::kSse2, KernelPath::kAvx2}) {
        if (!KernelPathSupported(path) || KernelTableFor(path) == nullptr) continue;
        for (const Stage& stage : kStages) {
            const PlaneSize size =
                path == KernelPath::kScalar && stage.slowWhenScalar ? kSmallPlane : kPlane;
            const std::string name = std::string(stage.name) + "/" + KernelPathName(path) + "/" +
                                     std::to_string(size.width) + "x" + std::to_string(size.height);
            const PathBody body = stage.body;
            benchmark::RegisterBenchmark(name.c_str(), [path, body, size](benchmark::State& s) {
                RunPathBenchmark(s, path, body, size);
            })->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
