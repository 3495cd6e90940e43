// The whole engine on every path against the scalar path, byte for byte, over sizes and
// parameter sets, with in and out separate (the weight table in spare memory) and the
// same plane (no spare memory, weights computed per sample).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/noise_reducer.h"
#include "tests/dispatch/dispatch_support.h"
#include "tests/support/guarded_buffer.h"

namespace {

using dispatch_test::Content;
using dispatch_test::FirstDifference;
using dispatch_test::MakePlane;
using dispatch_test::PathName;
using dispatch_test::WidePaths;
using lumistra_test::GuardedBuffer;

void* Allocate(uint32_t bytes) { return std::malloc(bytes); }
void Release(void* block) { std::free(block); }

struct Settings {
    float hiStrength;
    float loStrength;
    float clarity;
    int32_t startLevel;
    int32_t maxLevel;
};

std::vector<uint8_t> Run(KernelPath path, const std::vector<uint8_t>& source, uint32_t width,
                         uint32_t height, const Settings& s, bool inPlace) {
    NoiseReducer reducer(&Allocate, &Release);
    EXPECT_TRUE(reducer.UseKernelPath(path));
    GuardedBuffer out(source.size());
    const uint8_t* in = source.data();
    if (inPlace) {
        std::memcpy(out.data(), source.data(), source.size());
        in = out.data();
    }
    EXPECT_FALSE(reducer.ProcessPlane(in, out.data(), width, height, s.hiStrength, s.loStrength,
                                      s.clarity, s.startLevel, s.maxLevel));
    EXPECT_TRUE(out.GuardsIntact());
    return out.Contents();
}

void ExpectAllPathsMatch(uint32_t width, uint32_t height, Content content,
                         const std::vector<Settings>& settings) {
    const auto source = MakePlane(width, height, content, 5);
    for (const Settings& s : settings) {
        for (bool inPlace : {false, true}) {
            const auto expected = Run(KernelPath::kScalar, source, width, height, s, inPlace);
            for (KernelPath path : WidePaths()) {
                ASSERT_EQ("",
                          FirstDifference(expected, Run(path, source, width, height, s, inPlace)))
                    << PathName(path) << " " << width << "x" << height << " hi " << s.hiStrength
                    << " lo " << s.loStrength << " clarity " << s.clarity << " levels "
                    << s.startLevel << ".." << s.maxLevel << (inPlace ? " in place" : "");
            }
        }
    }
}

std::vector<Settings> AllSettings() {
    const float strengths[][2] = {
        {0.0f, 0.0f}, {1.0f, 1.41421354f}, {1.41421354f, 2.0f}, {2.0f, 0.0f}};
    std::vector<Settings> all;
    for (float clarity : {0.8f, 1.0f, 1.2f})
        for (const auto& strength : strengths)
            for (int32_t startLevel = 1; startLevel <= 3; ++startLevel)
                for (int32_t maxLevel = 2; maxLevel <= 5; ++maxLevel)
                    all.push_back({strength[0], strength[1], clarity, startLevel, maxLevel});
    return all;
}

TEST(PipelinePaths, SmallPlanesMatchScalarForEverySetting) {
    for (auto size : {dispatch_test::Size{1, 1}, {7, 5}, {13, 40}, {37, 41}, {64, 9}})
        ExpectAllPathsMatch(size.width, size.height, Content::kNoise, AllSettings());
}

// Large enough for the weight table (at least 65536 samples) at the top level and, at
// 513 by 515, at the level below.
TEST(PipelinePaths, TablePlanesMatchScalar) {
    const std::vector<Settings> settings = {{1.41421354f, 1.41421354f, 1.0f, 1, 5},
                                            {1.6733f, 0.0f, 0.8f, 1, 5},
                                            {2.0f, 1.0f, 1.2f, 2, 4},
                                            {0.5f, 1.9f, 1.2f, 3, 5}};
    ExpectAllPathsMatch(301, 257, Content::kGradient, settings);
    ExpectAllPathsMatch(513, 515, Content::kNoise, {settings[0], settings[1]});
}

// Large enough (2^21 samples) for the output combination's search at fine scales, at a
// clarity that needs one, with different strengths.
TEST(PipelinePaths, LargePlaneMatchesScalar) {
    ExpectAllPathsMatch(2048, 1025, Content::kGradient, {{1.6733f, 1.0f, 0.88f, 1, 5}});
}

TEST(PipelinePaths, PlanesWithManyTiesMatchScalar) {
    ExpectAllPathsMatch(131, 67, Content::kTies, AllSettings());
}

}  // namespace
