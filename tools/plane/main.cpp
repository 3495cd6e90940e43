// lumistra-plane: runs the noise-reduction engine on one raw 8-bit plane, so that its
// bytes can be compared with another implementation's and its stages inspected.

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "app/cli/atomic_output.h"
#include "engine/noise_reducer.h"
#include "tools/plane/image_dump.h"
#include "tools/plane/plane_arguments.h"
#include "tools/plane/raw_plane_file.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kRunError = 1;

int Fail(const std::string& problem, int exitCode) {
    std::fprintf(stderr, "lumistra-plane: %s\n", problem.c_str());
    return exitCode;
}

void* AllocateZeroed(uint32_t byteCount) { return std::calloc(byteCount, 1); }
void Release(void* block) { std::free(block); }

int Run(const lumistra::PlaneArguments& arguments) {
    const size_t sampleCount = size_t(arguments.width) * arguments.height;
    std::vector<uint8_t> input;
    std::string problem = lumistra::ReadExactly(arguments.inputPath, sampleCount, input);
    if (!problem.empty()) return Fail(problem, kRunError);

    NoiseReducer reducer(&AllocateZeroed, &Release);
    lumistra::ImageDump dump(arguments.dumpDirectory);
    if (!arguments.dumpDirectory.empty()) {
        problem = dump.Prepare();
        if (!problem.empty()) return Fail(problem, kRunError);
        dump.Install(reducer.kernels);
    }

    std::vector<uint8_t> output(sampleCount);
    bool failed = reducer.ProcessPlane(input.data(), output.data(), arguments.width,
                                       arguments.height, arguments.hiStrength, arguments.loStrength,
                                       arguments.clarity, arguments.startLevel, arguments.maxLevel);
    // A failed call may leave working images held.
    reducer.ReleaseWorkImages();
    if (failed)
        return Fail("ProcessPlane failed (working memory not obtained, or a level below 0)",
                    kRunError);
    if (!dump.Problem().empty()) return Fail(dump.Problem(), kRunError);

    const WriteResult written = WriteFileAtomically(arguments.outputPath, output);
    if (written.outcome != WriteOutcome::kWritten)
        return Fail("cannot write " + arguments.outputPath + ": " + written.problem, kRunError);
    return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    lumistra::PlaneArguments arguments;
    std::string problem = lumistra::ParsePlaneArguments(argc - 1, argv + 1, arguments);
    if (!problem.empty()) return Fail(problem, kUsageError);
    if (arguments.helpRequested) {
        std::printf("usage: %s\n", lumistra::kPlaneUsage);
        return EXIT_SUCCESS;
    }
    try {
        return Run(arguments);
    } catch (const std::bad_alloc&) {
        return Fail("not enough memory for a " + std::to_string(arguments.width) + "x" +
                        std::to_string(arguments.height) + " plane",
                    kRunError);
    }
}
