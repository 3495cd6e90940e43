#include "app/display_copy.h"

#include "interface/plugin_constants.h"

namespace {

constexpr int32_t kLastMaskDescription = 4;  // inverted

int32_t PlaneCountOf(const PSPixelMap& map) { return map.imageMode == plugInModeRGBColor ? 3 : 1; }

bool MaskIsUsable(const PSPixelMask& mask, int32_t width) {
    return mask.maskData != nullptr && mask.colBytes >= 1 &&
           int64_t{mask.rowBytes} >= int64_t{width} * mask.colBytes && mask.maskDescription >= 0 &&
           mask.maskDescription <= kLastMaskDescription;
}

const uint8_t* Address(const void* base, const VRect& bounds, int32_t rowBytes, int32_t colBytes,
                       int32_t x, int32_t y) {
    return static_cast<const uint8_t*>(base) + int64_t{y - bounds.top} * rowBytes +
           int64_t{x - bounds.left} * colBytes;
}

}  // namespace

OSErr CheckPixelMap(const PSPixelMap& source, const VRect& sourceRect) {
    if (source.version < 0 || source.version > 3) return paramErr;
    if (source.imageMode != plugInModeRGBColor && source.imageMode != plugInModeGrayScale) {
        return paramErr;
    }
    // Version 3 maps say their depth; older ones are 8-bit.
    if (source.version >= 3 && source.depth != 8) return paramErr;
    if (source.baseAddr == nullptr) return paramErr;
    const VRect& bounds = source.bounds;
    if (sourceRect.left >= sourceRect.right || sourceRect.top >= sourceRect.bottom ||
        sourceRect.left < bounds.left || sourceRect.top < bounds.top ||
        sourceRect.right > bounds.right || sourceRect.bottom > bounds.bottom) {
        return paramErr;
    }
    const int64_t width = int64_t{bounds.right} - bounds.left;
    const int64_t height = int64_t{bounds.bottom} - bounds.top;
    const int32_t planes = PlaneCountOf(source);
    if (source.colBytes < 1 || source.planeBytes < 1 ||
        int64_t{source.rowBytes} < width * source.colBytes) {
        return paramErr;
    }
    // The planes are either inside each pixel or one after another.
    const bool interleaved = int64_t{source.colBytes} >= int64_t{planes} * source.planeBytes;
    const bool planar = int64_t{source.planeBytes} >= int64_t{source.rowBytes} * height;
    if (planes > 1 && !interleaved && !planar) return paramErr;

    if (source.version >= 1) {
        int32_t chained = 0;
        for (const PSPixelMask* mask = source.masks; mask != nullptr; mask = mask->next) {
            if (++chained > kMaxChainedMasks) return paramErr;
            if (!MaskIsUsable(*mask, static_cast<int32_t>(width))) return paramErr;
        }
    }
    return noErr;
}

DisplayCopy CopyPixelMap(const PSPixelMap& source, const VRect& sourceRect, int32_t row,
                         int32_t column) {
    DisplayCopy copy;
    copy.map = source;
    copy.map.baseAddr = nullptr;
    copy.map.mat = nullptr;
    copy.map.masks = nullptr;
    copy.map.pixelOverlays = nullptr;
    copy.sourceRect = sourceRect;
    copy.destinationRow = row;
    copy.destinationColumn = column;
    copy.width = sourceRect.right - sourceRect.left;
    copy.height = sourceRect.bottom - sourceRect.top;
    copy.planeCount = PlaneCountOf(source);
    copy.pixels.reserve(static_cast<std::size_t>(copy.width) *
                        static_cast<std::size_t>(copy.height) *
                        static_cast<std::size_t>(copy.planeCount));
    for (int32_t y = sourceRect.top; y < sourceRect.bottom; ++y) {
        for (int32_t x = sourceRect.left; x < sourceRect.right; ++x) {
            const uint8_t* pixel =
                Address(source.baseAddr, source.bounds, source.rowBytes, source.colBytes, x, y);
            for (int32_t plane = 0; plane < copy.planeCount; ++plane) {
                copy.pixels.push_back(pixel[int64_t{plane} * source.planeBytes]);
            }
        }
    }
    if (source.version < 1 || source.masks == nullptr) return copy;

    for (const PSPixelMask* mask = source.masks; mask != nullptr; mask = mask->next) {
        ++copy.chainedMasks;
    }
    const PSPixelMask& first = *source.masks;
    copy.maskDescription = first.maskDescription;
    std::vector<uint8_t> mask;
    mask.reserve(static_cast<std::size_t>(copy.width) * static_cast<std::size_t>(copy.height));
    for (int32_t y = sourceRect.top; y < sourceRect.bottom; ++y) {
        for (int32_t x = sourceRect.left; x < sourceRect.right; ++x) {
            mask.push_back(
                *Address(first.maskData, source.bounds, first.rowBytes, first.colBytes, x, y));
        }
    }
    copy.mask = std::move(mask);
    return copy;
}
