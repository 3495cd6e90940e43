// lumistra-demo: filters a generated noisy photograph through the engine with the
// filter's default settings and writes the noisy image, the filtered image and both side
// by side, so that a person can see what the engine does.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/engine_values.h"
#include "engine/filter_parameters.h"
#include "engine/noise_reducer.h"
#include "tools/sample_image/sample_image.h"
#include "tools/support/netpbm.h"

namespace {

constexpr uint32_t kWidth = 1200;
constexpr uint32_t kHeight = 800;
constexpr uint32_t kGap = 16;  // grey bar between the two halves of the comparison
constexpr uint8_t kGapGrey = 128;

void* AllocateZeroed(uint32_t byteCount) { return std::calloc(byteCount, 1); }
void Release(void* block) { std::free(block); }

using Planes = std::vector<std::vector<uint8_t>>;

Planes SideBySide(const Planes& left, const Planes& right) {
    const uint32_t width = 2 * kWidth + kGap;
    Planes combined(3, std::vector<uint8_t>(size_t(width) * kHeight, kGapGrey));
    for (size_t c = 0; c < 3; ++c) {
        for (uint32_t y = 0; y < kHeight; ++y) {
            const size_t from = size_t(y) * kWidth;
            uint8_t* row = combined[c].data() + size_t(y) * width;
            std::copy_n(left[c].data() + from, kWidth, row);
            std::copy_n(right[c].data() + from, kWidth, row + kWidth + kGap);
        }
    }
    return combined;
}

bool Write(const std::filesystem::path& path, const Planes& planes, uint32_t width) {
    std::string problem = lumistra::WritePpm(path.string(), planes[0].data(), planes[1].data(),
                                             planes[2].data(), width, kHeight);
    if (problem.empty()) {
        std::printf("%s\n", path.string().c_str());
        return true;
    }
    std::fprintf(stderr, "lumistra-demo: %s\n", problem.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumistra-demo OUTPUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "lumistra-demo: cannot create %s: %s\n", argv[1],
                     error.message().c_str());
        return 1;
    }

    const lumistra::SampleChannel channels[3] = {lumistra::SampleChannel::Red,
                                                 lumistra::SampleChannel::Green,
                                                 lumistra::SampleChannel::Blue};
    Planes noisy, denoised;
    for (lumistra::SampleChannel channel : channels)
        noisy.push_back(lumistra::MakeSamplePlane(kWidth, kHeight, channel));

    // Highlight, Shadow and Clarity at their defaults, converted as the filtering run does.
    const EngineValues values =
        ConvertEngineValues(FilterParameters{kDefaultAmount, kDefaultAmount, kDefaultAmount});
    NoiseReducer reducer(&AllocateZeroed, &Release);
    for (const std::vector<uint8_t>& plane : noisy) {
        std::vector<uint8_t> filtered(plane.size());
        bool failed = reducer.ProcessPlane(plane.data(), filtered.data(), kWidth, kHeight,
                                           values.hiStrength, values.loStrength, values.clarity,
                                           kEngineStartLevel, kEngineMaxLevel);
        if (failed) {
            reducer.ReleaseWorkImages();
            std::fprintf(stderr, "lumistra-demo: the engine could not obtain its memory\n");
            return 1;
        }
        denoised.push_back(std::move(filtered));
    }

    bool written = Write(folder / "noisy.ppm", noisy, kWidth) &&
                   Write(folder / "denoised.ppm", denoised, kWidth) &&
                   Write(folder / "comparison.ppm", SideBySide(noisy, denoised), 2 * kWidth + kGap);
    return written ? EXIT_SUCCESS : EXIT_FAILURE;
}
