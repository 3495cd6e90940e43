// The pyramid's up-sampler in vectors (the scalar one is upsample.cpp), and its fusion with
// the output combination. The vector loops cover the interior of each row; the samples
// next to the edges, where neighbours are clamped, take the scalar formulas below.
// Needs simd_common.inl and sample_ops_simd.inl.

// Sample X of source row y widened to the destination width (scalar).
inline uint32_t WidenedSample(const uint8_t* row, uint32_t X, uint32_t srcWidth, bool truncate) {
    const uint32_t x = Smaller(X / 2, srcWidth - 1);
    if ((X & 1) == 0) return row[x];
    const uint32_t sum = row[x] + row[Smaller(x + 1, srcWidth - 1)];
    return truncate ? sum >> 1 : (sum + 1) >> 1;
}

inline uint8_t UpsampledSample(const uint8_t* upper, const uint8_t* lower, bool odd, uint32_t X,
                               uint32_t srcWidth, bool truncate) {
    const uint32_t a = WidenedSample(upper, X, srcWidth, truncate);
    if (!odd) return uint8_t(a);
    const uint32_t sum = a + WidenedSample(lower, X, srcWidth, truncate);
    return uint8_t(truncate ? sum >> 1 : (sum + 1) >> 1);
}

// Whether the vector loops can widen rows of a srcWidth x srcHeight plane to dstWidth x
// dstHeight: the destination holds two vectors and a bit, and the source is no larger
// than half the destination, rounded up.
template <class B>
bool UpsampleVectorsFit(uint32_t srcWidth, uint32_t srcHeight, uint32_t dstWidth,
                        uint32_t dstHeight) {
    return dstWidth >= 2 * B::kLanes + 2 && srcWidth <= (dstWidth + 1) / 2 &&
           srcHeight <= (dstHeight + 1) / 2;
}

// Row Y of the up-sampled plane into out, from source rows upper and lower.
template <class B, bool kTruncate>
void UpsampleRow(const uint8_t* upper, const uint8_t* lower, bool odd, uint32_t srcWidth,
                 uint32_t dstWidth, uint8_t* out) {
    using Reg = typename B::Reg;
    constexpr uint32_t kLanes = B::kLanes;
    auto average = [](Reg a, Reg b) {
        return kTruncate ? B::AverageDown(a, b) : B::AverageUp(a, b);
    };
    // A vector at x reads source columns x .. x + kLanes and writes 2x .. 2x + 2L - 1.
    uint32_t x = 0;
    for (; 2 * x + 2 * kLanes <= dstWidth && x + kLanes + 1 <= srcWidth; x += kLanes) {
        const Reg a = B::Load(upper + x);
        Reg even = a;
        Reg between = average(a, B::Load(upper + x + 1));
        if (odd) {
            const Reg b = B::Load(lower + x);
            even = average(a, b);
            between = average(between, average(b, B::Load(lower + x + 1)));
        }
        B::StoreInterleaved(out + 2 * x, even, between);
    }
    for (uint32_t column = 2 * x; column < dstWidth; ++column)
        out[column] = UpsampledSample(upper, lower, odd, column, srcWidth, kTruncate);
}

// Rows are produced from the last upwards. From row 4 on, an output row lies wholly past
// every source row that it or any row above it reads, so dest may begin at src; the top
// rows, which may overlap their sources, go sample by sample from the end, as every
// output depends only on source samples at the same or a lower index.
template <class B, bool kTruncate>
void UpsampleRows(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                  uint32_t dstWidth, uint32_t dstHeight) {
    const bool vectors = UpsampleVectorsFit<B>(srcWidth, srcHeight, dstWidth, dstHeight);
    for (uint32_t Y = dstHeight; Y-- > 0;) {
        const uint32_t y = Smaller(Y / 2, srcHeight - 1);
        const uint8_t* upper = src + size_t(y) * srcWidth;
        const uint8_t* lower = src + size_t(Smaller(y + 1, srcHeight - 1)) * srcWidth;
        const bool odd = (Y & 1) != 0;
        uint8_t* out = dest + size_t(Y) * dstWidth;
        if (vectors && Y >= 4) {
            UpsampleRow<B, kTruncate>(upper, lower, odd, srcWidth, dstWidth, out);
            continue;
        }
        for (uint32_t X = dstWidth; X-- > 0;)
            out[X] = UpsampledSample(upper, lower, odd, X, srcWidth, kTruncate);
    }
}

