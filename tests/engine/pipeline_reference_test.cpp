#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <ostream>
#include <vector>

#include "tests/engine/pipeline_support.h"
#include "tests/engine/reference_pipeline.h"
#include "tests/engine/test_support.h"

using lumistra_test::PhotoLikePlane;
using lumistra_test::RunEngine;
using lumistra_test::SseFlag;
using reference::PipelineParams;

namespace {

struct PlaneSize {
    uint32_t width, height;
};

std::vector<PipelineParams> ParameterSets() {
    std::vector<PipelineParams> sets;
    const float strengths[][2] = {{1.6733f, 1.4142f}, {0.0f, 0.0f}, {1.0f, 1.0f},
                                  {1.4142f, 1.4142f}, {2.0f, 2.0f}, {2.0f, 0.0f},
                                  {0.5f, 1.4142f}};
    for (float clarity : {0.8f, 1.0f, 1.2f})
        for (const auto& s : strengths) sets.push_back({s[0], s[1], clarity, 1, 5});
    const int32_t levels[][2] = {{2, 5}, {3, 5}, {1, 2}, {1, 3}, {2, 4},
                                 {0, 5}, {1, 1}, {3, 3}, {2, 0}};
    for (float clarity : {0.8f, 1.2f})
        for (const auto& l : levels) sets.push_back({1.6733f, 1.4142f, clarity, l[0], l[1]});
    return sets;
}

void PrintTo(const PlaneSize& size, std::ostream* os) { *os << size.width << "x" << size.height; }

class PipelineMatchesReference : public testing::TestWithParam<PlaneSize> {};

}  // namespace

TEST_P(PipelineMatchesReference, ForEveryParameterSet) {
    const auto [width, height] = GetParam();
    const std::vector<uint8_t> plane = PhotoLikePlane(width, height, width * 1009 + height);
    int run = 0;
    for (const PipelineParams& params : ParameterSets()) {
        const reference::PipelineResult expected =
            reference::ProcessPlane({width, height, plane}, params);
        const SseFlag sse = run++ % 2 ? SseFlag::kSet : SseFlag::kClear;
        EXPECT_EQ(RunEngine(plane, width, height, params, sse), expected.output.pixels)
            << lumistra_test::Describe(width, height, params);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PipelineMatchesReference,
                         testing::Values(PlaneSize{256, 256}, PlaneSize{300, 257},
                                         PlaneSize{57, 57}, PlaneSize{64, 300}, PlaneSize{13, 13},
                                         PlaneSize{5, 5}, PlaneSize{1, 1}),
                         [](const testing::TestParamInfo<PlaneSize>& paramInfo) {
                             return std::to_string(paramInfo.param.width) + "x" +
                                    std::to_string(paramInfo.param.height);
                         });

// Planes of at least 256 x 256 samples take their weights from a table per level that
// computes each distinct shadow, mix and highlight row once; strengths far apart, nearly
// equal, zero on one side and swapped.
TEST(PipelineMatchesReferenceTables, ForManyStrengthPairs) {
    const uint32_t width = 300, height = 257;
    const std::vector<uint8_t> plane = PhotoLikePlane(width, height, 77);
    const float strengths[][2] = {{0.3f, 1.9f}, {1.9f, 0.3f}, {0.7f, 0.70001f}, {3.0f, 0.01f},
                                  {0.0f, 1.5f}, {1.5f, 0.0f}, {4.0f, 2.5f}};
    for (const auto& s : strengths) {
        const PipelineParams params = {s[0], s[1], 1.0f, 1, 5};
        EXPECT_EQ(RunEngine(plane, width, height, params, SseFlag::kSet),
                  reference::ProcessPlane({width, height, plane}, params).output.pixels)
            << lumistra_test::Describe(width, height, params);
    }
}

TEST(PipelineGolden, PhotoLikePlaneAtTheRunDefaults) {
    const uint32_t width = 97, height = 83;
    const PipelineParams params = {1.6733f, 1.4142f, 1.0f, 1, 5};
    const std::vector<uint8_t> plane = PhotoLikePlane(width, height, 2024);
    const std::vector<uint8_t> output = RunEngine(plane, width, height, params, SseFlag::kClear);
    EXPECT_EQ(RunEngine(plane, width, height, params, SseFlag::kSet), output);
    EXPECT_EQ(output, reference::ProcessPlane({width, height, plane}, params).output.pixels);
    EXPECT_NE(output, plane) << "the filter changed nothing";

    char hash[32];
    std::snprintf(hash, sizeof hash, "%016" PRIx64, lumistra_test::Fnv1aHash(output));
    RecordProperty("output_fnv1a", hash);
    std::printf("97x83 output FNV-1a %s (input %016" PRIx64 ")\n", hash,
                lumistra_test::Fnv1aHash(plane));
}
