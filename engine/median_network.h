#pragma once

// Branch-free selection of the 13th smallest of 25 values, written once over a lane type:
// MedianKernel8 runs it on eight-lane vectors of bytes. Ops supplies lane-wise Min and Max
// for the value type V. Exchanges whose minimum or maximum is never used again are reduced
// to the half that is (176 minima and maxima in all); a test proves the network by the
// 0-1 principle over all 2^25 binary inputs.

template <class Ops, class V>
inline void Exchange(V& low, V& high) {
    const V smaller = Ops::Min(low, high);
    high = Ops::Max(low, high);
    low = smaller;
}

// p holds the 25 window values in any order; returns the 13th smallest. p is clobbered.
template <class Ops, class V>
inline V SelectMedianOf25(V* p) {
    Exchange<Ops>(p[0], p[1]);
    Exchange<Ops>(p[3], p[4]);
    Exchange<Ops>(p[2], p[4]);
    Exchange<Ops>(p[2], p[3]);
    Exchange<Ops>(p[6], p[7]);
    Exchange<Ops>(p[5], p[7]);
    Exchange<Ops>(p[5], p[6]);
    Exchange<Ops>(p[9], p[10]);
    Exchange<Ops>(p[8], p[10]);
    Exchange<Ops>(p[8], p[9]);
    Exchange<Ops>(p[12], p[13]);
    Exchange<Ops>(p[11], p[13]);
    Exchange<Ops>(p[11], p[12]);
    Exchange<Ops>(p[15], p[16]);
    Exchange<Ops>(p[14], p[16]);
    Exchange<Ops>(p[14], p[15]);
    Exchange<Ops>(p[18], p[19]);
    Exchange<Ops>(p[17], p[19]);
    Exchange<Ops>(p[17], p[18]);
    Exchange<Ops>(p[21], p[22]);
    Exchange<Ops>(p[20], p[22]);
    Exchange<Ops>(p[20], p[21]);
    Exchange<Ops>(p[23], p[24]);
    Exchange<Ops>(p[2], p[5]);
    Exchange<Ops>(p[3], p[6]);
    Exchange<Ops>(p[0], p[6]);
    Exchange<Ops>(p[0], p[3]);
    Exchange<Ops>(p[4], p[7]);
    Exchange<Ops>(p[1], p[7]);
    Exchange<Ops>(p[1], p[4]);
    Exchange<Ops>(p[11], p[14]);
    Exchange<Ops>(p[8], p[14]);
    Exchange<Ops>(p[8], p[11]);
    Exchange<Ops>(p[12], p[15]);
    Exchange<Ops>(p[9], p[15]);
    Exchange<Ops>(p[9], p[12]);
    Exchange<Ops>(p[13], p[16]);
    Exchange<Ops>(p[10], p[16]);
    Exchange<Ops>(p[10], p[13]);
    Exchange<Ops>(p[20], p[23]);
    Exchange<Ops>(p[17], p[23]);
    Exchange<Ops>(p[17], p[20]);
    Exchange<Ops>(p[21], p[24]);
    Exchange<Ops>(p[18], p[24]);
    Exchange<Ops>(p[18], p[21]);
    Exchange<Ops>(p[19], p[22]);
    p[17] = Ops::Max(p[8], p[17]);
    Exchange<Ops>(p[9], p[18]);
    Exchange<Ops>(p[0], p[18]);
    p[9] = Ops::Max(p[0], p[9]);
    Exchange<Ops>(p[10], p[19]);
    Exchange<Ops>(p[1], p[19]);
    Exchange<Ops>(p[1], p[10]);
    Exchange<Ops>(p[11], p[20]);
    Exchange<Ops>(p[2], p[20]);
    p[11] = Ops::Max(p[2], p[11]);
    Exchange<Ops>(p[12], p[21]);
    Exchange<Ops>(p[3], p[21]);
    Exchange<Ops>(p[3], p[12]);
    Exchange<Ops>(p[13], p[22]);
    p[4] = Ops::Min(p[4], p[22]);
    Exchange<Ops>(p[4], p[13]);
    Exchange<Ops>(p[14], p[23]);
    Exchange<Ops>(p[5], p[23]);
    Exchange<Ops>(p[5], p[14]);
    Exchange<Ops>(p[15], p[24]);
    p[6] = Ops::Min(p[6], p[24]);
    Exchange<Ops>(p[6], p[15]);
    p[7] = Ops::Min(p[7], p[16]);
    p[7] = Ops::Min(p[7], p[19]);
    p[13] = Ops::Min(p[13], p[21]);
    p[15] = Ops::Min(p[15], p[23]);
    p[7] = Ops::Min(p[7], p[13]);
    p[7] = Ops::Min(p[7], p[15]);
    p[9] = Ops::Max(p[1], p[9]);
    p[11] = Ops::Max(p[3], p[11]);
    p[17] = Ops::Max(p[5], p[17]);
    p[17] = Ops::Max(p[11], p[17]);
    p[17] = Ops::Max(p[9], p[17]);
    Exchange<Ops>(p[4], p[10]);
    Exchange<Ops>(p[6], p[12]);
    Exchange<Ops>(p[7], p[14]);
    Exchange<Ops>(p[4], p[6]);
    p[7] = Ops::Max(p[4], p[7]);
    Exchange<Ops>(p[12], p[14]);
    p[10] = Ops::Min(p[10], p[14]);
    Exchange<Ops>(p[6], p[7]);
    Exchange<Ops>(p[10], p[12]);
    Exchange<Ops>(p[6], p[10]);
    p[17] = Ops::Max(p[6], p[17]);
    Exchange<Ops>(p[12], p[17]);
    p[7] = Ops::Min(p[7], p[17]);
    Exchange<Ops>(p[7], p[10]);
    Exchange<Ops>(p[12], p[18]);
    p[12] = Ops::Max(p[7], p[12]);
    p[10] = Ops::Min(p[10], p[18]);
    Exchange<Ops>(p[12], p[20]);
    p[10] = Ops::Min(p[10], p[20]);
    p[12] = Ops::Max(p[10], p[12]);
    return p[12];
}
