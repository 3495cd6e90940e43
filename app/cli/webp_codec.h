// WebP through libwebp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/cli/image_header.h"

std::unique_ptr<ImageDecoder> MakeWebpDecoder(const uint8_t* data, std::size_t size);
