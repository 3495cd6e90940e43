#include "tests/engine/reference_pipeline.h"

#include <cmath>
#include <cstdlib>

namespace reference {

namespace {

struct Run {
    PipelineParams params;
    int32_t deepestLevel;
};

struct FilteredLevel {
    Plane blended;
    float threshold;
};

FilteredLevel FilterLevel(const Run& run, const Plane& input, float previousThreshold,
                          int32_t level, float gain) {
    const Plane median = Median(input);
    Plane difference(input.width, input.height);
    for (size_t i = 0; i < input.pixels.size(); ++i)
        difference.pixels[i] =
            ScaleClamp(static_cast<uint8_t>(std::abs(input.pixels[i] - median.pixels[i])), gain);
    const Plane filtered = MinFilter(MaxFilter(difference, 9), 8);

    const float threshold = LevelThreshold(previousThreshold, level);
    const float levelThreshold = threshold / gain;
    Plane blended(input.width, input.height);
    for (size_t i = 0; i < input.pixels.size(); ++i) {
        const uint8_t weight =
            BlendWeight(filtered.pixels[i], median.pixels[i], run.params.hiStrength,
                        run.params.loStrength, levelThreshold);
        blended.pixels[i] = Blend(input.pixels[i], median.pixels[i], weight);
    }
    return {blended, threshold};
}

// Filters the half-size image of parent and everything below it. gain holds this level's
// gain on entry and the gain handed back to the parent on return; the result is the
// level's detail image brought back to the parent's size.
Plane PyramidLevel(Run& run, const Plane& parent, float previousThreshold, int32_t level,
                   float& gain) {
    run.deepestLevel = level;
    const double c = run.params.clarity;
    const float g = gain;
    const Plane down = Downsample(parent);
    const FilteredLevel filtered = FilterLevel(run, down, previousThreshold, level, g);
    const Plane& noise = filtered.blended;
    const double mExact = double{g} * c;
    const float m = static_cast<float>(mExact);

    Plane detail(down.width, down.height);
    float handedBack;
    if (level < run.params.maxLevel && down.width >= 8 && down.height >= 8) {
        float gNext = m;
        const Plane coarse = PyramidLevel(run, noise, filtered.threshold, level + 1, gNext);
        const float s = static_cast<float>(c >= 1.0 ? gNext * c : gNext / c);
        const float t = static_cast<float>(1.0 / s);
        const float aCoef = static_cast<float>(double{t} * m);
        const float bCoef = static_cast<float>(double{g} * t);
        const float coarseCoef = static_cast<float>(double{gNext} * t);
        for (size_t i = 0; i < detail.pixels.size(); ++i)
            detail.pixels[i] = CombineDetailWithCoarse(noise.pixels[i], aCoef, coarse.pixels[i],
                                                       coarseCoef, down.pixels[i], bCoef);
        handedBack = s;
    } else {
        float aCoef, bCoef;
        if (c >= 1.0) {
            const double inverse = 1.0 / c;
            aCoef = static_cast<float>(mExact * inverse);
            bCoef = static_cast<float>(double{g} * inverse);
            handedBack = run.params.clarity;
        } else {
            aCoef = static_cast<float>(mExact * c);
            bCoef = static_cast<float>(double{g} * c);
            handedBack = static_cast<float>(1.0 / c);
        }
        for (size_t i = 0; i < detail.pixels.size(); ++i)
            detail.pixels[i] = CombineDetail(noise.pixels[i], aCoef, down.pixels[i], bCoef);
    }
    gain = handedBack;
    return Upsample(detail, parent.width, parent.height, handedBack);
}

}  // namespace

float LevelThreshold(float previousThreshold, int32_t level) {
    if (previousThreshold == 0.0f) return level <= 2 ? 8.0f : std::ldexp(8.0f, -(level - 1));
    return level <= 2 ? previousThreshold : previousThreshold / 2.0f;
}

PipelineResult ProcessPlane(const Plane& input, const PipelineParams& params) {
    Run run{params, params.startLevel};
    const FilteredLevel top = FilterLevel(run, input, 0.0f, params.startLevel, 1.0f);
    float gainBack = 1.0f;
    const Plane pyramid =
        PyramidLevel(run, top.blended, top.threshold, params.startLevel + 1, gainBack);

    const double power =
        std::pow(double{params.clarity}, double(run.deepestLevel - params.startLevel));
    const float a = static_cast<float>(1.0 / power);
    const float u = static_cast<float>(double{a} * gainBack);
    Plane output(input.width, input.height);
    for (size_t i = 0; i < output.pixels.size(); ++i)
        output.pixels[i] = CombineOutput(top.blended.pixels[i], a, pyramid.pixels[i], u);
    return {output, run.deepestLevel};
}

}  // namespace reference
