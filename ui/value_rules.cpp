#include "ui/value_rules.h"

#include <cstring>

#include "engine/engine_values.h"

int32_t FloorToInt(float value) {
    const double shifted = static_cast<double>(value) + 1048576.0;
    uint64_t bits = 0;
    std::memcpy(&bits, &shifted, sizeof bits);
    return static_cast<int32_t>((bits >> 32) & 0xFFFFF);
}

uint32_t WholeAmount(float amount) {
    // ClampAmount gives 0 for values at or below 0 and 100 for values at or above it;
    // FloorToInt(100) is 100, so only the values in between are truncated.
    return static_cast<uint32_t>(FloorToInt(ClampAmount(amount)));
}

int32_t StepTrackValue(int32_t scrollCode, int32_t thumbPosition, int32_t current) {
    switch (scrollCode) {
        case kTrackLineUp:
        case kTrackPageUp:
            return current - 1;
        case kTrackLineDown:
        case kTrackPageDown:
            return current + 1;
        case kTrackThumbPosition:
        case kTrackThumbTrack:
            return thumbPosition;
        case kTrackTop:
            return 0;
        case kTrackBottom:
            return 100;
        default:
            return current;
    }
}

int32_t LimitToSliderRange(int32_t value) {
    if (value < 0) return 0;
    if (value > 100) return 100;
    return value;
}
