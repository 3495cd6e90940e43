#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/noise_reducer.h"
#include "tests/engine/pipeline_support.h"
#include "tests/engine/reference_pipeline.h"
#include "tests/engine/test_support.h"

using lumistra_test::ImageRecorder;
using lumistra_test::PhotoLikePlane;
using lumistra_test::RandomPlane;
using lumistra_test::RunEngine;
using lumistra_test::SseFlag;
using lumistra_test::TestAllocator;
using reference::PipelineParams;

namespace {

const PipelineParams kRunDefaults = {1.6733f, 1.4142f, 1.0f, 1, 5};

std::vector<float> Thresholds(int32_t startLevel, int32_t maxLevel) {
    const NoiseReducer reducer(TestAllocator::Allocate, TestAllocator::Release);
    std::vector<float> thresholds;
    float previous = 0.0f;
    for (int32_t level = startLevel; level <= maxLevel; ++level)
        thresholds.push_back(previous = reducer.LevelThreshold(previous, level));
    return thresholds;
}

}  // namespace

TEST(LevelThreshold, HalvesFromTheThirdLevel) {
    EXPECT_EQ(Thresholds(1, 5), (std::vector<float>{8, 8, 4, 2, 1}));
    EXPECT_EQ(Thresholds(2, 5), (std::vector<float>{8, 4, 2, 1}));
    EXPECT_EQ(Thresholds(3, 5), (std::vector<float>{2, 1, 0.5f}));
    EXPECT_EQ(Thresholds(0, 3), (std::vector<float>{8, 8, 8, 4}));
}

TEST(ProcessPlane, FlatPlanesShowOnlyTheDetailRounding) {
    const uint32_t size = 256;
    for (uint8_t v : {0, 1, 30, 127, 200, 254, 255}) {
        const std::vector<uint8_t> flat(size * size, v);
        EXPECT_EQ(RunEngine(flat, size, size, {1.6733f, 1.4142f, 1.0f, 1, 5}, SseFlag::kSet), flat)
            << "value " << int{v};
    }
    const std::vector<uint8_t> flat30(size * size, 30), flat200(size * size, 200);
    EXPECT_EQ(RunEngine(flat30, size, size, {1.6733f, 1.4142f, 0.8f, 1, 5}, SseFlag::kClear),
              std::vector<uint8_t>(size * size, 32));
    EXPECT_EQ(RunEngine(flat200, size, size, {1.6733f, 1.4142f, 1.2f, 1, 5}, SseFlag::kClear),
              std::vector<uint8_t>(size * size, 199));
    // The slow reference must agree on these figures too, or it proves nothing elsewhere.
    EXPECT_EQ(
        reference::ProcessPlane({size, size, flat30}, {1.6733f, 1.4142f, 0.8f, 1, 5}).output.pixels,
        std::vector<uint8_t>(size * size, 32));
    EXPECT_EQ(reference::ProcessPlane({size, size, flat200}, {1.6733f, 1.4142f, 1.2f, 1, 5})
                  .output.pixels,
              std::vector<uint8_t>(size * size, 199));
}

TEST(ProcessPlane, InPlaceEqualsSeparatePlanes) {
    for (const auto& [width, height] : std::vector<std::pair<uint32_t, uint32_t>>{
             {256, 256}, {57, 57}, {64, 300}, {13, 13}, {5, 5}, {3, 7}, {1, 1}}) {
        const std::vector<uint8_t> plane = PhotoLikePlane(width, height, 31);
        for (const PipelineParams& params :
             {kRunDefaults, PipelineParams{2.0f, 0.5f, 0.8f, 1, 5}}) {
            EXPECT_EQ(RunEngine(plane, width, height, params, SseFlag::kSet, true),
                      RunEngine(plane, width, height, params, SseFlag::kSet, false))
                << lumistra_test::Describe(width, height, params);
        }
    }
}

TEST(ProcessPlane, TheMedianTheProcessorFlagChoosesDoesNotChangeTheResult) {
    for (const auto& [width, height] :
         std::vector<std::pair<uint32_t, uint32_t>>{{300, 257}, {97, 83}, {64, 300}, {21, 22}}) {
        for (const std::vector<uint8_t>& plane :
             {PhotoLikePlane(width, height, 41), RandomPlane(width, height, 42)}) {
            for (const PipelineParams& params :
                 {kRunDefaults, PipelineParams{1.0f, 2.0f, 1.2f, 2, 5}}) {
                const std::vector<uint8_t> oneByOne =
                    RunEngine(plane, width, height, params, SseFlag::kClear);
                const std::string what = lumistra_test::Describe(width, height, params);
                EXPECT_EQ(RunEngine(plane, width, height, params, SseFlag::kSet), oneByOne) << what;
                EXPECT_EQ(RunEngine(plane, width, height, params, SseFlag::kSetOnScalarPath),
                          oneByOne)
                    << what;
            }
        }
    }
}

