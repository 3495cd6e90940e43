#include "engine/img_class.h"

namespace {

struct Averager {
    bool truncate;  // halves go down at neutral gain, up otherwise
    uint8_t operator()(uint32_t a, uint32_t b) const {
        return uint8_t(truncate ? (a + b) >> 1 : (a + b + 1) >> 1);
    }
};

inline uint32_t Min(uint32_t a, uint32_t b) { return a < b ? a : b; }

// Sample X of source row y widened to the destination width.
inline uint32_t Widened(const uint8_t* row, uint32_t X, uint32_t srcWidth, Averager avg) {
    const uint32_t x = Min(X / 2, srcWidth - 1);
    if ((X & 1) == 0) return row[x];
    return avg(row[x], row[Min(x + 1, srcWidth - 1)]);
}

}  // namespace

// Linear interpolation to double size: even positions copy the source, odd positions
// average their two neighbours (the last source sample stands in for a missing one);
// rows are widened first and the vertical averages use the widened, rounded samples.
//
// The destination is produced from its last sample backwards. Every output depends only
// on source samples at the same or a lower index, so when dest begins at src's address
// no source sample is overwritten before its last use, whatever the plane's size.
void tImgClass::Upsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                         uint32_t dstWidth, uint32_t dstHeight, uint32_t /*flags*/,
                         float gain) const {
    if (srcWidth == 0 || srcHeight == 0) return;
    const Averager avg{gain == 1.0f};
    for (uint32_t Y = dstHeight; Y-- > 0;) {
        const uint32_t y = Min(Y / 2, srcHeight - 1);
        const uint8_t* upper = src + size_t(y) * srcWidth;
        uint8_t* out = dest + size_t(Y) * dstWidth;
        if ((Y & 1) == 0) {
            for (uint32_t X = dstWidth; X-- > 0;)
                out[X] = uint8_t(Widened(upper, X, srcWidth, avg));
        } else {
            const uint8_t* lower = src + size_t(Min(y + 1, srcHeight - 1)) * srcWidth;
            for (uint32_t X = dstWidth; X-- > 0;)
                out[X] = avg(Widened(upper, X, srcWidth, avg), Widened(lower, X, srcWidth, avg));
        }
    }
}
