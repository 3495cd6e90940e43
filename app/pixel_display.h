// Drawing what a plug-in hands to the host's displayPixels routine: 8-bit
// RGB or greyscale pixels, one plane after another, shown unscaled.
#pragma once

#include <cstdint>
#include <vector>

#include "interface/pixel_map.h"

// The pixels of sourceRect as 0x00RRGGBB values, row after row from the top.
// An RGB map gives planes 0, 1 and 2; a greyscale map plane 0 for all three.
// Empty when the map cannot be drawn: another mode or depth, no pixels, or a
// rectangle that is empty or not inside the map's bounds.
std::vector<uint32_t> ComposeDisplayRows(const PSPixelMap& source, const VRect& sourceRect);

// Draws sourceRect of the map with its top-left pixel at (row, column) of the
// platform's drawing surface. On Windows platformContext is the device context;
// elsewhere there is no surface and only the map is checked. paramErr when the
// map cannot be drawn or there is nothing to draw on.
OSErr DrawPixelMap(const PSPixelMap& source, const VRect& sourceRect, int32_t row, int32_t column,
                   void* platformContext);
