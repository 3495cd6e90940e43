#pragma once

#include <cstdint>

// Sample limits carried by every engine class. Samples are unsigned bytes; signed
// (detail) images store zero as midValue.
struct PixelRange {
    uint32_t flags = 0x40000000;
    uint8_t maxValue = 255;
    uint8_t midValue = 127;
    uint8_t minValue = 0;
};
