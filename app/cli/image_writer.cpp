#include "app/cli/image_writer.h"

#include <optional>

#include "app/cli/image_format.h"

std::string CheckOutputFormat(const std::string& path, int channels) {
    const std::optional<ImageFormat> format = FormatForOutputName(path);
    if (!format)
        return "the name does not say which image format to write (use .jpg, .png, .tif or .webp)";
    if (channels == 4 && *format == ImageFormat::kJpeg) {
        return std::string(FormatName(*format)) +
               " files cannot keep the transparency of this image; write a .png or .tif instead";
    }
    return {};
}

std::string EncodeImage(const std::string& path, const EncodeRequest& request,
                        std::vector<uint8_t>* bytes) {
    switch (FormatForOutputName(path).value_or(ImageFormat::kPng)) {
        case ImageFormat::kJpeg:
            return EncodeJpeg(request, bytes);
        case ImageFormat::kTiff:
            return EncodeTiff(request, bytes);
        case ImageFormat::kWebp:
            return EncodeWebp(request, bytes);
        case ImageFormat::kPng:
        case ImageFormat::kGif:
            break;
    }
    return EncodePng(request, bytes);
}
