// Thirty-two-lane byte vector and four-lane double vector on AVX2, for the vector kernels.
// Included inside an anonymous namespace after <immintrin.h>.

struct Avx2Bytes {
    using Reg = __m256i;
    static constexpr uint32_t kLanes = 32;
    static Reg Load(const uint8_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const Reg*>(p));
    }
    static void Store(uint8_t* p, Reg v) { _mm256_storeu_si256(reinterpret_cast<Reg*>(p), v); }
    static Reg Splat(uint8_t v) { return _mm256_set1_epi8(char(v)); }
    static Reg Min(Reg a, Reg b) { return _mm256_min_epu8(a, b); }
    static Reg Max(Reg a, Reg b) { return _mm256_max_epu8(a, b); }
    static Reg AbsDiff(Reg a, Reg b) {
        return _mm256_or_si256(_mm256_subs_epu8(a, b), _mm256_subs_epu8(b, a));
    }

    // As Sse2Bytes::BlendWords. Unpacking and packing both work within 128-bit halves,
    // so the lanes come back in their order.
    static Reg BlendWords(Reg input, Reg median, Reg weight) {
        Reg n1 = _mm256_add_epi16(
            _mm256_mullo_epi16(median, _mm256_sub_epi16(_mm256_set1_epi16(255), weight)),
            _mm256_mullo_epi16(input, weight));
        n1 = _mm256_add_epi16(n1, _mm256_set1_epi16(128));
        return _mm256_srli_epi16(_mm256_add_epi16(n1, _mm256_srli_epi16(n1, 8)), 8);
    }
    static Reg Blend(Reg input, Reg median, Reg weight) {
        const Reg zero = _mm256_setzero_si256();
        const Reg low =
            BlendWords(_mm256_unpacklo_epi8(input, zero), _mm256_unpacklo_epi8(median, zero),
                       _mm256_unpacklo_epi8(weight, zero));
        const Reg high =
            BlendWords(_mm256_unpackhi_epi8(input, zero), _mm256_unpackhi_epi8(median, zero),
                       _mm256_unpackhi_epi8(weight, zero));
        return _mm256_packus_epi16(low, high);
    }

    // As Sse2Bytes::AddDifferenceClamped; the lanes come back in their order.
    static Reg AddDifferenceClamped(Reg a, Reg b, Reg c) {
        const Reg zero = _mm256_setzero_si256();
        const Reg low = _mm256_add_epi16(
            _mm256_sub_epi16(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero)),
            _mm256_unpacklo_epi8(c, zero));
        const Reg high = _mm256_add_epi16(
            _mm256_sub_epi16(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero)),
            _mm256_unpackhi_epi8(c, zero));
        return _mm256_packus_epi16(low, high);
    }

    static Reg AverageUp(Reg a, Reg b) { return _mm256_avg_epu8(a, b); }
    static Reg AverageDown(Reg a, Reg b) {
        return _mm256_sub_epi8(_mm256_avg_epu8(a, b),
                               _mm256_and_si256(_mm256_xor_si256(a, b), _mm256_set1_epi8(1)));
    }
    // Unpacking works within 128-bit halves; the permutes put the halves in order.
    static void StoreInterleaved(uint8_t* p, Reg a, Reg b) {
        const Reg low = _mm256_unpacklo_epi8(a, b);
        const Reg high = _mm256_unpackhi_epi8(a, b);
        Store(p, _mm256_permute2x128_si256(low, high, 0x20));
        Store(p + kLanes, _mm256_permute2x128_si256(low, high, 0x31));
    }

    // table[row[i] * 256 + column[i]] for 32 samples, eight gathered words at a time
    // (the table must have three readable bytes after its end).
    static Reg LookUp(const uint8_t* table, const uint8_t* row, const uint8_t* column) {
        const int* base = reinterpret_cast<const int*>(table);
        Reg words[4];
        for (int part = 0; part < 4; ++part) {
            const __m256i r = _mm256_cvtepu8_epi32(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + 8 * part)));
            const __m256i c = _mm256_cvtepu8_epi32(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(column + 8 * part)));
            const __m256i index = _mm256_or_si256(_mm256_slli_epi32(r, 8), c);
            words[part] =
                _mm256_and_si256(_mm256_i32gather_epi32(base, index, 1), _mm256_set1_epi32(0xFF));
        }
        // Packing works within 128-bit halves; the final permute restores the order.
        const Reg pairs01 = _mm256_packus_epi32(words[0], words[1]);
        const Reg pairs23 = _mm256_packus_epi32(words[2], words[3]);
        const Reg bytes = _mm256_packus_epi16(pairs01, pairs23);
        return _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
    }

    // RampWeight of each lane, by the 16-bit form where the ramp has one, else in 32-bit
    // lanes. Unpacking and packing both work within
    // 128-bit halves, so the lanes come back in their order; the packs saturate the
    // weights above 255 (the sums stay below 2^32, so a weight is at most 511).
    static Reg RampWeights(Reg minimum, const WeightRamp& ramp) {
        const Reg zero = _mm256_setzero_si256();
        const Reg capped = _mm256_min_epu8(minimum, _mm256_set1_epi8(char(ramp.cap)));
        if (ramp.shortMultiplier != 0) {
            // The 16-bit form: one rounding multiply per lane.
            const Reg multiplier = _mm256_set1_epi16(int16_t(ramp.shortMultiplier));
            const __m128i shift = _mm_cvtsi32_si128(int(ramp.shortShift));
            auto weights = [&](Reg words) {
                return _mm256_mulhrs_epi16(_mm256_sll_epi16(words, shift), multiplier);
            };
            return _mm256_packus_epi16(weights(_mm256_unpacklo_epi8(capped, zero)),
                                       weights(_mm256_unpackhi_epi8(capped, zero)));
        }
        const Reg multiplier = _mm256_set1_epi32(int32_t(ramp.multiplier));
        const Reg offset = _mm256_set1_epi32(int32_t(ramp.offset));
        auto weights = [&](Reg words) {
            const Reg low = _mm256_srli_epi32(
                _mm256_add_epi32(_mm256_mullo_epi32(_mm256_unpacklo_epi16(words, zero), multiplier),
                                 offset),
                kWeightRampShift);
            const Reg high = _mm256_srli_epi32(
                _mm256_add_epi32(_mm256_mullo_epi32(_mm256_unpackhi_epi16(words, zero), multiplier),
                                 offset),
                kWeightRampShift);
            return _mm256_packus_epi32(low, high);
        };
        return _mm256_packus_epi16(weights(_mm256_unpacklo_epi8(capped, zero)),
                                   weights(_mm256_unpackhi_epi8(capped, zero)));
    }

    // As Sse2Bytes::RampCombine.
    static Reg RampCombine(Reg filtered, Reg detail, const CombineRamp& ramp) {
        const Reg zero = _mm256_setzero_si256();
        const Reg low = _mm256_set1_epi32(RampWordPair(ramp, 0));
        const Reg high = _mm256_set1_epi32(RampWordPair(ramp, 15));
        const Reg offset = _mm256_set1_epi32(ramp.offset);
        const __m128i shift = _mm_cvtsi32_si128(int(ramp.shift));
        auto sum = [&](Reg pairs) {
            const Reg products =
                _mm256_add_epi32(_mm256_madd_epi16(pairs, low),
                                 _mm256_slli_epi32(_mm256_madd_epi16(pairs, high), 15));
            return _mm256_sra_epi32(_mm256_add_epi32(products, offset), shift);
        };
        auto sums = [&](Reg f, Reg d) {
            return _mm256_packs_epi32(sum(_mm256_unpacklo_epi16(f, d)),
                                      sum(_mm256_unpackhi_epi16(f, d)));
        };
        return _mm256_packus_epi16(
            sums(_mm256_unpacklo_epi8(filtered, zero), _mm256_unpacklo_epi8(detail, zero)),
            sums(_mm256_unpackhi_epi8(filtered, zero), _mm256_unpackhi_epi8(detail, zero)));
    }

    static Reg EvenBytes(Reg v) { return _mm256_and_si256(v, _mm256_set1_epi16(0xFF)); }
    static Reg OddBytes(Reg v) { return _mm256_srli_epi16(v, 8); }
    static Reg AddWords(Reg a, Reg b) { return _mm256_add_epi16(a, b); }
    static Reg QuarterWordsUp(Reg v) {
        return _mm256_srli_epi16(_mm256_add_epi16(v, _mm256_set1_epi16(2)), 2);
    }
    static void StoreWordsAsBytes(uint8_t* p, Reg v) {
        const Reg packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(v, v), 0xD8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(packed));
    }
};

