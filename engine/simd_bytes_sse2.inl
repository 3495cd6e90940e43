// Sixteen-lane byte vector and two-lane double vector on SSE2, for the vector kernels.
// Included inside an anonymous namespace after <emmintrin.h>.

struct Sse2Bytes {
    using Reg = __m128i;
    static constexpr uint32_t kLanes = 16;
    static Reg Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const Reg*>(p)); }
    static void Store(uint8_t* p, Reg v) { _mm_storeu_si128(reinterpret_cast<Reg*>(p), v); }
    static Reg Splat(uint8_t v) { return _mm_set1_epi8(char(v)); }
    static Reg Min(Reg a, Reg b) { return _mm_min_epu8(a, b); }
    static Reg Max(Reg a, Reg b) { return _mm_max_epu8(a, b); }
    static Reg AbsDiff(Reg a, Reg b) {
        return _mm_or_si128(_mm_subs_epu8(a, b), _mm_subs_epu8(b, a));
    }

    // (m * (255 - w) + i * w + 127) / 255 on 16-bit lanes. With n1 = numerator + 1, below
    // 65536, the quotient is exactly (n1 + (n1 >> 8)) >> 8.
    static Reg BlendWords(Reg input, Reg median, Reg weight) {
        Reg n1 = _mm_add_epi16(_mm_mullo_epi16(median, _mm_sub_epi16(_mm_set1_epi16(255), weight)),
                               _mm_mullo_epi16(input, weight));
        n1 = _mm_add_epi16(n1, _mm_set1_epi16(128));
        return _mm_srli_epi16(_mm_add_epi16(n1, _mm_srli_epi16(n1, 8)), 8);
    }
    static Reg Blend(Reg input, Reg median, Reg weight) {
        const Reg zero = _mm_setzero_si128();
        const Reg low = BlendWords(_mm_unpacklo_epi8(input, zero), _mm_unpacklo_epi8(median, zero),
                                   _mm_unpacklo_epi8(weight, zero));
        const Reg high = BlendWords(_mm_unpackhi_epi8(input, zero), _mm_unpackhi_epi8(median, zero),
                                    _mm_unpackhi_epi8(weight, zero));
        return _mm_packus_epi16(low, high);
    }

    // a - b + c of each lane, clamped to 0..255, in 16-bit lanes.
    static Reg AddDifferenceClamped(Reg a, Reg b, Reg c) {
        const Reg zero = _mm_setzero_si128();
        const Reg low =
            _mm_add_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero)),
                          _mm_unpacklo_epi8(c, zero));
        const Reg high =
            _mm_add_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero)),
                          _mm_unpackhi_epi8(c, zero));
        return _mm_packus_epi16(low, high);
    }

    // Averages of bytes, halves up (the processor's own) or truncated.
    static Reg AverageUp(Reg a, Reg b) { return _mm_avg_epu8(a, b); }
    static Reg AverageDown(Reg a, Reg b) {
        return _mm_sub_epi8(_mm_avg_epu8(a, b),
                            _mm_and_si128(_mm_xor_si128(a, b), _mm_set1_epi8(1)));
    }
    // The bytes of a interleaved with those of b: a0 b0 a1 b1 ..., stored as two vectors.
    static void StoreInterleaved(uint8_t* p, Reg a, Reg b) {
        Store(p, _mm_unpacklo_epi8(a, b));
        Store(p + kLanes, _mm_unpackhi_epi8(a, b));
    }

    // table[row[i] * 256 + column[i]] for kLanes samples.
    static Reg LookUp(const uint8_t* table, const uint8_t* row, const uint8_t* column) {
        alignas(16) uint8_t found[kLanes];
        for (uint32_t i = 0; i < kLanes; ++i) found[i] = table[row[i] * 256u + column[i]];
        return Load(found);
    }

    // RampWeight of each lane. The 16-bit form where the ramp has one: the rounding
    // multiply from the full product's bits 14..29 (the high word shifted up by two, the
    // low word down by 14) and an average with zero for the final halving. Otherwise
    // lane by lane (no 32-bit lane multiply before SSE4.1).
    static Reg RampWeights(Reg minimum, const WeightRamp& ramp) {
        if (ramp.shortMultiplier != 0) {
            const Reg zero = _mm_setzero_si128();
            const Reg capped = _mm_min_epu8(minimum, _mm_set1_epi8(char(ramp.cap)));
            const Reg multiplier = _mm_set1_epi16(int16_t(ramp.shortMultiplier));
            const Reg shift = _mm_cvtsi32_si128(int(ramp.shortShift));
            auto weights = [&](Reg words) {
                const Reg a = _mm_sll_epi16(words, shift);
                const Reg bits = _mm_or_si128(_mm_slli_epi16(_mm_mulhi_epi16(a, multiplier), 2),
                                              _mm_srli_epi16(_mm_mullo_epi16(a, multiplier), 14));
                return _mm_avg_epu16(bits, zero);
            };
            return _mm_packus_epi16(weights(_mm_unpacklo_epi8(capped, zero)),
                                    weights(_mm_unpackhi_epi8(capped, zero)));
        }
        alignas(16) uint8_t lanes[kLanes];
        Store(lanes, minimum);
        for (uint8_t& lane : lanes) lane = uint8_t(RampWeight(ramp, lane));
        return Load(lanes);
    }

    // RampCombine of each lane: multiply-adds of (filtered, detail) word pairs with the
    // low and the high 15 bits of the multipliers, an arithmetic shift (rounding down)
    // and saturating packs for the clamp.
    static Reg RampCombine(Reg filtered, Reg detail, const CombineRamp& ramp) {
        const Reg zero = _mm_setzero_si128();
        const Reg low = _mm_set1_epi32(RampWordPair(ramp, 0));
        const Reg high = _mm_set1_epi32(RampWordPair(ramp, 15));
        const Reg offset = _mm_set1_epi32(ramp.offset);
        const Reg shift = _mm_cvtsi32_si128(int(ramp.shift));
        auto sum = [&](Reg pairs) {
            const Reg products = _mm_add_epi32(_mm_madd_epi16(pairs, low),
                                               _mm_slli_epi32(_mm_madd_epi16(pairs, high), 15));
            return _mm_sra_epi32(_mm_add_epi32(products, offset), shift);
        };
        auto sums = [&](Reg f, Reg d) {
            return _mm_packs_epi32(sum(_mm_unpacklo_epi16(f, d)), sum(_mm_unpackhi_epi16(f, d)));
        };
        return _mm_packus_epi16(
            sums(_mm_unpacklo_epi8(filtered, zero), _mm_unpacklo_epi8(detail, zero)),
            sums(_mm_unpackhi_epi8(filtered, zero), _mm_unpackhi_epi8(detail, zero)));
    }

    // Sixteen-bit lanes, for the [1 2 1] sums of the down-sampler. A loaded vector holds
    // kLanes / 2 words: even bytes in the low halves, odd bytes in the high halves.
    static Reg EvenBytes(Reg v) { return _mm_and_si128(v, _mm_set1_epi16(0xFF)); }
    static Reg OddBytes(Reg v) { return _mm_srli_epi16(v, 8); }
    static Reg AddWords(Reg a, Reg b) { return _mm_add_epi16(a, b); }
    static Reg QuarterWordsUp(Reg v) {
        return _mm_srli_epi16(_mm_add_epi16(v, _mm_set1_epi16(2)), 2);
    }
    // Stores the kLanes / 2 words of v (each below 256) as bytes.
    static void StoreWordsAsBytes(uint8_t* p, Reg v) {
        _mm_storel_epi64(reinterpret_cast<Reg*>(p), _mm_packus_epi16(v, v));
    }
};

