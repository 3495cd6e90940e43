#pragma once

#include <cstdint>

#include "tests/engine/reference_kernels.h"

namespace reference {

struct PipelineParams {
    float hiStrength;
    float loStrength;
    float clarity;
    int32_t startLevel;
    int32_t maxLevel;
};

struct PipelineResult {
    Plane output;
    int32_t deepestLevel;
};

// The whole multi-scale filter for one plane, each level in buffers of its own. Levels must
// not be negative.
PipelineResult ProcessPlane(const Plane& input, const PipelineParams& params);

float LevelThreshold(float previousThreshold, int32_t level);

}  // namespace reference
