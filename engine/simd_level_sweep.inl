// A whole level's filtering in one sweep down the rows, for the instruction-set files.
// Included after simd_kernels.inl, inside the same anonymous namespace.
//
// The stages of a level each need a few rows of the stage before: the running maximum
// of the differences nine rows either side, the running minimum of the maxima eight. So
// instead of passing over whole planes stage by stage, the sweep keeps the row maxima of
// the last 19 rows and the row minima of the last 17 in two rings, and finishes an output
// row as soon as its rows are there. Only the input, the median (kept in the output
// plane) and the output leave the cache; the values computed are those of the stages.

constexpr uint32_t kMaxRingRows = 19;  // rows of the running maximum's window
constexpr uint32_t kMinRingRows = 17;  // rows of the running minimum's window

template <class Wide, class Narrow, class Weigh>
class LevelSweep {
public:
    using Reg = typename Wide::Reg;
    static constexpr uint32_t kLanes = Wide::kLanes;

    LevelSweep(const uint8_t* input, uint32_t width, uint32_t height, const uint8_t* scaled,
               const Weigh& weigh, uint8_t* rings, uint8_t* output)
        : input_(input), width_(width), height_(height), scaled_(scaled), weigh_(weigh),
          maxRing_(rings), minRing_(rings + size_t(kMaxRingRows) * width), output_(output) {}

    void Run() {
        uint32_t maxRows = 0, minRows = 0;  // rows of each ring produced so far
        for (uint32_t y = 0; y < height_; ++y) {
            for (; minRows <= Smaller(y + 8, height_ - 1); ++minRows) {
                for (; maxRows <= Smaller(minRows + 9, height_ - 1); ++maxRows) RowMaxima(maxRows);
                RowMinimaOfMaxima(minRows);
            }
            FinishRow(y);
        }
    }

private:
    uint8_t* MaxRow(int64_t y) const {
        return maxRing_ + size_t(ClampIndex(y, height_) % kMaxRingRows) * width_;
    }
    uint8_t* MinRow(int64_t y) const {
        return minRing_ + size_t(ClampIndex(y, height_) % kMinRingRows) * width_;
    }

    // The median of row y into the output plane; the differences of input and median,
    // scaled, and their row maxima into the ring.
    void RowMaxima(uint32_t y) {
        MedianRow<Wide, Narrow>(input_, width_, height_, y, output_);
        const size_t offset = size_t(y) * width_;
        uint8_t* row = MaxRow(y);
        uint32_t x = 0;
        for (; x + kLanes <= width_; x += kLanes)
            Wide::Store(row + x, Wide::AbsDiff(Wide::Load(input_ + offset + x),
                                               Wide::Load(output_ + offset + x)));
        NoiseReducer::AbsDifference(input_ + offset + x, output_ + offset + x, row + x, width_ - x, 1);
        if (scaled_ != nullptr)
            for (x = 0; x < width_; ++x) row[x] = scaled_[row[x]];
        ExtremeRow<Wide, 9, true>(row, row, width_, maxStrips_);
    }

    // The column maxima of row y (rows y - 9 .. y + 9 of the ring) and their row minima.
    void RowMinimaOfMaxima(uint32_t y) {
        const uint8_t* window[kMaxRingRows];
        for (uint32_t k = 0; k < kMaxRingRows; ++k) window[k] = MaxRow(int64_t(y) + k - 9);
        uint8_t* row = MinRow(y);
        // The last vector is moved left to end at the row's end; it recomputes a few
        // columns with the same values.
        for (uint32_t x0 = 0; x0 < width_; x0 += kLanes) {
            const uint32_t x = Smaller(x0, width_ - kLanes);
            Reg e = Wide::Load(window[0] + x);
            for (uint32_t k = 1; k < kMaxRingRows; ++k) e = Wide::Max(e, Wide::Load(window[k] + x));
            Wide::Store(row + x, e);
        }
        ExtremeRow<Wide, 8, false>(row, row, width_, minStrips_);
    }

    // The column minima of row y (rows y - 8 .. y + 8 of the ring), their weights and the
    // blend of input and median over the median in the output plane. A last vector that
    // overlaps the one before it is computed first, from the median as it was.
    void FinishRow(uint32_t y) {
        const uint8_t* window[kMinRingRows];
        for (uint32_t k = 0; k < kMinRingRows; ++k) window[k] = MinRow(int64_t(y) + k - 8);
        const size_t offset = size_t(y) * width_;
        auto blended = [&](uint32_t x) {
            Reg m = Wide::Load(window[0] + x);
            for (uint32_t k = 1; k < kMinRingRows; ++k) m = Wide::Min(m, Wide::Load(window[k] + x));
            const Reg weight = weigh_.Vector(output_ + offset + x, m);
            return Wide::Blend(Wide::Load(input_ + offset + x), Wide::Load(output_ + offset + x),
                               weight);
        };
        const uint32_t last = width_ - kLanes;
        const Reg tail = blended(last);
        for (uint32_t x = 0; x + kLanes <= width_; x += kLanes)
            Wide::Store(output_ + offset + x, blended(x));
        Wide::Store(output_ + offset + last, tail);
    }

    const uint8_t* input_;
    uint32_t width_, height_;
    const uint8_t* scaled_;
    Weigh weigh_;
    uint8_t* maxRing_;
    uint8_t* minRing_;
    uint8_t* output_;
    RowStrips<Wide, 9> maxStrips_ = {};
    RowStrips<Wide, 8> minStrips_ = {};
};

// Needs a plane at least one wide vector across and rings of LevelSweepRingBytes(width).
template <class Wide, class Narrow>
bool LevelSweepWith(const uint8_t* input, uint32_t width, uint32_t height, const uint8_t* scaled,
                    const uint8_t* weightTable, const WeightRamp* ramp, uint8_t* rings,
                    uint8_t* output) {
    if (width < Wide::kLanes || height == 0) return false;
    if (weightTable != nullptr) {
        LevelSweep<Wide, Narrow, TableWeights<Wide>>(input, width, height, scaled,
                                                     TableWeights<Wide>{weightTable}, rings,
                                                     output)
            .Run();
    } else {
        LevelSweep<Wide, Narrow, RampWeights<Wide>>(input, width, height, scaled,
                                                    RampWeights<Wide>{*ramp}, rings, output)
            .Run();
    }
    return true;
}
