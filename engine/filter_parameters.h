// The three user values as the plug-in keeps them in the host's parameters handle
// (0 to 100 each), and as the dialog and the filtering run read them.
#pragma once

#include <cstdint>

struct FilterParameters {
    float noiseHighAmount;
    float noiseLowAmount;
    float clarityAmount;
};

// Hosts hand this size to the handle routines; the record must not grow.
static_assert(sizeof(FilterParameters) == 12, "FilterParameters is three floats");

constexpr float kDefaultAmount = 50.0f;
constexpr float kMinimumAmount = 0.0f;
constexpr float kMaximumAmount = 100.0f;
