// Which image format a file holds, told from its first bytes rather than its
// name, and which one an output's name asks for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

enum class ImageFormat { kJpeg, kPng, kTiff, kWebp, kGif };

std::optional<ImageFormat> FormatOfContents(const uint8_t* data, std::size_t size);

// From the name's extension, whatever its case (.jpg, .jpeg, .png, .tif,
// .tiff, .webp); empty for a name that names no format lumistra writes.
std::optional<ImageFormat> FormatForOutputName(const std::string& path);

// "jpeg", "png", "tiff", "webp", "gif": the words messages use.
const char* FormatName(ImageFormat format);
