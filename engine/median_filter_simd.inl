// The centre-weighted median in vectors (the scalar one is median_filter.cpp). Each column
// of the window is sorted once per row and kept in a strip on the stack; every output then
// merges five sorted columns read at offsets. Needs simd_common.inl and median_columns.h.

constexpr uint32_t kMedianChunk = 256;  // output columns per strip

// Needs width >= B::kLanes + 4. Writes columns 2 .. width - 3 of out.
template <class B>
void MedianRowWith(const uint8_t* const rows[5], uint32_t width, uint8_t* out) {
    using Reg = typename B::Reg;
    constexpr uint32_t kLanes = B::kLanes;
    constexpr uint32_t kStrip = kMedianChunk + kLanes + 4;
    LUMISTRA_ASSERT(width >= kLanes + 4);
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
    LUMISTRA_ASSERT(width >= kLanes + 4);
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
    LUMISTRA_ASSERT(y >= 2 && width >= 5);
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
    LUMISTRA_ASSERT(BytesApart(src, size_t(width) * height, dest, size_t(width) * height));
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
