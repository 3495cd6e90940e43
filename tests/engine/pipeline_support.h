#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/noise_reducer.h"
#include "tests/engine/reference_pipeline.h"

namespace lumistra_test {

// Allocation callbacks for NoiseReducer. They are plain function pointers, so their record
// is process-wide: Reset() before each use. Blocks are guarded (see GuardedBuffer) and
// filled with garbage; releasing one checks its guards.
class TestAllocator {
public:
    // failingCall: the 1-based allocate call that returns null (0: none fails).
    static void Reset(int failingCall = 0);
    static void* Allocate(uint32_t byteCount);
    static void Release(void* block);

    static const std::vector<uint32_t>& Requests();
    static int Releases();
    static size_t Outstanding();
};

// Every image announced through the kernels' observer, copied at the time of announcement.
struct AnnouncedImage {
    std::string name;
    uint32_t width;
    uint32_t height;
    int32_t level;
    std::vector<uint8_t> pixels;
};

class ImageRecorder {
public:
    explicit ImageRecorder(NoiseReducer& reducer);
    const std::vector<AnnouncedImage>& Images() const { return images_; }
    // The announcement of name at level; fails the test and returns null when there is none.
    const AnnouncedImage* Find(const std::string& name, int32_t level) const;
    std::vector<int32_t> LevelsOf(const std::string& name) const;

private:
    static void Observe(void* context, const uint8_t* image, uint32_t width, uint32_t height,
                        const char* name, int zeroValue, int displayBias, float scale,
                        int32_t level);
    std::vector<AnnouncedImage> images_;
};

// The engine's processor flag, forced either way, which chooses the median: clear, the
// scalar path with one selection per sample; set, the packed median of the fastest path,
// or with kSetOnScalarPath the scalar path's MedianFilterPacked. The output must not
// depend on it.
enum class SseFlag { kClear, kSet, kSetOnScalarPath };

// Runs ProcessPlane on guarded copies of plane (in and out one plane when inPlace), with
// TestAllocator supplying the working images, and checks that nothing outside the planes
// was touched, that a separate input is unchanged and that no working image is left held.
std::vector<uint8_t> RunEngine(const std::vector<uint8_t>& plane, uint32_t width, uint32_t height,
                               const reference::PipelineParams& params, SseFlag sse,
                               bool inPlace = false);

std::string Describe(uint32_t width, uint32_t height, const reference::PipelineParams& params);

}  // namespace lumistra_test
