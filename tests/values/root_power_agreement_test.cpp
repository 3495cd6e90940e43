// The conversion takes the strength's power 0.5 as a square root, which every
// platform rounds correctly; the formula states it with the power function.
// Here the two meet over the amounts that reach the engine (the conversion
// holds every amount to 0..100): every single-precision amount from 1 to 100,
// which covers the dialog's and the tool's whole numbers and every script
// value of at least 1, and every 61st below 1 (the floats under 1 are nineteen
// in twenty of the range, and checking them all takes a minute).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "engine/engine_values.h"
#include "tests/support/value_reference.h"

namespace {
uint32_t BitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float FloatOf(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Counts the amounts whose strengths differ, naming the first one.
uint64_t CountDisagreements(uint32_t firstBits, uint32_t lastBits, uint32_t stride,
                            float* firstDisagreement) {
    uint64_t disagreements = 0;
    for (uint64_t bits = firstBits; bits <= lastBits; bits += stride) {
        const float amount = FloatOf(static_cast<uint32_t>(bits));
        const EngineValues values = ConvertEngineValues(FilterParameters{amount, amount, amount});
        const float expected = ReferenceStrength(amount);
        if (values.hiStrength != expected || values.loStrength != expected) {
            if (disagreements++ == 0) *firstDisagreement = amount;
        }
    }
    return disagreements;
}

TEST(RootPowerAgreementTest, EveryAmountFromOneToAHundred) {
    float first = 0.0f;
    EXPECT_EQ(CountDisagreements(BitsOf(1.0f), BitsOf(100.0f), 1, &first), 0u)
        << "first at amount " << first;
}

TEST(RootPowerAgreementTest, AmountsBelowOneAtADenseStride) {
    float first = 0.0f;
    EXPECT_EQ(CountDisagreements(0, BitsOf(1.0f), 61, &first), 0u) << "first at amount " << first;
    // The smallest amounts, the subnormal ones among them, one by one.
    EXPECT_EQ(CountDisagreements(0, 1u << 16, 1, &first), 0u) << "first at amount " << first;
}
}  // namespace
