// The command-line number rules: a token is taken whole or refused.

#include "app/cli/strict_number.h"

#include <gtest/gtest.h>

namespace {

TEST(StrictNumber, DecimalFloatsAreRoundedOnceToSinglePrecision) {
    const struct {
        const char* token;
        float value;
    } accepted[] = {{"1.4142135", 1.4142135f}, {"+2", 2.0f},      {"-.5", -0.5f}, {"3.", 3.0f},
                    {"1e-3", 0.001f},          {"1.2E+1", 12.0f}, {"0.1", 0.1f},  {"1e-60", 0.0f}};
    for (const auto& example : accepted) {
        float value = -99.0f;
        EXPECT_EQ(lumistra::ParseDecimalFloat(example.token, value), "") << example.token;
        EXPECT_EQ(value, example.value) << example.token;
    }
    for (const char* token :
         {"", " 1", "1 ", "1.0x", ".", "-", "1e", "1e+", "0x1p3", "inf", "nan", "1,5", "1e39"}) {
        float value = 7.0f;
        EXPECT_NE(lumistra::ParseDecimalFloat(token, value), "") << token;
        EXPECT_EQ(value, 7.0f) << token;
    }
}

TEST(StrictNumber, Int32CoversTheSignedRangeExactly) {
    int32_t value = 0;
    EXPECT_EQ(lumistra::ParseInt32("-2147483648", value), "");
    EXPECT_EQ(value, INT32_MIN);
    EXPECT_EQ(lumistra::ParseInt32("+2147483647", value), "");
    EXPECT_EQ(value, INT32_MAX);
    for (const char* token : {"", "-", "2147483648", "-2147483649", "1.0", "5 ", "0x10", "1e2"})
        EXPECT_NE(lumistra::ParseInt32(token, value), "") << token;
}

TEST(StrictNumber, CountsArePositiveAndFitUnsigned32Bits) {
    uint32_t value = 0;
    EXPECT_EQ(lumistra::ParseCount("4294967295", value), "");
    EXPECT_EQ(value, UINT32_MAX);
    EXPECT_EQ(lumistra::ParseCount("007", value), "");
    EXPECT_EQ(value, 7u);
    for (const char* token : {"", "0", "4294967296", "99999999999999999999", "+5", "-5", "5x"})
        EXPECT_NE(lumistra::ParseCount(token, value), "") << token;
}

}  // namespace
