// The running maximum and minimum in vectors, over a square of side 2 * Radius + 1, edges
// repeated (the scalar ones are running_extreme.h, max_filter.cpp and min_filter.cpp).
// Needs simd_common.inl.

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
        for (uint32_t j = 0; j < n + kCarry - 1; j += kLanes)
            B::Store(s.pairs + j, X::Of(B::Load(s.extended + j), B::Load(s.extended + j + 1)));
        for (uint32_t j = 0; j < n + kCarry - 3; j += kLanes)
            B::Store(s.quads + j, X::Of(B::Load(s.pairs + j), B::Load(s.pairs + j + 2)));
        for (uint32_t j = 0; j < n + 8; j += kLanes)
            B::Store(s.pairs + j, X::Of(B::Load(s.quads + j), B::Load(s.quads + j + 4)));
        for (uint32_t x = 0; x < n; x += kLanes) {
            // Eights at x and x + 8 cover x .. x + 15; the rest of the window's 2R + 1 comes
            // from a quad (x + 15 .. x + 18) or a single sample (x + 16).
            const typename B::Reg rest =
                Radius == 9 ? B::Load(s.quads + x + 15) : B::Load(s.extended + x + 16);
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
    LUMISTRA_ASSERT(SameOrApart(src, dest, size_t(width) * height));
    if (width == 0 || height == 0) return;
    RowStrips<B, Radius> strips = {};
    for (uint32_t y = 0; y < height; ++y)
        ExtremeRow<B, Radius, kMax>(src + size_t(y) * width, dest + size_t(y) * width, width,
                                    strips);
    ExtremeColumns<B, Radius, kMax>(dest, width, height);
}
