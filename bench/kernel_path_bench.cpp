// The stages as the pipeline runs them: through the kernel table of every instruction set
// this processor supports, so that each wide path can be set against the scalar one.
// Named "<stage>/<path>/<plane size>".

#include <string>
#include <vector>

#include "bench_planes.h"
#include "kernel_paths.h"
#include "noise_reducer.h"

namespace {

struct PlaneSize {
    uint32_t width;
    uint32_t height;
};
constexpr PlaneSize kPlane{6000, 4000};
// The scalar median selects per sample and is far slower: a smaller plane keeps the run short.
constexpr PlaneSize kSmallPlane{1500, 1000};

const char* PathName(KernelPath path) {
    switch (path) {
        case KernelPath::kScalar: return "scalar";
        case KernelPath::kSse2: return "sse2";
        case KernelPath::kAvx2: return "avx2";
    }
    return "unknown";
}

// A benchmark body: the table, the shared inputs and an output plane of the plane's size.
using PathBody = void (*)(const KernelTable& table, const BenchPlanes& planes,
                          std::vector<uint8_t>& out);

void RunPathBenchmark(benchmark::State& state, KernelPath path, PathBody body, PlaneSize size) {
    const KernelTable& table = *KernelTableFor(path);
    const BenchPlanes& planes = PlanesOfSize(size.width, size.height);
    std::vector<uint8_t> out(planes.SampleCount());
    for (auto _ : state) {
        body(table, planes, out);
        benchmark::DoNotOptimize(out.data());
    }
    ReportPerSample(state, planes.SampleCount());
}


void Median(const KernelTable& table, const BenchPlanes& planes, std::vector<uint8_t>& out) {
    table.median(planes.noisy.data(), planes.width, planes.height, out.data());
}

void RunningMax(const KernelTable& table, const BenchPlanes& planes, std::vector<uint8_t>& out) {
    table.runningMax(planes.difference.data(), planes.width, planes.height, out.data());
}

void RunningMin(const KernelTable& table, const BenchPlanes& planes, std::vector<uint8_t>& out) {
    table.runningMin(planes.difference.data(), planes.width, planes.height, out.data());
}



void AbsDifference(const KernelTable& table, const BenchPlanes& planes,
                   std::vector<uint8_t>& out) {
    table.absDifference(planes.noisy.data(), planes.median.data(), out.data(), out.size());
}

void BlendByWeight(const KernelTable& table, const BenchPlanes& planes,
                   std::vector<uint8_t>& out) {
    table.blendByWeight(planes.noisy.data(), planes.median.data(), planes.weights.data(),
                        out.data(), out.size());
}


void CombineDetailWithCoarse(const KernelTable& table, const BenchPlanes& planes,
                             std::vector<uint8_t>& out) {
    table.combineDetailWithCoarse(planes.noisy.data(), 1.25f, planes.difference.data(), 0.8f,
                                  planes.median.data(), 1.25f, out.data(), out.size());
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
            const std::string name = std::string(stage.name) + "/" + PathName(path) + "/" +
                                     std::to_string(size.width) + "x" +
                                     std::to_string(size.height);
            const PathBody body = stage.body;
            benchmark::RegisterBenchmark(name.c_str(), [path, body, size](benchmark::State& s) {
                RunPathBenchmark(s, path, body, size);
            })->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
