#include "ui/value_rules.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(PreviewValueRules, FloorToIntTakesTheIntegerPart) {
    EXPECT_EQ(FloorToInt(0.0f), 0);
    EXPECT_EQ(FloorToInt(33.7f), 33);
    EXPECT_EQ(FloorToInt(99.999f), 99);
    EXPECT_EQ(FloorToInt(100.0f), 100);
    EXPECT_EQ(FloorToInt(2.9999998f), 2);
    EXPECT_EQ(FloorToInt(1048575.0f), 1048575);
}

TEST(PreviewValueRules, WholeAmountsOfStoredValues) {
    EXPECT_EQ(WholeAmount(33.7f), 33u);
    EXPECT_EQ(WholeAmount(-0.5f), 0u);
    EXPECT_EQ(WholeAmount(0.0f), 0u);
    EXPECT_EQ(WholeAmount(100.0f), 100u);
    EXPECT_EQ(WholeAmount(250.0f), 100u);
    EXPECT_EQ(WholeAmount(std::nanf("")), 50u);
}
