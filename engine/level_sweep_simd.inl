// A whole level's filtering in one sweep down the rows, in vectors (the stages one by one
// are level_stages_simd.inl). Needs level_stages_simd.inl and downsample_simd.inl.
//
// The stages of a level each need a few rows of the stage before: the running maximum
// of the differences nine rows either side, the running minimum of the maxima eight. So
// instead of passing over whole planes stage by stage, the sweep keeps the row maxima of
// the rows that the next group of output rows needs and the row minima of the maxima in
// two rings, and finishes output rows as soon as their rows are there. Only the input,
// the median (kept in the output plane) and the output leave the cache; the values
// computed are those of the stages.

// Rows are finished kSweepGroup at a time: the window rows that every row of a group sees
// are reduced once. A divisor of 8, so that groups of minima end where a group of output
// rows needs them.
constexpr uint32_t kSweepGroup = 8;
constexpr uint32_t kMaxRingRows = 18 + kSweepGroup;  // the maximum windows of a group
constexpr uint32_t kMinRingRows = 16 + kSweepGroup;  // the minimum windows of a group
static_assert((kMaxRingRows + kMinRingRows) == LevelSweepRingBytes(1), "the rings' size");

// The extremes of kGroup windows of kWindow rows, window j being rows j .. j + kWindow - 1
// of rows, at column x. The rows all windows share are reduced first; the ones each
// window has on its own are taken from running extremes outwards from that core.
template <class B, class X, int kGroup, int kWindow>
void GroupExtremes(const uint8_t* const* rows, uint32_t x, typename B::Reg out[kGroup]) {
    using Reg = typename B::Reg;
    static_assert(kGroup >= 2 && kGroup <= kWindow, "windows overlap");
    constexpr int kCoreLast = kWindow - 1;
    Reg above = B::Load(rows[kGroup - 1] + x);
    for (int k = kGroup; k <= kCoreLast; ++k) above = X::Of(above, B::Load(rows[k] + x));
    Reg upper[kGroup];  // upper[j]: rows j .. kCoreLast
    upper[kGroup - 1] = above;
    for (int j = kGroup - 2; j >= 0; --j) upper[j] = X::Of(upper[j + 1], B::Load(rows[j] + x));
    out[0] = upper[0];
    Reg below = B::Load(rows[kCoreLast + 1] + x);  // rows kCoreLast + 1 .. kCoreLast + j
    for (int j = 1; j < kGroup; ++j) {
        if (j > 1) below = X::Of(below, B::Load(rows[kCoreLast + j] + x));
        out[j] = X::Of(upper[j], below);
    }
}

template <class Wide, class Narrow, class Weigh>
class LevelSweep {
public:
    using Reg = typename Wide::Reg;
    static constexpr uint32_t kLanes = Wide::kLanes;

    LevelSweep(const uint8_t* input, uint32_t width, uint32_t height, const uint8_t* scaled,
               const WeightRamp* scaledRamp, const Weigh& weigh, uint8_t* rings, uint8_t* output,
               uint8_t* down)
        : input_(input),
          width_(width),
          height_(height),
          scaled_(scaled),
          scaledRamp_(scaledRamp),
          weigh_(weigh),
          maxRing_(rings),
          minRing_(rings + size_t(kMaxRingRows) * width),
          output_(output),
          down_(down) {}

