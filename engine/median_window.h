#pragma once

#include <cstdint>

// The centre-weighted 5x5 window of the median filter, row by row, top first:
//
//     c  x  x  x  c        x: the pixel at that position
//     x  x  x  x  x        c: the corner is not read; it holds the centre
//     x  x  C  x  x           sample, which so counts five times in all
//     x  x  x  x  x
//     c  x  x  x  c
//
// Fills values[25] for the output at column x of the row that rows[2] points at.
inline void GatherMedianWindow(const uint8_t* const rows[5], uint32_t x, uint8_t values[25]) {
    const uint8_t centre = rows[2][x];
    int k = 0;
    for (int r = 0; r < 5; ++r) {
        for (int dx = -2; dx <= 2; ++dx) {
            const bool corner = (r == 0 || r == 4) && (dx == -2 || dx == 2);
            values[k++] = corner ? centre : rows[r][x + dx];
        }
    }
}

// Copies the parts of the plane that the median leaves unchanged: the whole plane when it
// is narrower or lower than 5, else the two top and two bottom rows. Returns false when
// nothing is left to filter.
bool CopyMedianBorderRows(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest);
