// The conversion of the three user values into the engine's per-plane
// parameters, shared by the filtering run and the preview so that both feed
// the engine the same bits.
#pragma once

#include <cstdint>

#include "engine/filter_parameters.h"

struct EngineValues {
    float hiStrength;
    float loStrength;
    float clarity;
};

// The levels every plane is filtered with.
constexpr int32_t kEngineStartLevel = 1;
constexpr int32_t kEngineMaxLevel = 5;

// An amount held to 0..100 (a value that is not a number counts as the
// default): outside that range the strength would need the root of a
// negative number and the clarity factor would reach zero.
float ClampAmount(float amount);

// hiStrength and loStrength are 2 * (amount * 0.01f)^0.5 with the product and
// the power in double precision; clarity is amount * -0.004 + 1.2 in double
// precision. Each result is rounded to single precision.
EngineValues ConvertEngineValues(const FilterParameters& parameters);
