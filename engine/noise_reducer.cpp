#include "engine/noise_reducer.h"

#include "engine/pyramid_layout.h"

NoiseReducer::NoiseReducer(AllocateFn allocateFn, ReleaseFn releaseFn)
    : allocate(allocateFn), release(releaseFn), kernelTable_(&SelectKernelTable()) {
    sseAvailable = ProbeSse() ? 1 : 0;
}

bool NoiseReducer::ProbeSse() { return KernelPathSupported(KernelPath::kSse2); }

const KernelTable& NoiseReducer::LevelKernels() const {
    if (sseAvailable == 0) return *KernelTableFor(KernelPath::kScalar);
    if (kernelTable_->path == KernelPath::kScalar) return ScalarPackedMedianKernelTable();
    return *kernelTable_;
}

bool NoiseReducer::UseKernelPath(KernelPath path) {
    const KernelTable* table = KernelTableFor(path);
    if (table == nullptr || !KernelPathSupported(path)) return false;
    kernelTable_ = table;
    return true;
}

// A held image is returned before a new one is taken, so that a caller retrying after a
// failed acquisition loses nothing.
void NoiseReducer::AcquireWorkImages(uint32_t width, uint32_t height) {
    ReleaseWorkImages();
    const uint64_t planeBytes = uint64_t(width) * height;
    const uint64_t scratchBytes = WorkBBytes(width, height);
    if (scratchBytes > UINT32_MAX) return;
    const uint32_t sizeA = uint32_t(planeBytes);
    const uint32_t sizeB = uint32_t(scratchBytes);
    workA = static_cast<uint8_t*>(allocate(sizeA));
    if (workA != nullptr) workACapacity = sizeA;
    workB = static_cast<uint8_t*>(allocate(sizeB));
    if (workB != nullptr) workBCapacity = sizeB;
}

void NoiseReducer::ReleaseWorkImages() {
    if (workA != nullptr) {
        release(workA);
        workA = nullptr;
        workACapacity = 0;
    }
    if (workB != nullptr) {
        release(workB);
        workB = nullptr;
        workBCapacity = 0;
    }
}
