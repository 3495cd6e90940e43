#include "engine/engine_assert.h"
#include "engine/img_class.h"
#include "engine/median_window.h"

// Eight outputs per MedianKernel8 step. A step at window start x reads up to column
// x + 11, so steps run while x + 13 < width; the two to nine columns left before the
// right border go through SelectMedian one at a time.
void tImgClass::MedianFilterPacked(const uint8_t* src, uint32_t width, uint32_t height,
                                   uint8_t* dest, uint32_t /*flags*/) const {
    LUMISTRA_ASSERT(BytesApart(src, size_t(width) * height, dest, size_t(width) * height));
    if (!CopyMedianBorderRows(src, width, height, dest)) return;
    uint8_t window[25];
    for (uint32_t y = 2; y + 2 < height; ++y) {
        const uint8_t* rows[5];
        for (int r = 0; r < 5; ++r) rows[r] = src + size_t(y + r - 2) * width;
        uint8_t* out = dest + size_t(y) * width;
        out[0] = rows[2][0];
        out[1] = rows[2][1];
        uint32_t x = 0;
        for (; x + 13 < width; x += 8)
            MedianKernel8(rows[0] + x, rows[1] + x, rows[2] + x, rows[3] + x, rows[4] + x, out + x,
                          8);
        for (uint32_t column = x + 2; column + 2 < width; ++column) {
            GatherMedianWindow(rows, column, window);
            out[column] = SelectMedian(window, 25);
        }
        out[width - 2] = rows[2][width - 2];
        out[width - 1] = rows[2][width - 1];
    }
}
