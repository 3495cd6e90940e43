// A level's stages around the running extremes in vectors (the scalar ones are
// level_stages.cpp and the scalar path in kernel_paths.cpp): the median with the
// differences and their maximum, and the minimum with the weights and the blend.
// Needs median_filter_simd.inl, running_extreme_simd.inl and sample_ramps.h.

// The first stages of a level in one sweep over the rows: the median row, the absolute
// difference of input and median (mapped through scaled, the results of ScaleClamp, unless
// null), and the row pass of the running maximum over it, while the rows are in cache.
// The column pass of the maximum follows.
template <class Wide, class Narrow>
void MedianDifferenceMaxPlane(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* median,
                              uint8_t* difference, const uint8_t* scaled) {
    const size_t count = size_t(width) * height;
    LUMISTRA_ASSERT(BytesApart(src, count, median, count) &&
                    BytesApart(src, count, difference, count) &&
                    BytesApart(median, count, difference, count));
    if (width == 0 || height == 0) return;
    RowStrips<Wide, 9> strips = {};
    for (uint32_t y = 0; y < height; ++y) {
        MedianRow<Wide, Narrow>(src, width, height, y, median);
        const size_t offset = size_t(y) * width;
        uint8_t* row = difference + offset;
        size_t i = 0;
        for (; i + Wide::kLanes <= width; i += Wide::kLanes)
            Wide::Store(row + i, Wide::AbsDiff(Wide::Load(src + offset + i),
                                               Wide::Load(median + offset + i)));
        sample_ops::AbsDifference(src + offset + i, median + offset + i, row + i, width - i);
        if (scaled != nullptr)
            for (uint32_t x = 0; x < width; ++x) row[x] = scaled[row[x]];
        ExtremeRow<Wide, 9, true>(row, row, width, strips);
    }
    ExtremeColumns<Wide, 9, true>(difference, width, height);
}

// The last stages of a level in one sweep: the running minimum of difference (whose row
// pass runs in place first), the weight of each minimum, and the blend of median and
// input over the median. The minima themselves are never stored, so the column pass
// reads difference as it is. Weigh gives the weights of a vector of minima (Vector) or of
// one (One), from the minima and the median at their place.
template <class B, class Weigh>
void MinimumBlendPlane(uint8_t* difference, uint32_t width, uint32_t height, const uint8_t* input,
                       uint8_t* median, const Weigh& weigh) {
    const size_t count = size_t(width) * height;
    LUMISTRA_ASSERT(BytesApart(difference, count, median, count) &&
                    BytesApart(difference, count, input, count) &&
                    SameOrApart(input, median, count));
    using Reg = typename B::Reg;
    constexpr int kRadius = 8;
    constexpr uint32_t kLanes = B::kLanes;
    if (width == 0 || height == 0) return;
    {
        RowStrips<B, kRadius> strips = {};
        for (uint32_t y = 0; y < height; ++y) {
            uint8_t* row = difference + size_t(y) * width;
            ExtremeRow<B, kRadius, false>(row, row, width, strips);
        }
    }
    // Rows are taken in pairs: the 16 window rows the two share are reduced once.
    auto blend = [&](size_t offset, uint32_t x, Reg minimum) {
        const Reg weight = weigh.Vector(median + offset + x, minimum);
        B::Store(median + offset + x,
                 B::Blend(B::Load(input + offset + x), B::Load(median + offset + x), weight));
    };
    for (uint32_t y = 0; y < height; y += 2) {
        const bool pair = y + 1 < height;
        const uint8_t* window[2 * kRadius + 2];  // rows y - R .. y + R + 1, clamped
        for (int k = 0; k <= 2 * kRadius + 1; ++k)
            window[k] = difference + size_t(ClampIndex(int64_t(y) + k - kRadius, height)) * width;
        const size_t offset = size_t(y) * width;
        uint32_t x = 0;
        for (; x + kLanes <= width; x += kLanes) {
            Reg shared = B::Load(window[1] + x);
            for (int k = 2; k <= 2 * kRadius; ++k) shared = B::Min(shared, B::Load(window[k] + x));
            blend(offset, x, B::Min(shared, B::Load(window[0] + x)));
            if (pair)
                blend(offset + width, x, B::Min(shared, B::Load(window[2 * kRadius + 1] + x)));
        }
        for (; x < width; ++x) {
            for (uint32_t row = 0; row < (pair ? 2u : 1u); ++row) {
                uint8_t m = window[row][x];
                for (int k = 1; k <= 2 * kRadius; ++k)
                    m = window[row + k][x] < m ? window[row + k][x] : m;
                const size_t at = offset + row * size_t(width) + x;
                const uint32_t weight = weigh.One(median[at], m);
                median[at] =
                    uint8_t((median[at] * (255u - weight) + input[at] * weight + 127u) / 255u);
            }
        }
    }
}

// Weights from the table of every (brightness, difference) pair.
template <class B>
struct TableWeights {
    const uint8_t* table;
    typename B::Reg Vector(const uint8_t* brightness, typename B::Reg minimum) const {
        alignas(64) uint8_t minima[B::kLanes];
        B::Store(minima, minimum);
        return B::LookUp(table, brightness, minima);
    }
    uint32_t One(uint8_t brightness, uint8_t minimum) const {
        return table[brightness * 256u + minimum];
    }
};

// Weights that depend on the difference alone, by their exact integer form.
template <class B>
struct RampWeights {
    WeightRamp ramp;
    typename B::Reg Vector(const uint8_t*, typename B::Reg minimum) const {
        return B::RampWeights(minimum, ramp);
    }
    uint32_t One(uint8_t, uint8_t minimum) const { return RampWeight(ramp, minimum); }
};

template <class B>
void MinimumBlendWithTable(uint8_t* difference, uint32_t width, uint32_t height,
                           const uint8_t* input, uint8_t* median, const uint8_t* weightTable) {
    MinimumBlendPlane<B>(difference, width, height, input, median, TableWeights<B>{weightTable});
}

template <class B>
void MinimumBlendWithRamp(uint8_t* difference, uint32_t width, uint32_t height,
                          const uint8_t* input, uint8_t* median, const WeightRamp& ramp) {
    MinimumBlendPlane<B>(difference, width, height, input, median, RampWeights<B>{ramp});
}
