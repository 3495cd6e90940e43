// Encoding the filtered image into memory, in the format the output file's
// name asks for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/cli/image_encoding.h"

// Whether the output's name names a format that can hold an image with this
// many channels. Empty when it can, else the reason.
std::string CheckOutputFormat(const std::string& path, int channels);

// Precondition: CheckOutputFormat(path, request.channels) is empty. Empty on
// success, else the reason.
std::string EncodeImage(const std::string& path, const EncodeRequest& request,
                        std::vector<uint8_t>* bytes);
