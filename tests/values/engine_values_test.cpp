#include "engine/engine_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
EngineValues Convert(float amount) {
    return ConvertEngineValues(FilterParameters{amount, amount, amount});
}

TEST(EngineValuesTest, AmountsGiveTheStatedStrengthsAndClarity) {
    struct Figure {
        float amount;
        float strength;
        float clarity;
    };
    for (const Figure& figure : {Figure{0.0f, 0.0f, 1.2f}, Figure{25.0f, 1.0f, 1.1f},
                                 Figure{50.0f, 1.4142135f, 1.0f}, Figure{100.0f, 2.0f, 0.8f}}) {
        const EngineValues values = Convert(figure.amount);
        EXPECT_EQ(values.hiStrength, figure.strength) << figure.amount;
        EXPECT_EQ(values.loStrength, figure.strength) << figure.amount;
        EXPECT_EQ(values.clarity, figure.clarity) << figure.amount;
    }
}

TEST(EngineValuesTest, EachValueFollowsItsOwnAmount) {
    const EngineValues values = ConvertEngineValues(FilterParameters{70.0f, 50.0f, 50.0f});
    EXPECT_NEAR(values.hiStrength, 1.6733f, 1e-4f);
    EXPECT_EQ(values.loStrength, 1.4142135f);
    EXPECT_EQ(values.clarity, 1.0f);
}

TEST(EngineValuesTest, PercentageFactorIsTheSingleConstantWidenedAndTheProductDouble) {
    // For 31 both shortcuts (an exact 0.01, or the product in single
    // precision) change the last bit of the strength.
    const float amount = 31.0f;
    const double singleHundredth = 0.009999999776482582;
    const float expected =
        static_cast<float>(2.0 * std::pow(static_cast<double>(amount) * singleHundredth, 0.5));
    const float withExactHundredth =
        static_cast<float>(2.0 * std::pow(static_cast<double>(amount) * 0.01, 0.5));
    const float withSingleProduct = static_cast<float>(2.0 * std::pow(amount * 0.01f, 0.5));
    ASSERT_NE(expected, withExactHundredth);
    ASSERT_NE(expected, withSingleProduct);
    EXPECT_EQ(Convert(amount).hiStrength, expected);
}

TEST(EngineValuesTest, AmountsOutsideTheRangeAreHeldToIt) {
    EXPECT_EQ(Convert(-20.0f).hiStrength, 0.0f);
    EXPECT_EQ(Convert(-20.0f).clarity, 1.2f);
    EXPECT_EQ(Convert(400.0f).hiStrength, 2.0f);
    EXPECT_EQ(Convert(400.0f).clarity, 0.8f);
    const EngineValues notANumber = Convert(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(notANumber.hiStrength, 1.4142135f);
    EXPECT_EQ(notANumber.clarity, 1.0f);
}
}  // namespace
