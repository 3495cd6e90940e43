#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/pixel_range.h"

// Receives every named intermediate image of the pipeline (a diagnostic build writes
// them out; the plug-in installs none). zeroValue is the sample that stands for zero
// (127 in detail images), displayBias the offset a viewer should add.
using ImageObserver = void (*)(void* context, const uint8_t* image, uint32_t width, uint32_t height,
                               const char* name, int zeroValue, int displayBias, float scale,
                               int32_t level);

// The engine's neighbourhood filters and resamplers. Every operation works on planes of
// width * height unsigned bytes, rows without gaps, and owns no pixels. Each kernel lives
// in its own file.
class tImgClass : public PixelRange {
public:
    uint8_t kernelMax = 255;
    uint8_t kernelMin = 0;
    uint32_t kernelFlags = 0x40000000;  // bit 30: skip argument checks (never cleared)

    // Centre-weighted 5x5 median: the 13th smallest of the 21 pixels of the 5x5 square
    // without its corners plus the centre four more times. The two-sample border is
    // copied; planes narrower or lower than 5 are copied whole. src and dest must not
    // overlap.
    void MedianFilter(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                      uint32_t flags) const;
    // Same result as MedianFilter, eight outputs per step through MedianKernel8.
    void MedianFilterPacked(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                            uint32_t flags) const;
    // One packed step: rowK point at column x of five consecutive rows (row2 is filtered);
    // reads columns x..x+11 of rows 1..3 and x+1..x+10 of rows 0 and 4, writes count
    // (at most 8) medians for columns x+2.. at out + 2, out being column x of the row.
    static void MedianKernel8(const uint8_t* row0, const uint8_t* row1, const uint8_t* row2,
                              const uint8_t* row3, const uint8_t* row4, uint8_t* out,
                              uint32_t count);
    // The value at position (n - 1) / 2 of the sorted bytes; reorders values in place.
    static uint8_t SelectMedian(uint8_t* values, uint32_t n);

    // Running maximum over a 19x19 square, edges repeated. dest may equal src.
    // tempMem and tempSize are accepted for the interface and not used.
    void MaxFilter(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                   uint8_t* tempMem, uint32_t tempSize, uint32_t flags) const;
    void MaxFilterSimd(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                       uint8_t* tempMem, uint32_t tempSize, uint32_t flags) const;
    // Running minimum over a 17x17 square, edges repeated. dest may equal src.
    void MinFilter(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                   uint8_t* tempMem, uint32_t tempSize, uint32_t flags) const;
    void MinFilterSimd(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                       uint8_t* tempMem, uint32_t tempSize, uint32_t flags) const;

    // Halves srcWidth x srcHeight to dstWidth x dstHeight (each the half rounded up) with
    // a [1 2 1]/4 filter, halves rounded up. dest must offer dstWidth * srcHeight bytes
    // (its intermediate) and must not overlap src. The result does not depend on gain.
    void Downsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                    uint32_t dstWidth, uint32_t dstHeight, uint32_t flags, float gain) const;
    // Doubles srcWidth x srcHeight back to dstWidth x dstHeight by linear interpolation;
    // averages truncate when gain is exactly 1 and round half up otherwise. dest may
    // begin at src's address.
    void Upsample(const uint8_t* src, uint32_t srcWidth, uint32_t srcHeight, uint8_t* dest,
                  uint32_t dstWidth, uint32_t dstHeight, uint32_t flags, float gain) const;

    void CopyBytes(const uint8_t* src, uint8_t* dest, size_t count) const;

    // Announces a completed intermediate image to the observer, if one is installed.
    void NameImage(const uint8_t* image, uint32_t width, uint32_t height, const char* name,
                   int zeroValue, int displayBias, float scale, int32_t level) const;
    void SetImageObserver(ImageObserver observer, void* context);
    // Whether anything watches the named images (stages may then not be merged).
    bool HasImageObserver() const { return observer_ != nullptr; }

private:
    ImageObserver observer_ = nullptr;
    void* observerContext_ = nullptr;
};
