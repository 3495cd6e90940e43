// Kernels written once over a vector type and included, inside an anonymous namespace,
// by each instruction-set file (kernels_sse2.cpp, kernels_avx2.cpp). Every template is
// then instantiated with that file's own types only, so code built for a wider
// instruction set can never stand in for a narrower one at link time.
//
// A byte vector type B offers: Reg, kLanes, Load and Store (unaligned), Splat, Min, Max,
// AbsDiff, AddDifferenceClamped and Blend (the exact BlendByWeight of one vector), and
// for the resamplers, look-ups and ramps the operations their templates name. A double
// vector type D offers: Reg, kLanes, Splat, Add, Sub, Mul, LoadPair (2 * kLanes samples
// less a bias, in two vectors) and StorePair (ToSample of the lanes of two vectors, as
// 2 * kLanes bytes).
//
// Needs <cstring>, <cstdint>, median_columns.h, img_class.h, noise_reducer.h and
// sample_ramps.h.

// One byte per "vector": the tail of a plane too narrow for any wider type.
struct OneByte {
    using Reg = uint8_t;
    static constexpr uint32_t kLanes = 1;
    static Reg Load(const uint8_t* p) { return *p; }
    static void Store(uint8_t* p, Reg v) { *p = v; }
    static Reg Min(Reg a, Reg b) { return a < b ? a : b; }
    static Reg Max(Reg a, Reg b) { return a < b ? b : a; }
};

template <class T>
constexpr T Smaller(T a, T b) { return a < b ? a : b; }

inline uint32_t ClampIndex(int64_t i, uint32_t count) {
    return i < 0 ? 0 : i >= int64_t(count) ? count - 1 : uint32_t(i);
}

// ---------------------------------------------------------------------------------------
// Centre-weighted median. Each column of the window is sorted once per row and kept in
// a strip on the stack; every output then merges five sorted columns read at offsets.

constexpr uint32_t kMedianChunk = 256;  // output columns per strip

// Needs width >= B::kLanes + 4. Writes columns 2 .. width - 3 of out.
template <class B>
void MedianRowWith(const uint8_t* const rows[5], uint32_t width, uint8_t* out) {
    using Reg = typename B::Reg;
    constexpr uint32_t kLanes = B::kLanes;
    constexpr uint32_t kStrip = kMedianChunk + kLanes + 4;
    alignas(64) uint8_t three[3][kStrip];
    alignas(64) uint8_t five[5][kStrip];
    const uint32_t end = width - 2;  // one past the last output column
    for (uint32_t x0 = 2; x0 < end; x0 += kMedianChunk) {
        const uint32_t chunkEnd = Smaller(x0 + kMedianChunk, end);
        // A short last chunk is moved left so that it holds one whole vector.
        const uint32_t chunkStart = Smaller(x0, end - kLanes);
        const uint32_t first = chunkStart - 2;  // column of strip index 0
        const uint32_t last = chunkEnd + 2;     // one past the last column needed
        for (uint32_t p = first; p < last; p += kLanes) {
            const uint32_t at = Smaller(p, width - kLanes);
            Reg column[5], sorted3[3], sorted5[5];
            for (int k = 0; k < 5; ++k) column[k] = B::Load(rows[k] + at);
            SortMedianColumn<B>(column, sorted3, sorted5);
            for (int k = 0; k < 3; ++k) B::Store(three[k] + (at - first), sorted3[k]);
            for (int k = 0; k < 5; ++k) B::Store(five[k] + (at - first), sorted5[k]);
        }
        for (uint32_t x = chunkStart; x < chunkEnd; x += kLanes) {
            const uint32_t at = Smaller(x, chunkEnd - kLanes);
            const uint32_t i = at - 2 - first;  // strip index of column at - 2
            Reg a[5], b[5], c[5], d[3], e[3];
            for (int k = 0; k < 5; ++k) {
                a[k] = B::Load(five[k] + i + 1);
                b[k] = B::Load(five[k] + i + 2);
                c[k] = B::Load(five[k] + i + 3);
            }
            for (int k = 0; k < 3; ++k) {
                d[k] = B::Load(three[k] + i);
                e[k] = B::Load(three[k] + i + 4);
            }
            B::Store(out + at, MedianOfSortedColumns<B>(a, b, c, d, e, B::Load(rows[2] + at)));
        }
    }
}

