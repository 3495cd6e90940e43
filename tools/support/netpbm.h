#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumistra {

// Binary greyscale (P5) and colour (P6) images with 8-bit samples. Both return an empty
// string on success, else a one-line description; the file appears only when complete.
std::string WritePgm(const std::string& path, const uint8_t* plane, uint32_t width,
                     uint32_t height);
// red, green and blue are separate planes of width * height bytes.
std::string WritePpm(const std::string& path, const uint8_t* red, const uint8_t* green,
                     const uint8_t* blue, uint32_t width, uint32_t height);

// A binary P5 or P6 file with 8-bit samples (maximum value 255): channels is 1 or 3, and
// samples holds width * height * channels bytes, rows without gaps.
struct NetpbmImage {
    uint32_t width = 0;
    uint32_t height = 0;
    int channels = 0;
    std::vector<uint8_t> samples;
};

// Whether the file starts as a binary greyscale or colour netpbm file does.
bool LooksLikeNetpbm(const std::string& path);
// Empty on success, else a one-line description.
std::string ReadNetpbm(const std::string& path, NetpbmImage* image);

}  // namespace lumistra
