// Between decoded pixels and the host's document: the mode a host would give
// the image, and the planes the filter works on.
#pragma once

#include <cstdint>
#include <vector>

#include "app/document.h"
#include "app/cli/image_reader.h"

// The plugInMode... value of an image of this model, as a host reports it to
// decide whether the filter may run.
int16_t ImageModeFor(ColourModel model);

// Whether the image can become an RGB or RGBA document, by conversion where
// it is not one already (greyscale is spread to three planes, CMYK arrives
// from the reader as RGB).
bool CanBecomeDocument(const ImageHeader& header);

// 3 for an RGB document, 4 for RGBA. Precondition: CanBecomeDocument(header).
int DocumentChannels(const ImageHeader& header);

// Precondition: CanBecomeDocument(header), a valid document size, and
// pixels holding header.channels 8-bit samples per pixel.
Document MakeDocument(const ImageHeader& header, const std::vector<uint8_t>& pixels);

// The document's planes interleaved again: RGB, or RGBA with transparency.
std::vector<uint8_t> InterleavedPixels(const Document& document);
int ChannelsOf(const Document& document);
