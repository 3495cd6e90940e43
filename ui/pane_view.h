// The state of the dialog's two image panes and of the preview's zoom, in the host's
// 16-bit coordinates.
#pragma once

#include <cstdint>

#include "interface/plugin_types.h"

enum PreviewMode : int32_t {
    PreviewAfter = 101,   // the filtered copy is shown
    PreviewBefore = 103,  // the unfiltered copy is shown
};

// One pane: the preview (control 1039) or the navigator (control 1028).
struct PaneView {
    int32_t controlId = 0;
    // The region requested from the host, in sampled coordinates (document / rate).
    Rect source = {};
    Fixed rate = 0;  // whole rates only: the integer part in the high 16 bits
    // Where the pane's pixels are drawn, in dialog client coordinates.
    Rect display = {};
    // Pixel size of the buffers, fixed at dialog start.
    int16_t width = 0;
    int16_t height = 0;
    // width * height pixels of planeCount interleaved bytes each.
    uint8_t* displayBuffer = nullptr;
    uint8_t* unfilteredBuffer = nullptr;  // preview only
    uint8_t* filteredBuffer = nullptr;    // preview only
    // One byte per pixel, rows of width bytes; used only when the host has a mask.
    uint8_t* maskBuffer = nullptr;
};

constexpr int32_t kZoomLevelCount = 15;
constexpr int16_t kHighestZoomLimit = 14;

struct ZoomState {
    int16_t level = 0;    // 0 shows the whole filter area
    int16_t highest = 0;  // one preview pixel is one image pixel
    // Top-left of the previewed region in document coordinates.
    int16_t viewTop = 0;
    int16_t viewLeft = 0;
    // The region's size in image pixels at each level.
    int16_t regionH[kZoomLevelCount] = {};
    int16_t regionW[kZoomLevelCount] = {};
    // How far the view origin moves between levels i - 1 and i (entry 0 unused).
    int16_t halfStepV[kZoomLevelCount] = {};
    int16_t halfStepH[kZoomLevelCount] = {};
};

// The whole part of a 16.16 rate.
inline int32_t WholeRate(Fixed rate) { return rate >> 16; }
