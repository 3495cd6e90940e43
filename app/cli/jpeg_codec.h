// JPEG through libjpeg(-turbo)'s own interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/cli/image_header.h"

std::unique_ptr<ImageDecoder> MakeJpegDecoder(const uint8_t* data, std::size_t size);
