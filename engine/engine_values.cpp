#include "engine/engine_values.h"

#include <cmath>

namespace {
float StrengthFromAmount(float amount) {
    // The percentage factor is the single-precision constant, widened: the
    // strengths must match the engine's reference figures bit for bit. The power 0.5
    // is taken as the square root, which every platform rounds correctly (the 32-bit
    // Windows runtime's power function goes through x87 code); over every float
    // amount from 0 to 100 the two give the same strength.
    const double fraction = static_cast<double>(ClampAmount(amount)) * static_cast<double>(0.01f);
    return static_cast<float>(2.0 * std::sqrt(fraction));
}

float ClarityFromAmount(float amount) {
    return static_cast<float>(static_cast<double>(ClampAmount(amount)) * -0.004 + 1.2);
}
}  // namespace

float ClampAmount(float amount) {
    if (std::isnan(amount)) return kDefaultAmount;
    if (amount < kMinimumAmount) return kMinimumAmount;
    if (amount > kMaximumAmount) return kMaximumAmount;
    return amount;
}

EngineValues ConvertEngineValues(const FilterParameters& parameters) {
    return EngineValues{StrengthFromAmount(parameters.noiseHighAmount),
                        StrengthFromAmount(parameters.noiseLowAmount),
                        ClarityFromAmount(parameters.clarityAmount)};
}
