#include "engine/pyramid_layout.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr int64_t kAnyDepth = INT32_MAX;
}

uint64_t PyramidExtent(uint64_t width, uint64_t height, int64_t firstLevel, int64_t maxLevel) {
    const uint64_t w = (width + 1) / 2;
    const uint64_t h = (height + 1) / 2;
    const uint64_t n = w * h;
    uint64_t extent = std::max(2 * n, width * height);
    if (firstLevel < maxLevel && w >= 8 && h >= 8)
        extent = std::max(extent, 2 * n + PyramidExtent(w, h, firstLevel + 1, maxLevel));
    return extent;
}

bool PyramidFitsInPlane(uint32_t width, uint32_t height) {
    return PyramidExtent(width, height, 0, kAnyDepth) <= uint64_t(width) * height;
}

uint64_t PyramidOffsetInWorkB(uint32_t width, uint32_t height) {
    return ((uint64_t(width) + 1) / 2) * ((uint64_t(height) + 1) / 2);
}

uint64_t WorkBBytes(uint32_t width, uint32_t height) {
    const uint64_t planeBytes = uint64_t(width) * height;
    if (PyramidFitsInPlane(width, height)) return planeBytes;
    return std::max(planeBytes, PyramidOffsetInWorkB(width, height) +
                                    PyramidExtent(width, height, 0, kAnyDepth));
}
