#include "host/plane_exchange.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "engine/engine_values.h"
#include "host/plugin_alloc.h"
#include "host/plugin_state.h"
#include "tests/plugin/fake_host.h"

namespace {
constexpr int16_t kWidth = 67;
constexpr int16_t kHeight = 45;
constexpr uint8_t kSentinel = 0xA5;
const EngineValues kValues = ConvertEngineValues(FilterParameters{70.0f, 50.0f, 50.0f});

std::vector<uint8_t> NoisyPlane(std::size_t size) {
    std::mt19937 random(7);
    std::vector<uint8_t> plane(size);
    for (uint8_t& sample : plane) sample = static_cast<uint8_t>(random() % 256);
    return plane;
}

// Rows of width samples, rowBytes apart, the gaps holding the sentinel.
std::vector<uint8_t> Padded(const std::vector<uint8_t>& tight, int32_t rowBytes) {
    std::vector<uint8_t> padded(static_cast<std::size_t>(rowBytes) * kHeight, kSentinel);
    for (int y = 0; y < kHeight; ++y) {
        std::copy_n(&tight[static_cast<std::size_t>(y) * kWidth], kWidth, &padded[y * rowBytes]);
    }
    return padded;
}

class PlaneExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        DescribeRgbDocument(host.filter, kWidth, kHeight);
        host.BeginCall(filterSelectorStart);
    }
    void TearDown() override { EXPECT_EQ(LiveBlockCount(), 0u); }

    // The plane filtered from separate tight buffers.
    std::vector<uint8_t> Reference() {
        std::vector<uint8_t> in = input;
        std::vector<uint8_t> out(in.size(), 0);
        Deliver(in.data(), kWidth, out.data(), kWidth);
        EXPECT_TRUE(FilterDeliveredPlane(host.filter, engine, kValues));
        EXPECT_NE(out, input) << "the engine changed nothing: the comparisons would prove nothing";
        return out;
    }
    void Deliver(void* in, int32_t inRowBytes, void* out, int32_t outRowBytes) {
        host.filter.inData = in;
        host.filter.inRowBytes = inRowBytes;
        host.filter.outData = out;
        host.filter.outRowBytes = outRowBytes;
    }

    FakeHost host;
    NoiseReducer engine{PluginAlloc, PluginFree};
    std::vector<uint8_t> input = NoisyPlane(static_cast<std::size_t>(kWidth) * kHeight);
};

TEST_F(PlaneExchangeTest, OneBufferForInputAndOutputIsFilteredInPlace) {
    const std::vector<uint8_t> expected = Reference();
    std::vector<uint8_t> shared = input;
    Deliver(shared.data(), kWidth, shared.data(), kWidth);
    ASSERT_TRUE(FilterDeliveredPlane(host.filter, engine, kValues));
    EXPECT_EQ(shared, expected);
}

TEST_F(PlaneExchangeTest, PaddedRowsOfDifferentStridesGiveTheSamePixels) {
    const std::vector<uint8_t> expected = Reference();
    const int32_t inRowBytes = kWidth + 13;
    const int32_t outRowBytes = kWidth + 4;
    const std::vector<uint8_t> in = Padded(input, inRowBytes);
    std::vector<uint8_t> inCopy = in;
    std::vector<uint8_t> out = Padded(std::vector<uint8_t>(input.size(), 0), outRowBytes);
    Deliver(inCopy.data(), inRowBytes, out.data(), outRowBytes);
    ASSERT_TRUE(FilterDeliveredPlane(host.filter, engine, kValues));
    EXPECT_EQ(out, Padded(expected, outRowBytes)) << "pixels differ or padding was written";
    EXPECT_EQ(inCopy, in) << "the input was changed";
}

TEST_F(PlaneExchangeTest, RowsShorterThanTheAreaOrMissingBuffersAreRefused) {
    std::vector<uint8_t> in = input;
    std::vector<uint8_t> out(input.size(), kSentinel);
    Deliver(in.data(), kWidth - 1, out.data(), kWidth);
    EXPECT_FALSE(FilterDeliveredPlane(host.filter, engine, kValues));
    EXPECT_EQ(host.result, filterBadParameters);
    Deliver(in.data(), kWidth, out.data(), 0);
    EXPECT_FALSE(FilterDeliveredPlane(host.filter, engine, kValues));
    EXPECT_EQ(host.result, filterBadParameters);
    Deliver(nullptr, kWidth, out.data(), kWidth);
    EXPECT_FALSE(FilterDeliveredPlane(host.filter, engine, kValues));
    EXPECT_EQ(host.result, errPlugInHostInsufficient);
    EXPECT_EQ(out, std::vector<uint8_t>(input.size(), kSentinel));
}
}  // namespace
