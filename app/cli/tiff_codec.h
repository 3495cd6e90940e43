// TIFF through libtiff.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/cli/image_header.h"

std::unique_ptr<ImageDecoder> MakeTiffDecoder(const uint8_t* data, std::size_t size);