    void Run() {
        uint32_t maxRows = 0, minRows = 0;  // rows of each ring produced so far
        for (uint32_t y = 0; y < height_; y += kSweepGroup) {
            for (; minRows <= Smaller(y + kSweepGroup + 7, height_ - 1); minRows += kSweepGroup) {
                const uint32_t needed = Smaller(minRows + kSweepGroup + 8, height_ - 1);
                for (; maxRows <= needed; ++maxRows) RowMaxima(maxRows);
                // The ring still holds the first row of the group's windows, nine above it.
                LUMISTRA_ASSERT(int64_t(maxRows) <= int64_t(minRows) - 9 + kMaxRingRows);
                RowMinimaOfMaxima(minRows);
            }
            // Likewise the minimum ring the first row of this group's windows, eight above.
            LUMISTRA_ASSERT(int64_t(minRows) <= int64_t(y) - 8 + kMinRingRows);
            FinishRows(y);
            if (down_ != nullptr) HalveFinishedRows(Smaller(y + kSweepGroup, height_));
        }
    }

private:
    uint8_t* MaxRow(int64_t y) const {
        return maxRing_ + size_t(ClampIndex(y, height_) % kMaxRingRows) * width_;
    }
    uint8_t* MinRow(int64_t y) const {
        return minRing_ + size_t(ClampIndex(y, height_) % kMinRingRows) * width_;
    }
    uint32_t RowsFrom(uint32_t y) const { return Smaller(kSweepGroup, height_ - y); }

    // The median of row y into the output plane (unless it is there already); the
    // differences of input and median, scaled, and their row maxima into the ring.
    void RowMaxima(uint32_t y) {
        // Median rows come two at a time where both windows fit inside the plane.
        if (y >= medianRows_) {
            if (MedianPairFits(y, width_, height_)) {
                MedianRowPair<Wide, Narrow>(input_, width_, y, output_);
                medianRows_ = y + 2;
            } else {
                MedianRow<Wide, Narrow>(input_, width_, height_, y, output_);
                medianRows_ = y + 1;
            }
        }
        const size_t offset = size_t(y) * width_;
        uint8_t* row = MaxRow(y);
        uint32_t x = 0;
        for (; x + kLanes <= width_; x += kLanes) {
            Reg difference =
                Wide::AbsDiff(Wide::Load(input_ + offset + x), Wide::Load(output_ + offset + x));
            if (scaledRamp_ != nullptr) difference = Wide::RampWeights(difference, *scaledRamp_);
            Wide::Store(row + x, difference);
        }
        sample_ops::AbsDifference(input_ + offset + x, output_ + offset + x, row + x, width_ - x);
        // The samples past the last whole vector, and all of them when the scaling has no
        // ramp form.
        if (scaled_ != nullptr)
            for (x = scaledRamp_ != nullptr ? x : 0; x < width_; ++x) row[x] = scaled_[row[x]];
        ExtremeRow<Wide, 9, true>(row, row, width_, maxStrips_);
    }

    // The column maxima of the group of rows from y (rows y - 9 .. y + group + 8 of the
    // ring) and their row minima. The last vector is moved left to end at the row's end;
    // it recomputes a few columns with the same values.
    void RowMinimaOfMaxima(uint32_t y) {
        const uint8_t* window[kMaxRingRows];
        for (uint32_t k = 0; k < kMaxRingRows; ++k) window[k] = MaxRow(int64_t(y) + k - 9);
        const uint32_t rows = RowsFrom(y);
        uint8_t* out[kSweepGroup];
        for (uint32_t j = 0; j < rows; ++j) out[j] = MinRow(y + j);
        for (uint32_t x0 = 0; x0 < width_; x0 += kLanes) {
            const uint32_t x = Smaller(x0, width_ - kLanes);
            Reg e[kSweepGroup];
            GroupExtremes<Wide, Extreme<Wide, true>, kSweepGroup, 19>(window, x, e);
            for (uint32_t j = 0; j < rows; ++j) Wide::Store(out[j] + x, e[j]);
        }
        for (uint32_t j = 0; j < rows; ++j)
            ExtremeRow<Wide, 8, false>(out[j], out[j], width_, minStrips_);
    }

