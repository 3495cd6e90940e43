// The kernels' preconditions stop a Debug build (engine/engine_assert.h); Release builds
// do not check them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/kernel_paths.h"
#include "tests/dispatch/dispatch_support.h"

namespace {

#ifdef LUMISTRA_DEBUG_ASSERTS
TEST(KernelPreconditionsDeathTest, OverlappingPlanesStopTheMedianOnEveryPath) {
    std::vector<KernelPath> paths = dispatch_test::WidePaths();
    paths.push_back(KernelPath::kScalar);
    std::vector<uint8_t> plane(64 * 16 + 8);
    for (KernelPath path : paths) {
        const KernelTable& table = *KernelTableFor(path);
        EXPECT_DEATH(table.median(plane.data(), 64, 16, plane.data() + 8), "")
            << dispatch_test::PathName(path);
    }
}

TEST(KernelPreconditionsDeathTest, RingsInsideTheOutputStopTheLevelSweep) {
    const std::vector<uint8_t> input(64 * 16, 100);
    std::vector<uint8_t> output(size_t(LevelSweepRingBytes(64)) + input.size());
    const WeightRamp ramp = {60, 35651584u, 4194304u};
    for (KernelPath path : dispatch_test::WidePaths()) {
        const KernelTable& table = *KernelTableFor(path);
        EXPECT_DEATH(table.levelSweep(input.data(), 64, 16, nullptr, nullptr, nullptr, &ramp,
                                      output.data(), output.data(), nullptr),
                     "")
            << dispatch_test::PathName(path);
    }
}
#endif

}  // namespace
