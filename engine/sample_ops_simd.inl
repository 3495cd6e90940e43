// The per-sample operations in vectors (the scalar ones are sample_ops.cpp). The vector
// part covers whole vectors; the scalar operation finishes the few samples left, so both
// paths share one definition of the tail. Needs simd_common.inl, sample_ops.h and
// sample_ramps.h.

template <class B>
void AbsDifferenceWith(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t count) {
    LUMISTRA_ASSERT(SameOrApart(a, out, count) && SameOrApart(b, out, count));
    size_t i = 0;
    for (; i + B::kLanes <= count; i += B::kLanes)
        B::Store(out + i, B::AbsDiff(B::Load(a + i), B::Load(b + i)));
    sample_ops::AbsDifference(a + i, b + i, out + i, count - i);
}

template <class B>
void BlendByWeightWith(const uint8_t* input, const uint8_t* median, const uint8_t* weight,
                       uint8_t* out, size_t count) {
    LUMISTRA_ASSERT(SameOrApart(input, out, count) && SameOrApart(median, out, count) &&
                    SameOrApart(weight, out, count));
    size_t i = 0;
    for (; i + B::kLanes <= count; i += B::kLanes)
        B::Store(out + i, B::Blend(B::Load(input + i), B::Load(median + i), B::Load(weight + i)));
    sample_ops::BlendByWeight(input + i, median + i, weight + i, out + i, count - i);
}

template <class B>
void LookUpWith(const uint8_t* table, const uint8_t* row, const uint8_t* column, uint8_t* out,
                size_t count) {
    // The table has three readable bytes after its 65536.
    LUMISTRA_ASSERT(BytesApart(table, 256 * 256 + 3, out, count));
    LUMISTRA_ASSERT(SameOrApart(row, out, count) && SameOrApart(column, out, count));
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
void AddDifferenceClampedWith(const uint8_t* a, const uint8_t* b, const uint8_t* c, uint8_t* out,
                              size_t count) {
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
void CombineDetailWith(const uint8_t* a, float aCoef, const uint8_t* b, float bCoef, uint8_t* out,
                       size_t count) {
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
    sample_ops::CombineDetail(a + i, aCoef, b + i, bCoef, out + i, count - i);
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
    sample_ops::CombineDetailWithCoarse(a + i, aCoef, coarse + i, coarseCoef, b + i, bCoef, out + i,
                                        count - i);
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
    sample_ops::CombineOutput(a + i, aCoef, detail + i, detailCoef, out + i, count - i);
}

template <class B>
void CombineOutputRampWith(const uint8_t* filtered, const uint8_t* detail, const CombineRamp& ramp,
                           uint8_t* out, size_t count) {
    size_t i = 0;
    for (; i + B::kLanes <= count; i += B::kLanes)
        B::Store(out + i, B::RampCombine(B::Load(filtered + i), B::Load(detail + i), ramp));
    for (; i < count; ++i) out[i] = RampCombine(ramp, filtered[i], detail[i]);
}
