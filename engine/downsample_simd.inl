// The pyramid's down-sampler in vectors (the scalar one is downsample.cpp). The vector
// loops cover the interior of each row; the samples next to the edges, where neighbours
// are clamped, take the scalar formulas below. Needs simd_common.inl.

inline uint32_t HalveAlongRow(const uint8_t* row, uint32_t x, uint32_t width) {
    const uint32_t centre = 2 * x;
    return (row[ClampIndex(int64_t(centre) - 1, width)] + 2u * row[ClampIndex(centre, width)] +
            row[ClampIndex(int64_t(centre) + 1, width)] + 2u) >>
           2;
}

// Row y of the half-size image of a srcWidth x srcHeight plane.
template <class B>
void DownsampleRow(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint32_t y,
                   uint8_t* out, uint32_t dstWidth) {
    using Reg = typename B::Reg;
    constexpr uint32_t kOutputs = B::kLanes / 2;
    const uint8_t* rows[3];
    for (int k = 0; k < 3; ++k)
        rows[k] = src + size_t(ClampIndex(int64_t(2 * y) + k - 1, srcHeight)) * srcWidth;
    auto scalar = [&](uint32_t x) {
        out[x] =
            uint8_t((HalveAlongRow(rows[0], x, srcWidth) + 2 * HalveAlongRow(rows[1], x, srcWidth) +
                     HalveAlongRow(rows[2], x, srcWidth) + 2) >>
                    2);
    };
    // A vector at x reads source columns 2x - 1 .. 2x + kLanes - 1.
    uint32_t x = 0;
    if (dstWidth > 0) scalar(x++);
    for (; x + kOutputs <= dstWidth && 2 * x + B::kLanes <= srcWidth; x += kOutputs) {
        Reg sum[3];
        for (int k = 0; k < 3; ++k) {
            const Reg centred = B::Load(rows[k] + 2 * x);
            const Reg left = B::EvenBytes(B::Load(rows[k] + 2 * x - 1));
            const Reg middle = B::EvenBytes(centred);
            sum[k] = B::QuarterWordsUp(
                B::AddWords(B::AddWords(left, B::OddBytes(centred)), B::AddWords(middle, middle)));
        }
        const Reg vertical = B::QuarterWordsUp(
            B::AddWords(B::AddWords(sum[0], sum[2]), B::AddWords(sum[1], sum[1])));
        B::StoreWordsAsBytes(out + x, vertical);
    }
    for (; x < dstWidth; ++x) scalar(x);
}

template <class B>
void DownsamplePlane(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                     uint32_t dstWidth, uint32_t dstHeight) {
    if (srcWidth == 0 || srcHeight == 0) return;
    // dest also holds the intermediate of the scalar path, a half row per source row.
    LUMISTRA_ASSERT(dstWidth == (srcWidth + 1) / 2 && dstHeight == (srcHeight + 1) / 2);
    LUMISTRA_ASSERT(
        BytesApart(src, size_t(srcWidth) * srcHeight, dest, size_t(dstWidth) * dstHeight));
    for (uint32_t y = 0; y < dstHeight; ++y)
        DownsampleRow<B>(src, srcWidth, srcHeight, y, dest + size_t(y) * dstWidth, dstWidth);
}