struct Avx2Doubles {
    using Reg = __m256d;
    static constexpr uint32_t kLanes = 4;
    static Reg Splat(double v) { return _mm256_set1_pd(v); }
    static Reg Add(Reg a, Reg b) { return _mm256_add_pd(a, b); }
    static Reg Sub(Reg a, Reg b) { return _mm256_sub_pd(a, b); }
    static Reg Mul(Reg a, Reg b) { return _mm256_mul_pd(a, b); }
    // The 2 * kLanes samples at p, each less bias (exact), in two vectors.
    static void LoadPair(const uint8_t* p, int32_t bias, Reg& lo, Reg& hi) {
        const __m256i words = _mm256_sub_epi32(
            _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))),
            _mm256_set1_epi32(bias));
        lo = _mm256_cvtepi32_pd(_mm256_castsi256_si128(words));
        hi = _mm256_cvtepi32_pd(_mm256_extracti128_si256(words, 1));
    }
    // As Sse2Doubles::StorePair, on eight lanes at once.
    static void StorePair(uint8_t* out, Reg lo, Reg hi) {
        __m256 single = _mm256_set_m128(_mm256_cvtpd_ps(hi), _mm256_cvtpd_ps(lo));
        single = _mm256_min_ps(_mm256_max_ps(single, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
        const __m256i whole = _mm256_cvttps_epi32(single);
        const __m256 fraction = _mm256_sub_ps(single, _mm256_cvtepi32_ps(whole));
        const __m256i roundsUp =
            _mm256_castps_si256(_mm256_cmp_ps(fraction, _mm256_set1_ps(0.5f), _CMP_GE_OQ));
        const __m256i rounded = _mm256_sub_epi32(whole, roundsUp);
        const __m128i words =
            _mm_packs_epi32(_mm256_castsi256_si128(rounded), _mm256_extracti128_si256(rounded, 1));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
    }
};
