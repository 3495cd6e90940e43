// A host for the preview without a plug-in: it serves a synthetic image at whole rates
// by point sampling, records every request, display and engine pass, keeps account of
// the blocks handed out, and can fail any of its calls at any index.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "ui/preview_port.h"

struct RecordedRequest {
    PaneRequest request;
};

struct RecordedDisplay {
    PSPixelMap map;
    bool hasMask;
    PSPixelMask mask;
    int32_t row;
    int32_t column;
    std::vector<uint8_t> pixels;  // the map's pixels, copied during the call
};

class FakePort : public PreviewPort {
public:
    // The image spans 0..imageWidth x 0..imageHeight; the filter area lies inside it.
    FakePort(Rect filterRect, int32_t imageWidth, int32_t imageHeight);
    ~FakePort() override;

    static uint8_t Sample(int32_t x, int32_t y, int32_t plane);
    static uint8_t MaskSample(int32_t x, int32_t y);

    Rect FilterRect() const override { return filterRect_; }
    int16_t ImageMode() const override { return imageMode; }
    bool HaveMask() const override { return haveMask; }
    int16_t PlaneCount() const override { return planeCount; }
    OSErr RequestPane(const PaneRequest& request, PaneSamples* samples) override;
    OSErr DisplayPixels(const PSPixelMap& source, const VRect& bounds, int32_t row, int32_t column,
                        void* platformContext) override;
    bool PollAbort() override;
    OSErr HostResult() const override { return result; }
    void SetHostResult(OSErr value) override { result = value; }
    AllocateFn Allocator() const override { return &Allocate; }
    ReleaseFn Releaser() const override { return &Release; }
    void NoteEnginePass(const PreviewEnginePass& pass) override { enginePasses.push_back(pass); }

    size_t LiveBlocks() const { return live_.size(); }

    int16_t imageMode = 3;
    bool haveMask = false;
    int16_t planeCount = 3;
    OSErr result = 0;
    // The index (0-based, per kind of call) at which that call fails; -1: never.
    int32_t failRequestAt = -1;
    int32_t failDisplayAt = -1;
    int32_t failAllocateAt = -1;
    OSErr requestError = -108;

    int32_t requestCalls = 0;
    int32_t displayCalls = 0;
    int32_t allocateCalls = 0;
    int32_t abortPolls = 0;
    std::vector<RecordedRequest> requests;
    std::vector<RecordedDisplay> displays;
    std::vector<PreviewEnginePass> enginePasses;
    // Requests that asked for samples past the filter area or outside the image.
    int32_t requestsOutside = 0;

private:
    static void* Allocate(uint32_t byteCount);
    static void Release(void* block);

    Rect filterRect_;
    int32_t imageWidth_;
    int32_t imageHeight_;
    std::vector<uint8_t> inData_;
    std::vector<uint8_t> maskData_;
    std::map<void*, uint32_t> live_;
};
