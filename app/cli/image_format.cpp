#include "app/cli/image_format.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

namespace {

bool StartsWith(const uint8_t* data, std::size_t size, const char* magic, std::size_t length,
                std::size_t offset = 0) {
    return size >= offset + length && std::memcmp(data + offset, magic, length) == 0;
}

}  // namespace

std::optional<ImageFormat> FormatOfContents(const uint8_t* data, std::size_t size) {
    if (StartsWith(data, size, "\xFF\xD8\xFF", 3)) return ImageFormat::kJpeg;
    if (StartsWith(data, size, "\x89PNG\r\n\x1A\n", 8)) return ImageFormat::kPng;
    if (StartsWith(data, size, "II*\0", 4) || StartsWith(data, size, "MM\0*", 4) ||
        StartsWith(data, size, "II+\0", 4) || StartsWith(data, size, "MM\0+", 4)) {
        return ImageFormat::kTiff;
    }
    if (StartsWith(data, size, "RIFF", 4) && StartsWith(data, size, "WEBP", 4, 8))
        return ImageFormat::kWebp;
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6))
        return ImageFormat::kGif;
    return std::nullopt;
}

std::optional<ImageFormat> FormatForOutputName(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".jpg" || extension == ".jpeg" || extension == ".jpe")
        return ImageFormat::kJpeg;
    if (extension == ".png") return ImageFormat::kPng;
    if (extension == ".tif" || extension == ".tiff") return ImageFormat::kTiff;
    if (extension == ".webp") return ImageFormat::kWebp;
    return std::nullopt;
}

const char* FormatName(ImageFormat format) {
    switch (format) {
        case ImageFormat::kJpeg:
            return "jpeg";
        case ImageFormat::kPng:
            return "png";
        case ImageFormat::kTiff:
            return "tiff";
        case ImageFormat::kWebp:
            return "webp";
        case ImageFormat::kGif:
            return "gif";
    }
    return "";
}
