#include "app/pixel_display.h"

#include "interface/plugin_constants.h"

std::vector<uint32_t> ComposeDisplayRows(const PSPixelMap& source, const VRect& sourceRect) {
    const bool rgb = source.imageMode == plugInModeRGBColor;
    if ((!rgb && source.imageMode != plugInModeGrayScale) || source.baseAddr == nullptr) return {};
    // Version 3 maps say their depth; older ones are 8-bit.
    if (source.version >= 3 && source.depth != 8) return {};
    const VRect& bounds = source.bounds;
    if (sourceRect.left >= sourceRect.right || sourceRect.top >= sourceRect.bottom ||
        sourceRect.left < bounds.left || sourceRect.top < bounds.top ||
        sourceRect.right > bounds.right || sourceRect.bottom > bounds.bottom) {
        return {};
    }

    const auto* base = static_cast<const uint8_t*>(source.baseAddr);
    const auto sample = [&](int32_t x, int32_t y, int plane) -> uint32_t {
        const int64_t offset = int64_t{y - bounds.top} * source.rowBytes +
                               int64_t{x - bounds.left} * source.colBytes +
                               int64_t{plane} * source.planeBytes;
        return base[offset];
    };
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(sourceRect.right - sourceRect.left) *
                   static_cast<std::size_t>(sourceRect.bottom - sourceRect.top));
    for (int32_t y = sourceRect.top; y < sourceRect.bottom; ++y) {
        for (int32_t x = sourceRect.left; x < sourceRect.right; ++x) {
            const uint32_t red = sample(x, y, 0);
            const uint32_t green = rgb ? sample(x, y, 1) : red;
            const uint32_t blue = rgb ? sample(x, y, 2) : red;
            pixels.push_back(red << 16 | green << 8 | blue);
        }
    }
    return pixels;
}
