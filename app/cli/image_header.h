// What an image file holds as its header describes it, and the form in which
// the decoders hand its pixels on: rows of 8-bit samples, grey or RGB, with
// alpha last when the image has it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/document.h"

// How a JPEG's chroma planes are sampled against its luma plane.
enum class ChromaSubsampling { k444, k422, k420 };

struct ImageHeader {
    int32_t width = 0;
    int32_t height = 0;
    // What the file stores; empty for a layout no host mode describes (two
    // colour channels, five inks, ...). CMYK is decoded to RGB.
    std::optional<ColourMode> storedMode;
    int channels = 0;    // samples per decoded pixel: 1 or 3, one more for alpha
    bool alpha = false;  // the last decoded sample is alpha
    int bitsPerSample = 8;
    bool floatingPoint = false;
    bool severalImages = false;                    // pages or frames beyond the first
    std::optional<ChromaSubsampling> subsampling;  // JPEG colour images only
};

// Receives row y (top to bottom) of header.channels samples per pixel.
using RowSink = std::function<void(int32_t y, const uint8_t* samples)>;

// A decoder of one format over a file held in memory. Both calls return an
// empty string on success, else the reason in the decoder's words; a file
// that ends early or fails its checks is an error, not a partly grey picture.
class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;
    virtual std::string ReadHeader(ImageHeader* header) = 0;
    // Only after a successful ReadHeader, once.
    virtual std::string ReadRows(const RowSink& sink) = 0;
};