TEST(ProcessPlane, AClearProcessorFlagLeavesTheScalarPath) {
    NoiseReducer reducer(TestAllocator::Allocate, TestAllocator::Release);
    reducer.sseAvailable = 0;
    EXPECT_EQ(reducer.ActiveKernelPath(), KernelPath::kScalar);
}

TEST(ProcessPlane, LevelsHalveUntilMaxLevelOrEightSamples) {
    struct Case {
        uint32_t width, height;
        int32_t startLevel, maxLevel;
        std::vector<uint32_t> widths;  // of each level's input, the plane first
        int32_t deepest;
    };
    const Case cases[] = {
        {256, 256, 1, 5, {256, 128, 64, 32, 16}, 5},
        {256, 256, 1, 9, {256, 128, 64, 32, 16, 8, 4}, 7},  // stops below 8 samples
        {256, 256, 1, 2, {256, 128}, 2},
        {256, 256, 1, 1, {256, 128}, 2},
        {256, 256, 3, 0, {256, 128}, 4},
        {40, 20, 1, 5, {40, 20, 10}, 3},  // 10x5 is too low to go on
        {1, 1, 1, 5, {1, 1}, 2},
    };
    for (const Case& c : cases) {
        TestAllocator::Reset();
        NoiseReducer reducer(TestAllocator::Allocate, TestAllocator::Release);
        ImageRecorder recorder(reducer);
        const std::vector<uint8_t> plane = PhotoLikePlane(c.width, c.height, 51);
        std::vector<uint8_t> out(plane.size());
        ASSERT_FALSE(reducer.ProcessPlane(plane.data(), out.data(), c.width, c.height, 1.0f, 1.0f,
                                          1.2f, c.startLevel, c.maxLevel));
        std::vector<uint32_t> widths;
        std::vector<int32_t> levels;
        for (const auto& image : recorder.Images())
            if (image.name == "nraNInputL") {
                widths.push_back(image.width);
                levels.push_back(image.level);
            }
        std::vector<int32_t> expectedLevels;
        for (size_t i = 0; i < c.widths.size(); ++i)
            expectedLevels.push_back(c.startLevel + int32_t(i));
        EXPECT_EQ(widths, c.widths)
            << c.width << "x" << c.height << " levels " << c.startLevel << ".." << c.maxLevel;
        EXPECT_EQ(levels, expectedLevels);
        EXPECT_EQ(reducer.deepestLevel, c.deepest);
        ASSERT_FALSE(recorder.Images().empty());
        EXPECT_EQ(recorder.Images().front().name, "InputImage");
        EXPECT_EQ(recorder.Images().back().name, "OutputImage");
    }
}

TEST(ProcessPlane, ZeroStrengthsKeepTheInputWhereverTheDifferenceIsNotZero) {
    const uint32_t width = 97, height = 83;
    // The left half is flat, so the filtered difference is zero there at every level.
    std::vector<uint8_t> plane = PhotoLikePlane(width, height, 61);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width / 2; ++x) plane[y * width + x] = 90;
    for (float clarity : {1.0f, 1.2f}) {
        TestAllocator::Reset();
        NoiseReducer reducer(TestAllocator::Allocate, TestAllocator::Release);
        ImageRecorder recorder(reducer);
        std::vector<uint8_t> out(plane.size());
        ASSERT_FALSE(reducer.ProcessPlane(plane.data(), out.data(), width, height, 0.0f, 0.0f,
                                          clarity, 1, 5));
        int keptInput = 0, tookMedian = 0;
        for (int32_t level : recorder.LevelsOf("BlendedNoiseL")) {
            const auto* input = recorder.Find("nraNInputL", level);
            const auto* median = recorder.Find("MedianL", level);
            const auto* filtered = recorder.Find("FilteredSubAbsL", level);
            const auto* blended = recorder.Find("BlendedNoiseL", level);
            ASSERT_TRUE(input && median && filtered && blended);
            for (size_t i = 0; i < blended->pixels.size(); ++i) {
                const bool keep = filtered->pixels[i] > 0;
                (keep ? keptInput : tookMedian)++;
                ASSERT_EQ(blended->pixels[i], keep ? input->pixels[i] : median->pixels[i])
                    << "level " << level << " index " << i;
            }
        }
        EXPECT_GT(keptInput, 0);
        EXPECT_GT(tookMedian, 0);
    }
}
