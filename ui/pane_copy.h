// Copies between the host's buffers, the panes' interleaved buffers and the engine's
// single-plane working plane. Rectangles are top, left, bottom, right; in CopyRows
// left and right are byte columns, in ExtractPlane and InsertPlane the interleaved
// side's columns are pixels and the working plane's are bytes.
#pragma once

#include <cstdint>

#include "interface/plugin_types.h"

// Copies a block as wide as the narrower and as tall as the lower of the two
// rectangles, from the top-left of the source rectangle to the top-left of the
// destination rectangle.
void CopyRows(const uint8_t* source, const Rect& sourceRect, int32_t sourceStride,
              uint8_t* destination, const Rect& destinationRect, int32_t destinationStride);

// Copies one plane of an interleaved block into a single-plane block, repeating the last
// column to the right and the last row downward over what the destination has more.
void ExtractPlane(const uint8_t* source, const Rect& sourceRect, int32_t sourceStride,
                  uint8_t* destination, const Rect& destinationRect, int32_t destinationStride,
                  int32_t bytesPerPixel, int32_t planeIndex);

// Writes the top-left block of a single-plane buffer, as large as both rectangles
// allow, into one plane of an interleaved buffer.
void InsertPlane(const uint8_t* source, const Rect& sourceRect, int32_t sourceStride,
                 uint8_t* destination, const Rect& destinationRect, int32_t destinationStride,
                 int32_t bytesPerPixel, int32_t planeIndex);

// Completes a buffer of width x height pixels (rows of width * bytesPerPixel bytes)
// whose top-left filledWidth x filledHeight pixels hold samples: the last filled column
// is repeated to the right and the last filled row downward. Nothing happens when
// nothing is filled.
void ReplicateEdges(uint8_t* buffer, int32_t width, int32_t height, int32_t bytesPerPixel,
                    int32_t filledWidth, int32_t filledHeight);
