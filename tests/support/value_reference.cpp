#include "tests/support/value_reference.h"

#include <cmath>

float ReferenceStrength(float amount) {
    const double fraction = static_cast<double>(amount) * static_cast<double>(0.01f);
    return static_cast<float>(2.0 * std::pow(fraction, 0.5));
}

float ReferenceClarity(float amount) {
    return static_cast<float>(static_cast<double>(amount) * -0.004 + 1.2);
}
