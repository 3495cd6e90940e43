#include "host/descriptor_amounts.h"

#include <cmath>

float* AmountForKey(FilterParameters& parameters, DescriptorKeyID key) {
    switch (key) {
        case keyNoiseHighAmount:
            return &parameters.noiseHighAmount;
        case keyNoiseLowAmount:
            return &parameters.noiseLowAmount;
        case keyClarityAmount:
            return &parameters.clarityAmount;
        default:
            return nullptr;
    }
}

bool StoreDescriptorAmount(double value, float& amount) {
    if (!std::isfinite(value)) return false;
    // Clamped while still a double: a huge value must not overflow the float.
    if (value < kMinimumAmount) value = kMinimumAmount;
    if (value > kMaximumAmount) value = kMaximumAmount;
    amount = static_cast<float>(value);
    return true;
}
