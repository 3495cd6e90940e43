// What a host keeps of one displayPixels call: the map's description and a
// copy of the pixels (and mask) it was asked to draw, so that nothing refers
// to the plug-in's memory once the call has returned.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "interface/pixel_map.h"

struct DisplayCopy {
    // The map as passed, with its pointers cleared: they are not valid after
    // the call.
    PSPixelMap map{};
    VRect sourceRect{};
    int32_t destinationRow = 0;
    int32_t destinationColumn = 0;

    // The samples of sourceRect, row after row, planeCount interleaved bytes
    // per pixel (3 for RGB, 1 for greyscale).
    int32_t width = 0;
    int32_t height = 0;
    int32_t planeCount = 0;
    std::vector<uint8_t> pixels;

    // The first mask of the chain over sourceRect, one byte per pixel.
    std::optional<std::vector<uint8_t>> mask;
    int32_t maskDescription = 0;
    int32_t chainedMasks = 0;  // length of the mask chain

    uint8_t Sample(int32_t x, int32_t y, int32_t plane) const {
        return pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)) *
                          static_cast<std::size_t>(planeCount) +
                      static_cast<std::size_t>(plane)];
    }
};

// Longest mask chain a host follows; a longer one is taken to be a loop.
constexpr int32_t kMaxChainedMasks = 8;

// noErr when the map can be drawn: version 0 to 3, 8-bit RGB or greyscale,
// pixels present, a non-empty sourceRect inside the bounds, positive steps
// whose rows do not overlap, and every chained mask with data and positive
// steps (at most kMaxChainedMasks of them). paramErr otherwise.
OSErr CheckPixelMap(const PSPixelMap& source, const VRect& sourceRect);

// Precondition: CheckPixelMap(source, sourceRect) is noErr.
DisplayCopy CopyPixelMap(const PSPixelMap& source, const VRect& sourceRect, int32_t row,
                         int32_t column);
