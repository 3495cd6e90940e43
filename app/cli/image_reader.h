// Reading an image file through OpenImageIO: first its header, so that an
// image the filter cannot take is refused before its pixels are decoded,
// then its pixels as 8-bit samples.
#pragma once

#include <OpenImageIO/imageio.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class ColourModel { kRgb, kRgba, kGrey, kGreyAlpha, kCmyk, kOther };

struct ImageHeader {
    int32_t width = 0;
    int32_t height = 0;
    int channels = 0;  // as decoded: a CMYK file arrives as RGB
    ColourModel model = ColourModel::kOther;
    int bitsPerSample = 8;
    bool floatingPoint = false;
    bool severalImages = false;  // pages or layers beyond the first
    std::string formatName;      // "jpeg", "png", "tiff", ...
};

class ImageReader {
public:
    // Empty on success, else the reason.
    std::string Open(const std::string& path);
    const ImageHeader& header() const { return header_; }
    // The metadata as OpenImageIO decoded it.
    const OIIO::ParamValueList& attributes() const { return input_->spec().extra_attribs; }

    // Every sample of the first image, reduced to 8 bits, header().channels
    // per pixel, rows top to bottom. A file that ends early or fails its
    // checks is an error, not a partly grey picture.
    std::string ReadPixels(std::vector<uint8_t>* pixels);

private:
    std::unique_ptr<OIIO::ImageInput> input_;
    ImageHeader header_;
};

// The first line of an OpenImageIO error, which can run over several lines.
std::string FirstLine(const std::string& text);
