// What the preview dialog needs from the host, and nothing more. The plug-in implements
// it over the FilterRecord and its own allocator; tests implement it with a synthetic
// image. The dialog never reads the FilterRecord or the plug-in's state itself.
#pragma once

#include <cstdint>

#include "interface/pixel_map.h"
#include "interface/plugin_types.h"

// One pane's request for samples: the rectangle in the host's sampled coordinates
// (document coordinates divided by the rate) and the whole rate as 16.16 fixed point.
struct PaneRequest {
    Rect source;
    Fixed rate;
    // True when the host reports haveMask: the selection mask is wanted over the same
    // rectangle at the same rate.
    bool wantMask;
};

// What the host delivered for a request; valid until the next request.
struct PaneSamples {
    const uint8_t* inData;  // planeCount interleaved bytes per pixel
    int32_t inRowBytes;
    const uint8_t* maskData;  // one byte per pixel; null when no mask was wanted
    int32_t maskRowBytes;
};

// One engine pass of the preview, reported for logs and tests.
struct PreviewEnginePass {
    int32_t startLevel;
    int32_t maxLevel;
    float hiStrength;
    float loStrength;
    float clarity;
    uint32_t width;  // the padded working plane
    uint32_t height;
    int32_t plane;
};

class PreviewPort {
public:
    using AllocateFn = void* (*)(uint32_t byteCount);  // PluginAlloc: zero-filled, null on failure
    using ReleaseFn = void (*)(void* block);  // PluginFree: null and unknown blocks ignored

    virtual ~PreviewPort() = default;

    // The host's filterRect, imageMode and haveMask; planeCount of the run's data.
    virtual Rect FilterRect() const = 0;
    virtual int16_t ImageMode() const = 0;
    virtual bool HaveMask() const = 0;
    virtual int16_t PlaneCount() const = 0;

    // Asks the host for a pane's samples: inRect = source, inputRate = rate, outRect
    // empty; when wantMask, maskPadding 0 (if the host supports padding), maskRect =
    // source and maskRate = rate, else maskRect empty; inLoPlane 0, inHiPlane
    // planeCount - 1; then advanceState. Returns advanceState's result unchanged and,
    // on 0, fills samples from inData, inRowBytes, maskData and maskRowBytes. It does not
    // write the host's result word: the dialog does that with SetHostResult.
    virtual OSErr RequestPane(const PaneRequest& request, PaneSamples* samples) = 0;

    // The host's displayPixels, with the platform's paint context.
    virtual OSErr DisplayPixels(const PSPixelMap& source, const VRect& bounds, int32_t row,
                                int32_t column, void* platformContext) = 0;

    // The host's abortProc; the dialog polls it and does not use the answer.
    virtual bool PollAbort() = 0;

    // The host's result word.
    virtual OSErr HostResult() const = 0;
    virtual void SetHostResult(OSErr result) = 0;

    // PluginAlloc and PluginFree, as plain functions so that the engine takes them too.
    virtual AllocateFn Allocator() const = 0;
    virtual ReleaseFn Releaser() const = 0;

    // Called before each engine pass on a plane; nothing to do for a plain host.
    virtual void NoteEnginePass(const PreviewEnginePass& /*pass*/) {}
};