// The up-sampling of the pyramid's detail image and the output combination, row by row:
// each up-sampled row goes to the scratch row and straight into the combination, so the
// full-size detail image is never stored. src must lie apart from out.
template <class B, class D, bool kTruncate>
void UpsampleCombineRows(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight,
                         uint32_t dstWidth, uint32_t dstHeight, const uint8_t* filtered,
                         const OutputCombination& how, uint8_t* row, uint8_t* out) {
    const bool vectors = UpsampleVectorsFit<B>(srcWidth, srcHeight, dstWidth, dstHeight);
    for (uint32_t Y = 0; Y < dstHeight; ++Y) {
        const uint32_t y = Smaller(Y / 2, srcHeight - 1);
        const uint8_t* upper = src + size_t(y) * srcWidth;
        const uint8_t* lower = src + size_t(Smaller(y + 1, srcHeight - 1)) * srcWidth;
        const bool odd = (Y & 1) != 0;
        if (vectors) {
            UpsampleRow<B, kTruncate>(upper, lower, odd, srcWidth, dstWidth, row);
        } else {
            for (uint32_t X = 0; X < dstWidth; ++X)
                row[X] = UpsampledSample(upper, lower, odd, X, srcWidth, kTruncate);
        }
        const size_t offset = size_t(Y) * dstWidth;
        if (how.ramp != nullptr)
            CombineOutputRampWith<B>(filtered + offset, row, *how.ramp, out + offset, dstWidth);
        else if (how.table != nullptr)
            LookUpWith<B>(how.table, row, filtered + offset, out + offset, dstWidth);
        else
            CombineOutputWith<D>(filtered + offset, how.filteredCoef, row, how.detailCoef,
                                 out + offset, dstWidth);
    }
}

template <class B, class D>
void UpsampleCombineOutputWith(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight,
                               uint32_t dstWidth, uint32_t dstHeight, float gain,
                               const uint8_t* filtered, const OutputCombination& how, uint8_t* row,
                               uint8_t* out) {
    if (srcWidth == 0 || srcHeight == 0) return;
    const size_t count = size_t(dstWidth) * dstHeight;
    LUMISTRA_ASSERT(BytesApart(src, size_t(srcWidth) * srcHeight, out, count) &&
                    BytesApart(row, dstWidth, out, count) &&
                    BytesApart(row, dstWidth, filtered, count) &&
                    SameOrApart(filtered, out, count));
    if (gain == 1.0f)
        UpsampleCombineRows<B, D, true>(src, srcWidth, srcHeight, dstWidth, dstHeight, filtered,
                                        how, row, out);
    else
        UpsampleCombineRows<B, D, false>(src, srcWidth, srcHeight, dstWidth, dstHeight, filtered,
                                         how, row, out);
}

template <class B>
void UpsamplePlane(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                   uint32_t dstWidth, uint32_t dstHeight, float gain) {
    if (srcWidth == 0 || srcHeight == 0) return;
    LUMISTRA_ASSERT(dest == src || BytesApart(src, size_t(srcWidth) * srcHeight, dest,
                                              size_t(dstWidth) * dstHeight));
    if (gain == 1.0f)
        UpsampleRows<B, true>(src, srcWidth, srcHeight, dest, dstWidth, dstHeight);
    else
        UpsampleRows<B, false>(src, srcWidth, srcHeight, dest, dstWidth, dstHeight);
}
