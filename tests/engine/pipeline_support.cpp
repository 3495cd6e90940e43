#include "tests/engine/pipeline_support.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

#include "tests/engine/test_support.h"
#include "tests/support/guarded_buffer.h"

namespace lumistra_test {

namespace {

struct AllocatorState {
    int failingCall = 0;
    std::vector<uint32_t> requests;
    int releases = 0;
    std::map<void*, std::unique_ptr<GuardedBuffer>> live;
};

AllocatorState& State() {
    static AllocatorState state;
    return state;
}

}  // namespace

void TestAllocator::Reset(int failingCall) {
    AllocatorState& state = State();
    state = AllocatorState{};
    state.failingCall = failingCall;
}

void* TestAllocator::Allocate(uint32_t byteCount) {
    AllocatorState& state = State();
    state.requests.push_back(byteCount);
    if (static_cast<int>(state.requests.size()) == state.failingCall) return nullptr;
    auto block = std::make_unique<GuardedBuffer>(byteCount, 0xA5, 0xCD);
    void* address = block->data();
    state.live.emplace(address, std::move(block));
    return address;
}

void TestAllocator::Release(void* block) {
    AllocatorState& state = State();
    ++state.releases;
    const auto found = state.live.find(block);
    if (found == state.live.end()) {
        ADD_FAILURE() << "release of a block that was not handed out or was already released";
        return;
    }
    EXPECT_TRUE(found->second->GuardsIntact())
        << "working image of " << found->second->size() << " bytes written outside its bounds";
    state.live.erase(found);
}

const std::vector<uint32_t>& TestAllocator::Requests() { return State().requests; }
int TestAllocator::Releases() { return State().releases; }
size_t TestAllocator::Outstanding() { return State().live.size(); }

ImageRecorder::ImageRecorder(NoiseReducer& reducer) {
    reducer.kernels.SetImageObserver(&ImageRecorder::Observe, this);
}

void ImageRecorder::Observe(void* context, const uint8_t* image, uint32_t width, uint32_t height,
                            const char* name, int, int, float, int32_t level) {
    auto* recorder = static_cast<ImageRecorder*>(context);
    recorder->images_.push_back(
        {name, width, height, level, std::vector<uint8_t>(image, image + size_t{width} * height)});
}

const AnnouncedImage* ImageRecorder::Find(const std::string& name, int32_t level) const {
    for (const AnnouncedImage& image : images_)
        if (image.name == name && image.level == level) return &image;
    ADD_FAILURE() << "no image \"" << name << "\" announced at level " << level;
    return nullptr;
}

std::vector<int32_t> ImageRecorder::LevelsOf(const std::string& name) const {
    std::vector<int32_t> levels;
    for (const AnnouncedImage& image : images_)
        if (image.name == name) levels.push_back(image.level);
    return levels;
}

std::vector<uint8_t> RunEngine(const std::vector<uint8_t>& plane, uint32_t width, uint32_t height,
                               const reference::PipelineParams& params, SseFlag sse, bool inPlace) {
    TestAllocator::Reset();
    NoiseReducer reducer(TestAllocator::Allocate, TestAllocator::Release);
    reducer.sseAvailable = sse == SseFlag::kClear ? 0 : 1;
    if (sse == SseFlag::kSetOnScalarPath) reducer.UseKernelPath(KernelPath::kScalar);

    GuardedBuffer in(plane);
    GuardedBuffer separateOut(plane.size(), 0xA5, 0x3C);
    GuardedBuffer& out = inPlace ? in : separateOut;
    const bool failed =
        reducer.ProcessPlane(in.data(), out.data(), width, height, params.hiStrength,
                             params.loStrength, params.clarity, params.startLevel, params.maxLevel);
    const std::string what = Describe(width, height, params);
    EXPECT_FALSE(failed) << what;
    EXPECT_TRUE(in.GuardsIntact()) << what;
    EXPECT_TRUE(out.GuardsIntact()) << what;
    if (!inPlace) {
        EXPECT_EQ(in.Contents(), plane) << "input modified, " << what;
    }
    EXPECT_EQ(TestAllocator::Outstanding(), 0u) << what;
    return out.Contents();
}

std::string Describe(uint32_t width, uint32_t height, const reference::PipelineParams& params) {
    std::ostringstream text;
    text << width << "x" << height << " hi " << params.hiStrength << " lo " << params.loStrength
         << " clarity " << params.clarity << " levels " << params.startLevel << ".."
         << params.maxLevel;
    return text.str();
}

}  // namespace lumistra_test
