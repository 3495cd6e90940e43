// What the start selector learns about the document; kept in the handle whose
// value sits in the host's data slot.
#pragma once

#include <cstdint>

struct RunData {
    int16_t planeCount;
    int16_t bitDepth;
    int16_t inputWidth;
    int16_t inputHeight;
};

// Hosts hand this size to the handle routines; the record must not grow.
static_assert(sizeof(RunData) == 8, "RunData is four int16 values");
