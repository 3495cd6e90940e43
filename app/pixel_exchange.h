// The pixel traffic of advanceState: building the interleaved buffers a
// plug-in asks for (input and mask possibly reduced by a sampling rate, parts
// outside the image filled as its padding setting says) and taking its output
// back into the image.
#pragma once

#include <cstdint>
#include <vector>

#include "app/document.h"
#include "interface/plugin_types.h"

// The planes of an image as the exchange reads them.
struct PlaneSet {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<const uint8_t*> planes;  // width * height bytes each, rows without gaps
};

PlaneSet PlanesOf(const Document& document);
PlaneSet MaskPlaneOf(const Document& document);  // precondition: the document has a mask

// One buffer handed to the plug-in: planes loPlane..hiPlane of rect, interleaved,
// rows of rowBytes bytes of which the first rowSamples carry samples.
struct ExchangeBuffer {
    Rect rect{};
    int16_t loPlane = 0;
    int16_t hiPlane = 0;
    int32_t rowSamples = 0;
    int32_t rowBytes = 0;
    PixelBytes bytes;

    int32_t Width() const { return rect.right - rect.left; }
    int32_t Height() const { return rect.bottom - rect.top; }
    int32_t PlaneCount() const { return hiPlane - loPlane + 1; }
};

// How the host reduces and pads a request.
//
// Reduction is point sampling: at a step of s full-resolution pixels (see
// SampleStep), the sample delivered at reduced position (x, y) is the
// document's sample at (floor(x * s), floor(y * s)); nothing is averaged.
// A request at a whole rate r thus gets every r-th sample of every r-th row,
// starting at the document position rect.left * r, rect.top * r. The mask
// is reduced the same way at its own rate.
struct SamplingRules {
    Fixed rate = 1 << 16;  // as set by the plug-in; 0 counts as 1.0
    int8_t samplingSupport = 0;
    bool supportsPadding = false;
    int16_t padding = 0;  // the plug-in's padding field for this buffer
};

// Distance in full-resolution pixels between two delivered samples: the
// rate as set, rounded to a whole step by a host with integral sampling
// only, 1 where the host does not sample.
double SampleStep(const SamplingRules& rules);

// Byte written to row padding, so that writes beyond a row's samples show.
constexpr uint8_t kRowPaddingByte = 0xEE;

bool IsEmptyRect(const Rect& rect);

// Fills *buffer with planes lo..hi of rect, rect given in coordinates reduced
// by the sampling rate. Samples outside the image come from padding; a host
// without padding support fills them with 0. paramErr for a plane range
// outside the set, a padding value outside -3..255, or a request outside the
// image when the plug-in asked for an error on bounds.
OSErr BuildInputBuffer(const PlaneSet& source, const Rect& rect, int16_t loPlane, int16_t hiPlane,
                       const SamplingRules& rules, int32_t extraRowBytes, ExchangeBuffer* buffer);

// Fills *buffer with the current pixels of planes lo..hi of rect, unreduced.
// paramErr unless rect lies inside the filter rectangle and the planes exist.
OSErr BuildOutputBuffer(const Document& image, const Rect& rect, int16_t loPlane, int16_t hiPlane,
                        int32_t extraRowBytes, ExchangeBuffer* buffer);

// Writes an output buffer into *image as it is. Returns the number of
// row-padding bytes the plug-in changed.
uint32_t TakeBackOutput(const ExchangeBuffer& buffer, Document* image);

// Limits a filter's changes to the selection: each sample of *filtered
// becomes a mix of it and the original, weighted by the selection mask.
// Precondition: both documents have the same shape and original a mask.
void BlendBySelection(const Document& original, Document* filtered);