struct Sse2Doubles {
    using Reg = __m128d;
    static constexpr uint32_t kLanes = 2;
    static Reg Splat(double v) { return _mm_set1_pd(v); }
    static Reg Add(Reg a, Reg b) { return _mm_add_pd(a, b); }
    static Reg Sub(Reg a, Reg b) { return _mm_sub_pd(a, b); }
    static Reg Mul(Reg a, Reg b) { return _mm_mul_pd(a, b); }
    // The 2 * kLanes samples at p, each less bias (exact), in two vectors.
    static void LoadPair(const uint8_t* p, int32_t bias, Reg& lo, Reg& hi) {
        int32_t four;
        std::memcpy(&four, p, 4);
        const __m128i zero = _mm_setzero_si128();
        const __m128i words = _mm_sub_epi32(
            _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(four), zero), zero),
            _mm_set1_epi32(bias));
        lo = _mm_cvtepi32_pd(words);
        hi = _mm_cvtepi32_pd(_mm_unpackhi_epi64(words, words));
    }
    // ToSample of each lane, stored as 2 * kLanes bytes: to single precision, clamped to
    // 0..255 (a NaN to 0), then floor(v + 0.5) as the whole part plus one where the
    // fraction is at least a half. Part and fraction are both exact in single precision,
    // where v + 0.5 itself would round for some v below a half.
    static void StorePair(uint8_t* out, Reg lo, Reg hi) {
        __m128 single = _mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi));
        single = _mm_min_ps(_mm_max_ps(single, _mm_setzero_ps()), _mm_set1_ps(255.0f));
        const __m128i whole = _mm_cvttps_epi32(single);
        const __m128 fraction = _mm_sub_ps(single, _mm_cvtepi32_ps(whole));
        const __m128i roundsUp = _mm_castps_si128(_mm_cmpge_ps(fraction, _mm_set1_ps(0.5f)));
        const __m128i rounded = _mm_sub_epi32(whole, roundsUp);
        const __m128i words = _mm_packs_epi32(rounded, rounded);
        const int32_t four = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
        std::memcpy(out, &four, 4);
    }
};
