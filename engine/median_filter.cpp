#include <cstring>

#include "engine/engine_assert.h"
#include "engine/img_class.h"
#include "engine/median_window.h"

bool CopyMedianBorderRows(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    const size_t rowBytes = width;
    if (width < 5 || height < 5) {
        std::memcpy(dest, src, rowBytes * height);
        return false;
    }
    std::memcpy(dest, src, 2 * rowBytes);
    const size_t bottom = (height - 2) * rowBytes;
    std::memcpy(dest + bottom, src + bottom, 2 * rowBytes);
    return true;
}

// Scalar reference: one quickselect per output sample.
void tImgClass::MedianFilter(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                             uint32_t /*flags*/) const {
    LUMISTRA_ASSERT(BytesApart(src, size_t(width) * height, dest, size_t(width) * height));
    if (!CopyMedianBorderRows(src, width, height, dest)) return;
    uint8_t window[25];
    for (uint32_t y = 2; y + 2 < height; ++y) {
        const uint8_t* rows[5];
        for (int r = 0; r < 5; ++r) rows[r] = src + size_t(y + r - 2) * width;
        uint8_t* out = dest + size_t(y) * width;
        out[0] = rows[2][0];
        out[1] = rows[2][1];
        for (uint32_t x = 2; x + 2 < width; ++x) {
            GatherMedianWindow(rows, x, window);
            out[x] = SelectMedian(window, 25);
        }
        out[width - 2] = rows[2][width - 2];
        out[width - 1] = rows[2][width - 1];
    }
}
