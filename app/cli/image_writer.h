// Encoding the filtered pixels through OpenImageIO into memory, in the format
// the output file's name asks for.
#pragma once

#include <OpenImageIO/imageio.h>

#include <cstdint>
#include <string>
#include <vector>

struct EncodeRequest {
    std::string path;  // chooses the format; nothing is written there
    int32_t width = 0;
    int32_t height = 0;
    int channels = 3;  // 3: RGB, 4: RGBA
    const uint8_t* pixels = nullptr;
    int jpegQuality = 95;
    // Metadata to write through OpenImageIO itself, for formats the metadata
    // library cannot write; null when that library takes care of it.
    const OIIO::ParamValueList* attributes = nullptr;
};

// Whether the output's name names a format that can hold an image with this
// many channels. Empty when it can, else the reason.
std::string CheckOutputFormat(const std::string& path, int channels);

// Empty on success, else the reason.
std::string EncodeImage(const EncodeRequest& request, std::vector<uint8_t>* bytes);
