#include <gtest/gtest.h>

#include <vector>

#include "engine/noise_reducer.h"
#include "tests/engine/pipeline_support.h"
#include "tests/engine/reference_pipeline.h"
#include "tests/engine/test_support.h"

using lumistra_test::ImageRecorder;
using lumistra_test::PhotoLikePlane;
using lumistra_test::RunEngine;
using lumistra_test::SseFlag;
using lumistra_test::TestAllocator;
using reference::PipelineParams;

namespace {

bool Process(NoiseReducer& reducer, const std::vector<uint8_t>& in, std::vector<uint8_t>& out,
             uint32_t width, uint32_t height, int32_t startLevel = 1, int32_t maxLevel = 5) {
    return reducer.ProcessPlane(in.data(), out.data(), width, height, 1.6733f, 1.4142f, 1.0f,
                                startLevel, maxLevel);
}

}  // namespace

TEST(ProcessPlaneMemory, TwoPlaneSizedImagesAllReturnedAfterSuccess) {
    TestAllocator::Reset();
    NoiseReducer reducer(TestAllocator::Allocate, TestAllocator::Release);
    const std::vector<uint8_t> in = PhotoLikePlane(256, 256, 71);
    std::vector<uint8_t> out(in.size());
    ASSERT_FALSE(Process(reducer, in, out, 256, 256));
    EXPECT_EQ(TestAllocator::Requests(), (std::vector<uint32_t>{65536, 65536}));
    EXPECT_EQ(TestAllocator::Releases(), 2);
    EXPECT_EQ(reducer.workA, nullptr);
    EXPECT_EQ(reducer.workB, nullptr);
    EXPECT_EQ(reducer.workACapacity, 0u);
    EXPECT_EQ(reducer.workBCapacity, 0u);
    reducer.ReleaseWorkImages();
    EXPECT_EQ(TestAllocator::Releases(), 2);

    // The same object serves the next plane.
    ASSERT_FALSE(Process(reducer, in, out, 256, 256));
    EXPECT_EQ(TestAllocator::Requests().size(), 4u);
    EXPECT_EQ(TestAllocator::Outstanding(), 0u);
}

TEST(ProcessPlaneMemory, MissingWorkImageFailsWithoutTouchingTheOutput) {
    for (int failingCall : {1, 2}) {
        TestAllocator::Reset(failingCall);
        NoiseReducer reducer(TestAllocator::Allocate, TestAllocator::Release);
        ImageRecorder recorder(reducer);
        const std::vector<uint8_t> in = PhotoLikePlane(64, 48, 72);
        std::vector<uint8_t> out(in.size(), 0x77);
        EXPECT_TRUE(Process(reducer, in, out, 64, 48)) << "failing call " << failingCall;
        EXPECT_EQ(out, std::vector<uint8_t>(in.size(), 0x77));
        EXPECT_TRUE(recorder.Images().empty()) << "an image was announced before the failure";

        // The image that was obtained stays held until the caller releases it.
        uint8_t* held = failingCall == 1 ? reducer.workB : reducer.workA;
        EXPECT_NE(held, nullptr);
        EXPECT_EQ(failingCall == 1 ? reducer.workBCapacity : reducer.workACapacity, 64u * 48u);
        EXPECT_EQ(failingCall == 1 ? reducer.workA : reducer.workB, nullptr);
        EXPECT_EQ(failingCall == 1 ? reducer.workACapacity : reducer.workBCapacity, 0u);
        EXPECT_EQ(TestAllocator::Outstanding(), 1u);
        reducer.ReleaseWorkImages();
        EXPECT_EQ(TestAllocator::Outstanding(), 0u);
        EXPECT_EQ(TestAllocator::Releases(), 1);
        reducer.ReleaseWorkImages();
        EXPECT_EQ(TestAllocator::Releases(), 1);
    }
}

TEST(ProcessPlaneMemory, CallerHeldWorkImagesAreUsedAndKept) {
    TestAllocator::Reset();
    NoiseReducer reducer(TestAllocator::Allocate, TestAllocator::Release);
    const std::vector<uint8_t> in = PhotoLikePlane(40, 30, 73);
    std::vector<uint8_t> out(in.size());
    reducer.AcquireWorkImages(40, 30);
    uint8_t* const heldA = reducer.workA;
    ASSERT_FALSE(Process(reducer, in, out, 40, 30));
    EXPECT_EQ(reducer.workA, heldA);
    EXPECT_EQ(TestAllocator::Requests().size(), 2u);
    EXPECT_EQ(TestAllocator::Outstanding(), 2u);

    // Images held from a smaller plane are not enough for this one.
    std::vector<uint8_t> bigger(41 * 30, 0x11), biggerOut(41 * 30, 0x22);
    EXPECT_TRUE(Process(reducer, bigger, biggerOut, 41, 30));
    EXPECT_EQ(biggerOut, std::vector<uint8_t>(41 * 30, 0x22));
    reducer.ReleaseWorkImages();
    EXPECT_EQ(TestAllocator::Outstanding(), 0u);
}

TEST(ProcessPlaneMemory, NegativeLevelsAreRefused) {
    for (const auto& [startLevel, maxLevel] :
         std::vector<std::pair<int32_t, int32_t>>{{-1, 5}, {1, -1}, {-3, -2}}) {
        TestAllocator::Reset();
        NoiseReducer reducer(TestAllocator::Allocate, TestAllocator::Release);
        const std::vector<uint8_t> in = PhotoLikePlane(32, 32, 74);
        std::vector<uint8_t> out(in.size(), 0x77);
        EXPECT_TRUE(Process(reducer, in, out, 32, 32, startLevel, maxLevel))
            << "levels " << startLevel << ".." << maxLevel;
        EXPECT_EQ(out, std::vector<uint8_t>(in.size(), 0x77));
        reducer.ReleaseWorkImages();
        EXPECT_EQ(TestAllocator::Outstanding(), 0u);
    }
}

// Small planes are where the pyramid's placement inside the output plane runs short; every
// size must stay inside its planes and still give the full result.
TEST(ProcessPlaneMemory, EverySmallSizeStaysInBoundsAndMatchesReference) {
    std::vector<uint32_t> sides;
    for (uint32_t side = 1; side <= 12; ++side) sides.push_back(side);
    for (uint32_t side : {15u, 16u, 17u, 23u, 31u, 32u, 33u, 40u}) sides.push_back(side);
    const PipelineParams paramSets[] = {
        {1.6733f, 1.4142f, 1.0f, 1, 5}, {2.0f, 0.7f, 0.8f, 1, 5}, {1.0f, 1.0f, 1.2f, 2, 9}};
    int run = 0;
    for (uint32_t height : sides) {
        for (uint32_t width : sides) {
            const PipelineParams& params = paramSets[run++ % 3];
            const std::vector<uint8_t> plane = PhotoLikePlane(width, height, width * 97 + height);
            const std::vector<uint8_t> expected =
                reference::ProcessPlane({width, height, plane}, params).output.pixels;
            const SseFlag sse = run % 2 ? SseFlag::kSet : SseFlag::kClear;
            EXPECT_EQ(RunEngine(plane, width, height, params, sse), expected)
                << lumistra_test::Describe(width, height, params);
            EXPECT_EQ(RunEngine(plane, width, height, params, sse, true), expected)
                << lumistra_test::Describe(width, height, params) << " in place";
        }
    }
}
