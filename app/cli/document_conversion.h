// Between decoded rows and the host's document: the mode a host would give
// the image, and the planes the filter works on, filled and read a row at a
// time so that no interleaved copy of the whole picture is kept.
#pragma once

#include <cstdint>

#include "app/cli/image_encoding.h"
#include "app/cli/image_header.h"
#include "app/document.h"

// The plugInMode... value of an image stored this way, as a host reports it
// to decide whether the filter may run.
int16_t ImageModeFor(const ImageHeader& header);

// Whether the image can become an RGB or RGBA document, by conversion where
// it is not one already (greyscale is spread to three planes, CMYK arrives
// from the decoder as RGB).
bool CanBecomeDocument(const ImageHeader& header);

// 3 for an RGB document, 4 for RGBA. Precondition: CanBecomeDocument(header).
int DocumentChannels(const ImageHeader& header);

// An empty document for the image. Precondition: CanBecomeDocument(header)
// and a valid document size.
Document MakeDocument(const ImageHeader& header);

// Puts each decoded row into the document's planes.
RowSink DocumentFiller(const ImageHeader& header, Document* document);

// The document's rows interleaved again: RGB, or RGBA with transparency.
RowSource DocumentRows(const Document& document);
