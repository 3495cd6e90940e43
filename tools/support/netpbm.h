#pragma once

#include <cstdint>
#include <string>

namespace lumistra {

// Binary greyscale (P5) and colour (P6) images with 8-bit samples. Both return an empty
// string on success, else a one-line description; the file appears only when complete.
std::string WritePgm(const std::string& path, const uint8_t* plane, uint32_t width,
                     uint32_t height);
// red, green and blue are separate planes of width * height bytes.
std::string WritePpm(const std::string& path, const uint8_t* red, const uint8_t* green,
                     const uint8_t* blue, uint32_t width, uint32_t height);

}  // namespace lumistra
