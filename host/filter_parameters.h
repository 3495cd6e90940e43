// The two records the plug-in keeps in host handles between selector calls.
#pragma once

#include <cstdint>

// The three user values, 0 to 100 each; kept in the host's parameters handle.
struct FilterParameters {
    float noiseHighAmount;
    float noiseLowAmount;
    float clarityAmount;
};

// What the start selector learns about the document; kept in the handle whose
// value sits in the host's data slot.
struct RunData {
    int16_t planeCount;
    int16_t bitDepth;
    int16_t inputWidth;
    int16_t inputHeight;
};

// Hosts hand these sizes to the handle routines; the records must not grow.
static_assert(sizeof(FilterParameters) == 12, "FilterParameters is three floats");
static_assert(sizeof(RunData) == 8, "RunData is four int16 values");

constexpr float kDefaultAmount = 50.0f;
constexpr float kMinimumAmount = 0.0f;
constexpr float kMaximumAmount = 100.0f;