    // The column minima of the group of rows from y (rows y - 8 .. y + group + 7 of the
    // ring), their weights and the blend of input and median over the median in the
    // output plane. A last vector that overlaps the one before it is computed first, from
    // the median as it was.
    void FinishRows(uint32_t y) {
        const uint8_t* window[kMinRingRows];
        for (uint32_t k = 0; k < kMinRingRows; ++k) window[k] = MinRow(int64_t(y) + k - 8);
        const uint32_t rows = RowsFrom(y);
        auto blended = [&](uint32_t x, Reg out[kSweepGroup]) {
            Reg m[kSweepGroup];
            GroupExtremes<Wide, Extreme<Wide, false>, kSweepGroup, 17>(window, x, m);
            for (uint32_t j = 0; j < rows; ++j) {
                const size_t at = size_t(y + j) * width_ + x;
                out[j] = Wide::Blend(Wide::Load(input_ + at), Wide::Load(output_ + at),
                                     weigh_.Vector(output_ + at, m[j]));
            }
        };
        const uint32_t last = width_ - kLanes;
        Reg tail[kSweepGroup], v[kSweepGroup];
        blended(last, tail);
        for (uint32_t x = 0; x + kLanes <= width_; x += kLanes) {
            blended(x, v);
            for (uint32_t j = 0; j < rows; ++j)
                Wide::Store(output_ + size_t(y + j) * width_ + x, v[j]);
        }
        for (uint32_t j = 0; j < rows; ++j)
            Wide::Store(output_ + size_t(y + j) * width_ + last, tail[j]);
    }

    // The rows of the half-size image whose three output rows are finished, while they
    // are still in cache.
    void HalveFinishedRows(uint32_t finished) {
        const uint32_t downWidth = (width_ + 1) / 2, downHeight = (height_ + 1) / 2;
        for (; downRows_ < downHeight && Smaller(2 * downRows_ + 1, height_ - 1) < finished;
             ++downRows_)
            DownsampleRow<Wide>(output_, width_, height_, downRows_,
                                down_ + size_t(downRows_) * downWidth, downWidth);
    }

    const uint8_t* input_;
    uint32_t width_, height_;
    const uint8_t* scaled_;
    const WeightRamp* scaledRamp_;
    Weigh weigh_;
    uint8_t* maxRing_;
    uint8_t* minRing_;
    uint8_t* output_;
    uint8_t* down_;
    uint32_t downRows_ = 0;    // rows of the half-size image written
    uint32_t medianRows_ = 0;  // rows of the median in the output plane
    RowStrips<Wide, 9> maxStrips_ = {};
    RowStrips<Wide, 8> minStrips_ = {};
};

// Needs a plane at least one wide vector across and rings of LevelSweepRingBytes(width).
template <class Wide, class Narrow>
bool LevelSweepWith(const uint8_t* input, uint32_t width, uint32_t height, const uint8_t* scaled,
                    const WeightRamp* scaledRamp, const uint8_t* weightTable,
                    const WeightRamp* ramp, uint8_t* rings, uint8_t* output, uint8_t* down) {
    if (width < Wide::kLanes || height == 0) return false;
    const size_t count = size_t(width) * height;
    const size_t ringBytes = size_t(LevelSweepRingBytes(width));
    LUMISTRA_ASSERT(BytesApart(rings, ringBytes, input, count) &&
                    BytesApart(rings, ringBytes, output, count) &&
                    BytesApart(input, count, output, count));
    const size_t downBytes = size_t((width + 1) / 2) * ((height + 1) / 2);
    LUMISTRA_ASSERT(down == nullptr || (BytesApart(down, downBytes, output, count) &&
                                        BytesApart(down, downBytes, rings, ringBytes)));
    if (weightTable != nullptr) {
        LevelSweep<Wide, Narrow, TableWeights<Wide>>(input, width, height, scaled, scaledRamp,
                                                     TableWeights<Wide>{weightTable}, rings, output,
                                                     down)
            .Run();
    } else {
        LevelSweep<Wide, Narrow, RampWeights<Wide>>(input, width, height, scaled, scaledRamp,
                                                    RampWeights<Wide>{*ramp}, rings, output, down)
            .Run();
    }
    return true;
}