// Row y of the median: copied where the window does not fit, filtered elsewhere.
template <class Wide, class Narrow>
void MedianRow(const uint8_t* src, uint32_t width, uint32_t height, uint32_t y, uint8_t* dest) {
    const size_t rowBytes = width;
    uint8_t* out = dest + y * rowBytes;
    if (width < 5 || height < 5 || y < 2 || y + 2 >= height) {
        std::memcpy(out, src + y * rowBytes, rowBytes);
        return;
    }
    const uint8_t* rows[5];
    for (int r = 0; r < 5; ++r) rows[r] = src + (y + r - 2) * rowBytes;
    out[0] = rows[2][0];
    out[1] = rows[2][1];
    out[width - 2] = rows[2][width - 2];
    out[width - 1] = rows[2][width - 1];
    if (width >= Wide::kLanes + 4)
        MedianRowWith<Wide>(rows, width, out);
    else if (width >= Narrow::kLanes + 4)
        MedianRowWith<Narrow>(rows, width, out);
    else
        MedianRowWith<OneByte>(rows, width, out);
}

// Rows y and y + 1 at once (rows[0..5] are rows y - 2 .. y + 3): the sixteen pixels the
// two windows share are merged once. Needs width >= B::kLanes + 4. Writes columns
// 2 .. width - 3 of both rows.
template <class B>
void MedianRowPairWith(const uint8_t* const rows[6], uint32_t width, uint8_t* upperOut,
                       uint8_t* lowerOut) {
    using Reg = typename B::Reg;
    constexpr uint32_t kLanes = B::kLanes;
    constexpr uint32_t kStrip = kMedianChunk + kLanes + 4;
    alignas(64) uint8_t four[4][kStrip];  // rows y - 1 .. y + 2 of each column, sorted
    alignas(64) uint8_t two[2][kStrip];   // rows y and y + 1 of each column, sorted
    const uint32_t end = width - 2;
    for (uint32_t x0 = 2; x0 < end; x0 += kMedianChunk) {
        const uint32_t chunkEnd = Smaller(x0 + kMedianChunk, end);
        const uint32_t chunkStart = Smaller(x0, end - kLanes);
        const uint32_t first = chunkStart - 2;
        const uint32_t last = chunkEnd + 2;
        for (uint32_t p = first; p < last; p += kLanes) {
            const uint32_t at = Smaller(p, width - kLanes);
            Reg column[4], sorted[4];
            for (int k = 0; k < 4; ++k) column[k] = B::Load(rows[k + 1] + at);
            SortFour<B>(column, sorted);
            for (int k = 0; k < 4; ++k) B::Store(four[k] + (at - first), sorted[k]);
            B::Store(two[0] + (at - first), B::Min(column[1], column[2]));
            B::Store(two[1] + (at - first), B::Max(column[1], column[2]));
        }
        // The three samples of a row at x - 1 .. x + 1, and the two at x - 2 and x + 2,
        // sorted.
        auto ownThree = [](const uint8_t* row, uint32_t x, Reg* sorted) {
            const Reg three[3] = {B::Load(row + x - 1), B::Load(row + x), B::Load(row + x + 1)};
            SortThree<B>(three, sorted);
        };
        auto ownTwo = [](const uint8_t* row, uint32_t x, Reg* sorted) {
            const Reg left = B::Load(row + x - 2), right = B::Load(row + x + 2);
            sorted[0] = B::Min(left, right);
            sorted[1] = B::Max(left, right);
        };
        for (uint32_t x = chunkStart; x < chunkEnd; x += kLanes) {
            const uint32_t at = Smaller(x, chunkEnd - kLanes);
            const uint32_t i = at - 2 - first;  // strip index of column at - 2
            Reg p[4], q[4], r[4], e[2], f[2], a[3], b[2], c[3], d[2];
            for (int k = 0; k < 4; ++k) {
                p[k] = B::Load(four[k] + i + 1);
                q[k] = B::Load(four[k] + i + 2);
                r[k] = B::Load(four[k] + i + 3);
            }
            for (int k = 0; k < 2; ++k) {
                e[k] = B::Load(two[k] + i);
                f[k] = B::Load(two[k] + i + 4);
            }
            ownThree(rows[0], at, a);
            ownTwo(rows[1], at, b);
            ownThree(rows[5], at, c);
            ownTwo(rows[4], at, d);
            Reg upper, lower;
            MedianPairOfSortedColumns<B>(p, q, r, e, f, a, b, B::Load(rows[2] + at), c, d,
                                         B::Load(rows[3] + at), upper, lower);
            B::Store(upperOut + at, upper);
            B::Store(lowerOut + at, lower);
        }
    }
}

