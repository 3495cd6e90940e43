// Pixels handed to the host's displayPixels routine (natural alignment).
#pragma once

#include "interface/plugin_types.h"

struct PSPixelMask {
    PSPixelMask* next;
    void* maskData;
    int32_t rowBytes;
    int32_t colBytes;
    int32_t maskDescription;  // kSimplePSMask ... kInvertPSMask
};

// Fill through maskPhaseCol and set version to 1; later fields belong to newer
// versions and a version 1 caller leaves them alone.
struct PSPixelMap {
    int32_t version;
    VRect bounds;
    int32_t imageMode;
    int32_t rowBytes;
    int32_t colBytes;
    int32_t planeBytes;
    void* baseAddr;  // first plane, top-left pixel of bounds
    PSPixelMask* mat;
    PSPixelMask* masks;
    int32_t maskPhaseRow;
    int32_t maskPhaseCol;
    void* pixelOverlays;
    uint32_t colorManagementOptions;
    int16_t depth;
};

// On Windows platformContext is the target HDC; the top-left pixel of srcRect
// lands at (dstRow, dstCol), unscaled.
typedef OSErr(PLUGIN_CALLBACK* DisplayPixelsProc)(const PSPixelMap* source, const VRect* srcRect,
                                                  int32_t dstRow, int32_t dstCol,
                                                  void* platformContext);
