#include "tests/ui/fake_port.h"

#include <cstdlib>
#include <cstring>

namespace {
FakePort* current = nullptr;
}

FakePort::FakePort(Rect filterRect, int32_t imageWidth, int32_t imageHeight)
    : filterRect_(filterRect), imageWidth_(imageWidth), imageHeight_(imageHeight) {
    current = this;
}

FakePort::~FakePort() {
    for (auto& block : live_) std::free(block.first);
    if (current == this) current = nullptr;
}

uint8_t FakePort::Sample(int32_t x, int32_t y, int32_t plane) {
    return uint8_t(x * 7 + y * 13 + plane * 61 + (x * y) % 17 + ((x / 5 + y / 3) % 2) * 40);
}

uint8_t FakePort::MaskSample(int32_t x, int32_t y) { return uint8_t((x + 2 * y) * 3); }

OSErr FakePort::RequestPane(const PaneRequest& request, PaneSamples* samples) {
    requests.push_back(RecordedRequest{request});
    if (requestCalls++ == failRequestAt) return requestError;

    const int32_t rate = request.rate >> 16;
    const Rect& source = request.source;
    const int32_t width = int32_t(source.right) - source.left;
    const int32_t height = int32_t(source.bottom) - source.top;
    // Odd filter origins may make the region start one sample before the area.
    const bool pastArea =
        source.bottom > filterRect_.bottom / rate || source.right > filterRect_.right / rate ||
        source.top < filterRect_.top / rate - 1 || source.left < filterRect_.left / rate - 1;
    const bool outsideImage = source.top < 0 || source.left < 0 ||
                              (source.bottom - 1) * rate >= imageHeight_ ||
                              (source.right - 1) * rate >= imageWidth_;
    if (pastArea || outsideImage) ++requestsOutside;

    const int32_t rowBytes = width * planeCount + 5;
    const int32_t maskRowBytes = width + 3;
    inData_.assign(size_t(rowBytes) * size_t(height > 0 ? height : 0) + 1, 0xEE);
    maskData_.assign(size_t(maskRowBytes) * size_t(height > 0 ? height : 0) + 1, 0xEE);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int32_t documentX = (source.left + x) * rate;
            const int32_t documentY = (source.top + y) * rate;
            for (int32_t p = 0; p < planeCount; ++p) {
                inData_[size_t(y) * rowBytes + size_t(x) * planeCount + p] =
                    Sample(documentX, documentY, p);
            }
            maskData_[size_t(y) * maskRowBytes + x] = MaskSample(documentX, documentY);
        }
    }
    samples->inData = inData_.data();
    samples->inRowBytes = rowBytes;
    samples->maskData = request.wantMask ? maskData_.data() : nullptr;
    samples->maskRowBytes = request.wantMask ? maskRowBytes : 0;
    return 0;
}

OSErr FakePort::DisplayPixels(const PSPixelMap& source, const VRect& bounds, int32_t row,
                              int32_t column, void*) {
    RecordedDisplay display{source, source.masks != nullptr, {}, row, column, {}};
    if (source.masks != nullptr) display.mask = *source.masks;
    const int32_t height = bounds.bottom - bounds.top;
    const auto* base = static_cast<const uint8_t*>(source.baseAddr);
    display.pixels.assign(base, base + size_t(height) * size_t(source.rowBytes));
    displays.push_back(display);
    if (displayCalls++ == failDisplayAt) return -108;
    return 0;
}

bool FakePort::PollAbort() {
    ++abortPolls;
    return false;
}

void* FakePort::Allocate(uint32_t byteCount) {
    if (current->allocateCalls++ == current->failAllocateAt) return nullptr;
    void* block = std::calloc(byteCount == 0 ? 1 : byteCount, 1);
    if (block != nullptr) current->live_[block] = byteCount;
    return block;
}

void FakePort::Release(void* block) {
    if (block == nullptr) return;
    auto found = current->live_.find(block);
    if (found == current->live_.end()) return;
    current->live_.erase(found);
    std::free(block);
}