// Whether rows y and y + 1 of the median both have their windows inside the plane.
inline bool MedianPairFits(uint32_t y, uint32_t width, uint32_t height) {
    return y >= 2 && y + 3 < height && width >= 5;
}

// Rows y and y + 1 of the median, both with their windows inside the plane
// (MedianPairFits).
template <class Wide, class Narrow>
void MedianRowPair(const uint8_t* src, uint32_t width, uint32_t y, uint8_t* dest) {
    const size_t rowBytes = width;
    const uint8_t* rows[6];
    for (int r = 0; r < 6; ++r) rows[r] = src + (y + r - 2) * rowBytes;
    uint8_t* upper = dest + y * rowBytes;
    uint8_t* lower = upper + rowBytes;
    const uint32_t edges[4] = {0, 1, width - 2, width - 1};
    for (uint32_t x : edges) {
        upper[x] = rows[2][x];
        lower[x] = rows[3][x];
    }
    if (width >= Wide::kLanes + 4)
        MedianRowPairWith<Wide>(rows, width, upper, lower);
    else if (width >= Narrow::kLanes + 4)
        MedianRowPairWith<Narrow>(rows, width, upper, lower);
    else
        MedianRowPairWith<OneByte>(rows, width, upper, lower);
}

// Two rows at a time where both windows fit inside the plane.
template <class Wide, class Narrow>
void MedianPlane(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    for (uint32_t y = 0; y < height;) {
        if (MedianPairFits(y, width, height)) {
            MedianRowPair<Wide, Narrow>(src, width, y, dest);
            y += 2;
        } else {
            MedianRow<Wide, Narrow>(src, width, height, y, dest);
            ++y;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Running maximum and minimum over a square of side 2 * Radius + 1, edges repeated.

template <class B, bool kMax>
struct Extreme {
    using Reg = typename B::Reg;
    static Reg Of(Reg a, Reg b) { return kMax ? B::Max(a, b) : B::Min(a, b); }
};

constexpr uint32_t kExtremeChunk = 1024;  // outputs per row strip

// Row strips on the stack. Set to zero once per plane so that the vector loops, which
// run a little past the samples they need, read only initialised bytes.
template <class B, int Radius>
struct RowStrips {
    static constexpr uint32_t kSize = kExtremeChunk + 2 * Radius + 2 * B::kLanes + 16;
    alignas(64) uint8_t extended[kSize];  // the row with its edges repeated
    alignas(64) uint8_t pairs[kSize];     // extremes of 2, later of 8 neighbours
    alignas(64) uint8_t quads[kSize];     // extremes of 4 neighbours
};

// Row pass by shift-doubling: extremes of 2, 4 and 8 neighbours, then three of those
// cover the window. Rows are taken in chunks; the 2 * Radius samples that the next chunk
// still needs are carried over, so dest may equal src.
template <class B, int Radius, bool kMax>
void ExtremeRow(const uint8_t* src, uint8_t* dest, uint32_t width, RowStrips<B, Radius>& s) {
    static_assert(Radius == 8 || Radius == 9, "the doubling covers windows of 17 to 20");
    using X = Extreme<B, kMax>;
    constexpr uint32_t kLanes = B::kLanes;
    constexpr uint32_t kCarry = 2 * Radius;
    uint32_t filled = 0;  // strip samples already holding the row (the carry)
    for (uint32_t x0 = 0; x0 < width; x0 += kExtremeChunk) {
        const uint32_t n = Smaller(kExtremeChunk, width - x0);
        // Strip index i holds position x0 - Radius + i, clamped to the row.
        const int64_t origin = int64_t(x0) - Radius;
        uint32_t i = filled;
        for (; i < n + kCarry && origin + i < 0; ++i) s.extended[i] = src[0];
        if (i < n + kCarry && origin + i < int64_t(width)) {
            const uint32_t inside = uint32_t(Smaller<int64_t>(n + kCarry, width - origin) - i);
            std::memcpy(s.extended + i, src + (origin + i), inside);
            i += inside;
        }
        for (; i < n + kCarry; ++i) s.extended[i] = src[width - 1];
        for (uint32_t i = 0; i < n + kCarry - 1; i += kLanes)
            B::Store(s.pairs + i, X::Of(B::Load(s.extended + i), B::Load(s.extended + i + 1)));
        for (uint32_t i = 0; i < n + kCarry - 3; i += kLanes)
            B::Store(s.quads + i, X::Of(B::Load(s.pairs + i), B::Load(s.pairs + i + 2)));
        for (uint32_t i = 0; i < n + 8; i += kLanes)
            B::Store(s.pairs + i, X::Of(B::Load(s.quads + i), B::Load(s.quads + i + 4)));
        for (uint32_t x = 0; x < n; x += kLanes) {
            // Eights at x and x + 8 cover x .. x + 15; the rest of the window's 2R + 1 comes
            // from a quad (x + 15 .. x + 18) or a single sample (x + 16).
            const typename B::Reg rest = Radius == 9 ? B::Load(s.quads + x + 15)
                                                      : B::Load(s.extended + x + 16);
            const typename B::Reg v =
                X::Of(X::Of(B::Load(s.pairs + x), B::Load(s.pairs + x + 8)), rest);
            if (x + kLanes <= n) {
                B::Store(dest + x0 + x, v);
            } else {
                alignas(64) uint8_t lanes[kLanes];
                B::Store(lanes, v);
                std::memcpy(dest + x0 + x, lanes, n - x);
            }
        }
        std::memmove(s.extended, s.extended + n, kCarry);
        filled = kCarry;
    }
}

// Column pass, in place, in strips of up to 1024 columns (wide strips touch few pages per
// row). Output row y needs rows y - R .. y + R; the rows above it are already overwritten,
// so each row's original is kept in a ring of R rows (9 KiB at most) as it is replaced.
template <class B, int Radius, bool kMax>
void ExtremeColumns(uint8_t* plane, uint32_t width, uint32_t height) {
    using X = Extreme<B, kMax>;
    using Reg = typename B::Reg;
    constexpr uint32_t kLanes = B::kLanes;
    constexpr uint32_t kStrip = 1024;
    constexpr uint32_t kRowsAhead = 3;
    alignas(64) uint8_t above[Radius][kStrip];
    alignas(64) uint8_t lanes[kStrip] = {};
    const size_t rowBytes = width;
    for (uint32_t x0 = 0; x0 < width; x0 += kStrip) {
        const uint32_t strip = Smaller(kStrip, width - x0);
        uint8_t* column = plane + x0;
        for (int k = 0; k < Radius; ++k) std::memcpy(above[k], column, strip);  // rows -R..-1
        int oldest = 0;  // ring slot of row y - R
        for (uint32_t y = 0; y < height; ++y) {
            const uint8_t* below[Radius + 1];  // rows y .. y + R, clamped
            for (int k = 0; k <= Radius; ++k)
                below[k] = column + size_t(Smaller<uint32_t>(y + k, height - 1)) * rowBytes;
            uint8_t* out = column + size_t(y) * rowBytes;
            // The entering row has not been read yet; ask for the ones after it early.
            const uint8_t* ahead =
                column + size_t(Smaller<uint32_t>(y + Radius + kRowsAhead, height - 1)) * rowBytes;
            for (uint32_t v = 0; v < strip; v += 64) __builtin_prefetch(ahead + v);
            for (uint32_t v = 0; v < strip; v += kLanes) {
                const bool whole = v + kLanes <= strip;
                if (!whole) std::memcpy(lanes, out + v, strip - v);
                const Reg original = B::Load(whole ? out + v : lanes);
                Reg e = original;
                for (int k = 0; k < Radius; ++k) e = X::Of(e, B::Load(above[k] + v));
                for (int k = 1; k <= Radius; ++k) {
                    if (whole) {
                        e = X::Of(e, B::Load(below[k] + v));
                    } else {
                        std::memcpy(lanes, below[k] + v, strip - v);
                        e = X::Of(e, B::Load(lanes));
                    }
                }
                B::Store(above[oldest] + v, original);
                if (whole) {
                    B::Store(out + v, e);
                } else {
                    B::Store(lanes, e);
                    std::memcpy(out + v, lanes, strip - v);
                }
            }
            oldest = oldest + 1 == Radius ? 0 : oldest + 1;
        }
    }
}

template <class B, int Radius, bool kMax>
void ExtremePlane(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest) {
    if (width == 0 || height == 0) return;
    RowStrips<B, Radius> strips = {};
    for (uint32_t y = 0; y < height; ++y)
        ExtremeRow<B, Radius, kMax>(src + size_t(y) * width, dest + size_t(y) * width, width,
                                    strips);
    ExtremeColumns<B, Radius, kMax>(dest, width, height);
}

// The first stages of a level in one sweep over the rows: the median row, the absolute
// difference of input and median (mapped through scaled, the results of ScaleClamp, unless
// null), and the row pass of the running maximum over it, while the rows are in cache.
// The column pass of the maximum follows.
template <class Wide, class Narrow>
void MedianDifferenceMaxPlane(const uint8_t* src, uint32_t width, uint32_t height,
                              uint8_t* median, uint8_t* difference, const uint8_t* scaled) {
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
        NoiseReducer::AbsDifference(src + offset + i, median + offset + i, row + i, width - i, 1);
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
void MinimumBlendPlane(uint8_t* difference, uint32_t width, uint32_t height,
                       const uint8_t* input, uint8_t* median, const Weigh& weigh) {
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
            if (pair) blend(offset + width, x, B::Min(shared, B::Load(window[2 * kRadius + 1] + x)));
        }
        for (; x < width; ++x) {
            for (uint32_t row = 0; row < (pair ? 2u : 1u); ++row) {
                uint8_t m = window[row][x];
                for (int k = 1; k <= 2 * kRadius; ++k)
                    m = window[row + k][x] < m ? window[row + k][x] : m;
                const size_t at = offset + row * size_t(width) + x;
                const uint32_t weight = weigh.One(median[at], m);
                median[at] = uint8_t((median[at] * (255u - weight) + input[at] * weight + 127u) / 255u);
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

// ---------------------------------------------------------------------------------------
// Per-sample operations. The vector part covers whole vectors; the scalar operation
// finishes the few samples left, so both paths share one definition of the tail.

template <class B>
void AbsDifferenceWith(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t count) {
    size_t i = 0;
    for (; i + B::kLanes <= count; i += B::kLanes)
        B::Store(out + i, B::AbsDiff(B::Load(a + i), B::Load(b + i)));
    NoiseReducer::AbsDifference(a + i, b + i, out + i, count - i, 1);
}

template <class B>
void BlendByWeightWith(const uint8_t* input, const uint8_t* median, const uint8_t* weight,
                       uint8_t* out, size_t count) {
    size_t i = 0;
    for (; i + B::kLanes <= count; i += B::kLanes)
        B::Store(out + i, B::Blend(B::Load(input + i), B::Load(median + i), B::Load(weight + i)));
    NoiseReducer::BlendByWeight(input + i, median + i, weight + i, out + i, count - i, 1);
}

template <class B>
void LookUpWith(const uint8_t* table, const uint8_t* row, const uint8_t* column, uint8_t* out,
                size_t count) {
    size_t i = 0;
    for (; i + B::kLanes <= count; i += B::kLanes)
        B::Store(out + i, B::LookUp(table, row + i, column + i));
    for (; i < count; ++i) out[i] = table[row[i] * 256u + column[i]];
}

// The sums are formed lane by lane with the same double operations in the same order
// as the scalar combinations, so they round identically; the bias of 127 is taken off
// in integers, as there.
//
// With every coefficient 1 (at clarity 1 every gain is 1) a sum is a whole number, which
// ToSample only clamps: the detail is then a - b + c in 16-bit lanes.
template <class B>
void AddDifferenceClampedWith(const uint8_t* a, const uint8_t* b, const uint8_t* c,
                              uint8_t* out, size_t count) {
    const typename B::Reg mid = B::Splat(127);
    size_t i = 0;
    for (; i + B::kLanes <= count; i += B::kLanes)
        B::Store(out + i, B::AddDifferenceClamped(B::Load(a + i), B::Load(b + i),
                                                  c != nullptr ? B::Load(c + i) : mid));
    for (; i < count; ++i) {
        const int sum = int(a[i]) - int(b[i]) + (c != nullptr ? int(c[i]) : 127);
        out[i] = uint8_t(sum < 0 ? 0 : sum > 255 ? 255 : sum);
    }
}

template <class D, class B>
void CombineDetailWith(const uint8_t* a, float aCoef, const uint8_t* b, float bCoef,
                       uint8_t* out, size_t count) {
    if (aCoef == 1.0f && bCoef == 1.0f)
        return AddDifferenceClampedWith<B>(a, b, nullptr, out, count);
    using Reg = typename D::Reg;
    const Reg ka = D::Splat(aCoef), kb = D::Splat(bCoef), mid = D::Splat(127.0);
    const auto sum = [&](Reg av, Reg bv) {
        return D::Add(D::Sub(D::Mul(ka, av), D::Mul(kb, bv)), mid);
    };
    size_t i = 0;
    for (; i + 2 * D::kLanes <= count; i += 2 * D::kLanes) {
        Reg a0, a1, b0, b1;
        D::LoadPair(a + i, 0, a0, a1);
        D::LoadPair(b + i, 0, b0, b1);
        D::StorePair(out + i, sum(a0, b0), sum(a1, b1));
    }
    NoiseReducer::CombineDetail(a + i, aCoef, b + i, bCoef, out + i, count - i, 1);
}

template <class D, class B>
void CombineDetailWithCoarseWith(const uint8_t* a, float aCoef, const uint8_t* coarse,
                                 float coarseCoef, const uint8_t* b, float bCoef, uint8_t* out,
                                 size_t count) {
    if (aCoef == 1.0f && coarseCoef == 1.0f && bCoef == 1.0f)
        return AddDifferenceClampedWith<B>(a, b, coarse, out, count);
    using Reg = typename D::Reg;
    const Reg ka = D::Splat(aCoef), kb = D::Splat(bCoef), kc = D::Splat(coarseCoef);
    const Reg mid = D::Splat(127.0);
    const auto sum = [&](Reg av, Reg cv, Reg bv) {
        return D::Add(D::Add(D::Sub(D::Mul(ka, av), D::Mul(kb, bv)), D::Mul(kc, cv)), mid);
    };
    size_t i = 0;
    for (; i + 2 * D::kLanes <= count; i += 2 * D::kLanes) {
        Reg a0, a1, c0, c1, b0, b1;
        D::LoadPair(a + i, 0, a0, a1);
        D::LoadPair(coarse + i, 127, c0, c1);
        D::LoadPair(b + i, 0, b0, b1);
        D::StorePair(out + i, sum(a0, c0, b0), sum(a1, c1, b1));
    }
    NoiseReducer::CombineDetailWithCoarse(a + i, aCoef, coarse + i, coarseCoef, b + i, bCoef,
                                          out + i, count - i, 1);
}

template <class D>
void CombineOutputWith(const uint8_t* a, float aCoef, const uint8_t* detail, float detailCoef,
                       uint8_t* out, size_t count) {
    using Reg = typename D::Reg;
    const Reg ka = D::Splat(aCoef), kd = D::Splat(detailCoef);
    const auto sum = [&](Reg av, Reg dv) { return D::Add(D::Mul(kd, dv), D::Mul(ka, av)); };
    size_t i = 0;
    for (; i + 2 * D::kLanes <= count; i += 2 * D::kLanes) {
        Reg a0, a1, d0, d1;
        D::LoadPair(a + i, 0, a0, a1);
        D::LoadPair(detail + i, 127, d0, d1);
        D::StorePair(out + i, sum(a0, d0), sum(a1, d1));
    }
    NoiseReducer::CombineOutput(a + i, aCoef, detail + i, detailCoef, out + i, count - i, 1);
}

template <class B>
void CombineOutputRampWith(const uint8_t* filtered, const uint8_t* detail, const CombineRamp& ramp,
                           uint8_t* out, size_t count) {
    size_t i = 0;
    for (; i + B::kLanes <= count; i += B::kLanes)
        B::Store(out + i, B::RampCombine(B::Load(filtered + i), B::Load(detail + i), ramp));
    for (; i < count; ++i) out[i] = RampCombine(ramp, filtered[i], detail[i]);
}

// ---------------------------------------------------------------------------------------
// Pyramid resampling. The vector loops cover the interior of each row; the samples next
// to the edges, where neighbours are clamped, take the scalar formulas below.

inline uint32_t HalveAlongRow(const uint8_t* row, uint32_t x, uint32_t width) {
    const uint32_t centre = 2 * x;
    return (row[ClampIndex(int64_t(centre) - 1, width)] + 2u * row[ClampIndex(centre, width)] +
            row[ClampIndex(int64_t(centre) + 1, width)] + 2u) >> 2;
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
        out[x] = uint8_t((HalveAlongRow(rows[0], x, srcWidth) +
                          2 * HalveAlongRow(rows[1], x, srcWidth) +
                          HalveAlongRow(rows[2], x, srcWidth) + 2) >> 2);
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
            sum[k] = B::QuarterWordsUp(B::AddWords(B::AddWords(left, B::OddBytes(centred)),
                                                   B::AddWords(middle, middle)));
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
    for (uint32_t y = 0; y < dstHeight; ++y)
        DownsampleRow<B>(src, srcWidth, srcHeight, y, dest + size_t(y) * dstWidth, dstWidth);
}

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
    auto average = [](Reg a, Reg b) { return kTruncate ? B::AverageDown(a, b) : B::AverageUp(a, b); };
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
                               const uint8_t* filtered, const OutputCombination& how,
                               uint8_t* row, uint8_t* out) {
    if (srcWidth == 0 || srcHeight == 0) return;
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
    if (gain == 1.0f)
        UpsampleRows<B, true>(src, srcWidth, srcHeight, dest, dstWidth, dstHeight);
    else
        UpsampleRows<B, false>(src, srcWidth, srcHeight, dest, dstWidth, dstHeight);
}
