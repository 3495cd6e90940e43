#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/img_class.h"
#include "engine/kernel_paths.h"
#include "engine/pixel_range.h"
#include "engine/sample_ops.h"

// The multi-scale noise-reduction engine for one 8-bit plane at a time. It allocates
// nothing itself: its two working images come from the caller's allocate callback.
class NoiseReducer : public PixelRange {
public:
    using AllocateFn = void* (*)(uint32_t byteCount);  // null on failure
    using ReleaseFn = void (*)(void* block);

    NoiseReducer(AllocateFn allocateFn, ReleaseFn releaseFn);

    // Filters one plane of width * height bytes. in and out may be the same plane; out is
    // also the pyramid's working memory. Returns true on failure (working images not
    // obtained, or a level number below 0), in which case out is untouched.
    bool ProcessPlane(const uint8_t* in, uint8_t* out, uint32_t width, uint32_t height,
                      float hiStrength, float loStrength, float clarity, int32_t startLevel,
                      int32_t maxLevel);

    void AcquireWorkImages(uint32_t width, uint32_t height);
    // Returns any held working image through the release callback; safe to repeat.
    void ReleaseWorkImages();

    // Whether the processor executes SSE2: the one processor probe (KernelPathSupported)
    // under the name the engine's construction uses for it. Never fails.
    static bool ProbeSse();

    // The instruction set the kernels run on, chosen at construction (see
    // SelectKernelTable) unless sseAvailable is clear, which leaves the scalar path.
    // UseKernelPath lets tests run every path; it returns false and changes nothing when
    // the processor or the build lacks the path.
    KernelPath ActiveKernelPath() const { return LevelKernels().path; }
    bool UseKernelPath(KernelPath path);

    // The per-sample operations of sample_ops.h, as the engine offers them; flags (always
    // 1) has no effect.
    static void AbsDifference(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t count,
                              uint32_t /*flags*/) {
        sample_ops::AbsDifference(a, b, out, count);
    }
    static void ScaleClamp(const uint8_t* x, float gain, uint8_t* out, size_t count,
                           uint32_t /*flags*/) {
        sample_ops::ScaleClamp(x, gain, out, count);
    }
    static void ScaledDifferences(float gain, uint8_t* scaled) {
        sample_ops::ScaledDifferences(gain, scaled);
    }
    // The weights by the engine's own copy of the limits.
    void ComputeBlendWeights(const uint8_t* difference, const uint8_t* brightness, float hiStrength,
                             float loStrength, float threshold, uint8_t* out, size_t count,
                             uint32_t /*flags*/) const {
        sample_ops::ComputeBlendWeights(difference, brightness, hiStrength, loStrength, threshold,
                                        engineMax, out, count);
    }
    static void BlendByWeight(const uint8_t* input, const uint8_t* median, const uint8_t* weight,
                              uint8_t* out, size_t count, uint32_t /*flags*/) {
        sample_ops::BlendByWeight(input, median, weight, out, count);
    }
    static void CombineDetail(const uint8_t* a, float aCoef, const uint8_t* b, float bCoef,
                              uint8_t* out, size_t count, uint32_t /*flags*/) {
        sample_ops::CombineDetail(a, aCoef, b, bCoef, out, count);
    }
    static void CombineDetailWithCoarse(const uint8_t* a, float aCoef, const uint8_t* coarse,
                                        float coarseCoef, const uint8_t* b, float bCoef,
                                        uint8_t* out, size_t count, uint32_t /*flags*/) {
        sample_ops::CombineDetailWithCoarse(a, aCoef, coarse, coarseCoef, b, bCoef, out, count);
    }
    static void CombineOutput(const uint8_t* a, float aCoef, const uint8_t* detail,
                              float detailCoef, uint8_t* out, size_t count, uint32_t /*flags*/) {
        sample_ops::CombineOutput(a, aCoef, detail, detailCoef, out, count);
    }
    static uint8_t ToSample(double value) { return sample_ops::ToSample(value); }

    // Noise threshold of a level from the previous level's (0 at the plane's own level).
    float LevelThreshold(float previousThreshold, int32_t level) const;

    tImgClass kernels;
    AllocateFn allocate = nullptr;
    ReleaseFn release = nullptr;
    // The engine's own copy of the limits, used by the weight map.
    uint8_t engineMax = 255;
    uint8_t engineMin = 0;
    uint8_t engineMid = 127;
    uint8_t* workA = nullptr;
    uint32_t workACapacity = 0;
    uint8_t* workB = nullptr;
    uint32_t workBCapacity = 0;
    int32_t deepestLevel = 0;
    uint8_t defaultThreshold = 8;
    // Whether the processor executes SSE2, from ProbeSse at construction. Set,
    // the median is a packed one: the vector path's, or on the scalar path
    // MedianFilterPacked. Clear, the engine runs the scalar path with MedianFilter. The
    // bytes are the same either way.
    int32_t sseAvailable = 0;

private:
    // The kernels the levels run on, as the processor flag allows.
    const KernelTable& LevelKernels() const;
    // spare: memory that nothing else uses during this level (or null), room for the
    // weight table. nextDown: unless null, where the downsample of output goes as well.
    // BlendLevel runs the stages from the running minimum on.
    float FilterLevel(const uint8_t* input, uint8_t* output, uint32_t width, uint32_t height,
                      float hiStrength, float loStrength, float previousThreshold, int32_t level,
                      float gain, uint8_t* spare, size_t spareBytes, uint8_t* nextDown);
    void BlendLevel(const uint8_t* input, uint8_t* output, uint32_t width, uint32_t height,
                    int32_t level, float hiStrength, float loStrength, float threshold,
                    uint8_t* spare, size_t spareBytes);
    // The level in one sweep, its rings (and its weight table, unless the weights have an
    // exact integer form) in the second working image. False when the path has no sweep
    // or the memory does not allow it; nothing has been written then.
    bool SweepLevel(const uint8_t* input, uint8_t* output, uint32_t width, uint32_t height,
                    float hiStrength, float loStrength, float threshold, float gain,
                    const uint8_t* scaled, uint8_t* down);
    void UpsampleDetail(uint8_t* work, uint32_t w, uint32_t h, uint32_t width, uint32_t height,
                        float gain, int32_t level);
    void BuildCombineTable(float topCoef, float detailCoef, uint8_t* table) const;
    bool FindCombineRampOnce(const uint8_t* table, float topCoef, float detailCoef, size_t count,
                             CombineRamp& ramp);
    void ProcessPyramidLevel(const uint8_t* source, bool sourceHalved, uint8_t* work,
                             uint8_t* detail, uint32_t width, uint32_t height, float hiStrength,
                             float loStrength, float clarity, float previousThreshold,
                             int32_t level, int32_t maxLevel, float& gain);

    const KernelTable* kernelTable_;
    // The last search for the output combination's integer form, and what it found.
    struct CombineRampSearch {
        bool done;
        float topCoef;
        float detailCoef;
        uint32_t finestShift;
        bool found;
        CombineRamp ramp;
    };
    CombineRampSearch lastCombineRampSearch_ = {};
    // Set while the pyramid lives in the second working image rather than in out.
    bool pyramidInWorkB_ = false;
};
