// The conversion of the three user values into the engine's per-plane
// parameters, shared by the filtering run and the preview so that both feed
// the engine the same bits.
//
// The same three values go by a different name in each part of the system:
//
//   dialog label               record amount    key     command line  engine
//   Highlight Noise Reduction  noiseHighAmount  'Amnt'  --highlight   hiStrength
//   Shadow Noise Reduction     noiseLowAmount   'Brgh'  --shadow      loStrength
//   Clarity                    clarityAmount    'Fltn'  --clarity     clarity
//
// The amounts (0 to 100, FilterParameters) are what the user sets, what
// scripts record (as doubles, under the keys of resources/plugin_identity.h)
// and what the host keeps as the last-used values. The engine values are
// what NoiseReducer::ProcessPlane takes: the strengths, for bright and for
// dark areas, run from 0 (keep the input) to 2 (take the median); the clarity
// factor runs from 1.2 (Clarity 0, "Soften") to 0.8 (Clarity 100, "Sharpen")
// and weighs the coarser levels' detail.
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
