// What every vector kernel shares. The kernels are written once over a vector type, each
// operation in its own file beside its scalar one (median_filter_simd.inl beside
// median_filter.cpp, ...), and included, inside an anonymous namespace, by each
// instruction-set file (kernels_sse2.cpp, kernels_avx2.cpp) through kernels_simd.inl.
// Every template is then instantiated with that file's own types only, so code built for
// a wider instruction set can never stand in for a narrower one at link time.
//
// A byte vector type B offers: Reg, kLanes, Load and Store (unaligned), Splat, Min, Max,
// AbsDiff, AddDifferenceClamped and Blend (the exact BlendByWeight of one vector), and
// for the resamplers, look-ups and ramps the operations their templates name. A double
// vector type D offers: Reg, kLanes, Splat, Add, Sub, Mul, LoadPair (2 * kLanes samples
// less a bias, in two vectors) and StorePair (ToSample of the lanes of two vectors, as
// 2 * kLanes bytes).

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
constexpr T Smaller(T a, T b) {
    return a < b ? a : b;
}

inline uint32_t ClampIndex(int64_t i, uint32_t count) {
    return i < 0 ? 0 : i >= int64_t(count) ? count - 1 : uint32_t(i);
}
