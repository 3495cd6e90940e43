#pragma once

#include <cstdint>

// Where the levels below a plane live. Each level k below the plane takes 2 * n(k)
// bytes (its filtered image, then its down-sampled parent) and the next level's region
// follows; when a level finishes, its up-sampled detail image covers its parent's size
// from the start of its region.

// Bytes the pyramid below a width x height plane needs from its first byte on, for the
// levels from firstLevel down to maxLevel.
uint64_t PyramidExtent(uint64_t width, uint64_t height, int64_t firstLevel, int64_t maxLevel);

// Whether the pyramid of every level count fits inside the plane's own width * height
// bytes. It does for every plane but those one sample wide or high with an odd length.
bool PyramidFitsInPlane(uint32_t width, uint32_t height);

// Size of the second working image. Normally the plane's size; for a plane whose pyramid
// does not fit inside the output plane, the pyramid is placed in this image after the
// scratch area of the levels below the plane.
uint64_t WorkBBytes(uint32_t width, uint32_t height);

// Offset of the pyramid inside the second working image when it does not fit in the plane.
uint64_t PyramidOffsetInWorkB(uint32_t width, uint32_t height);
