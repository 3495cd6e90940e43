// The engine side by side with the median of a well-known image library: cv::medianBlur
// with a 5x5 window on one thread, on the same noisy plane. Each iteration runs both and
// times them on the thread's own clock, so that other load on the machine affects both
// alike; the benchmark's time is that of ProcessPlane, and "ratio" is the ProcessPlane
// time over the medianBlur time (the smallest of each over the iterations).
//
// "held": the working images are obtained once before the loop, as a caller that keeps
// them between planes does; "fresh": each call obtains and releases them, so the cost of
// first touching new memory is included. The default settings unless the name says
// otherwise: "highlight70-shadow25" gives the two strengths different values (weights
// from a table per level), "clarity80" a clarity other than 1 (gains other than 1 on
// every level below the plane's own).

#include <algorithm>
#include <ctime>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "bench/bench_planes.h"
#include "engine/noise_reducer.h"

namespace {

double ThreadMilliseconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

struct Settings {
    float hiStrength = kDefaultStrength;
    float loStrength = kDefaultStrength;
    float clarity = kDefaultClarity;
};

void ProcessPlaneOverMedianBlur(benchmark::State& state, uint32_t width, uint32_t height, bool held,
                                Settings settings = {}) {
    cv::setNumThreads(1);
    const BenchPlanes& planes = PlanesOfSize(width, height);
    cv::Mat source(int(height), int(width), CV_8UC1, const_cast<uint8_t*>(planes.noisy.data()));
    cv::Mat blurred;
    cv::medianBlur(source, blurred, 5);
    std::vector<uint8_t> out(planes.SampleCount());
    NoiseReducer reducer(&AllocateZeroed, &Release);
    if (held) reducer.AcquireWorkImages(width, height);
    double bestMedianBlur = 1e30, bestProcessPlane = 1e30;
    for (auto _ : state) {
        const double start = ThreadMilliseconds();
        cv::medianBlur(source, blurred, 5);
        const double between = ThreadMilliseconds();
        if (reducer.ProcessPlane(planes.noisy.data(), out.data(), width, height,
                                 settings.hiStrength, settings.loStrength, settings.clarity, 1,
                                 5)) {
            state.SkipWithError("ProcessPlane failed");
            break;
        }
        const double end = ThreadMilliseconds();
        benchmark::DoNotOptimize(out.data());
        benchmark::DoNotOptimize(blurred.data);
        state.SetIterationTime((end - between) * 1e-3);
        bestMedianBlur = std::min(bestMedianBlur, between - start);
        bestProcessPlane = std::min(bestProcessPlane, end - between);
    }
    reducer.ReleaseWorkImages();
    state.counters["medianBlur_ms"] = bestMedianBlur;
    state.counters["ProcessPlane_ms"] = bestProcessPlane;
    state.counters["ratio"] = bestProcessPlane / bestMedianBlur;
}

}  // namespace

BENCHMARK_CAPTURE(ProcessPlaneOverMedianBlur, held / 6000x4000, 6000, 4000, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(ProcessPlaneOverMedianBlur, fresh / 6000x4000, 6000, 4000, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(ProcessPlaneOverMedianBlur, held / 3000x2000, 3000, 2000, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);
// Highlight 70 and Shadow 25: 2 * sqrt(0.70) and 2 * sqrt(0.25).
BENCHMARK_CAPTURE(ProcessPlaneOverMedianBlur, held / highlight70 - shadow25 / 6000x4000, 6000, 4000,
                  true, Settings{1.67332006f, 1.0f, kDefaultClarity})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
// Clarity 80: 1.2 - 0.004 * 80.
BENCHMARK_CAPTURE(ProcessPlaneOverMedianBlur, held / clarity80 / 6000x4000, 6000, 4000, true,
                  Settings{kDefaultStrength, kDefaultStrength, 0.88f})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
