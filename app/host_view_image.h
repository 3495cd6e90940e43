// The host's own view on Linux: an RGB image in memory into which
// displayPixels draws, unscaled and clipped to the image. Where a mask is
// chained the pixels are blended by it over a checkerboard, as hosts show
// transparency; an inverted mask (description 4) is read the other way round.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app/display_copy.h"

class HostViewImage {
public:
    // Size of the checkerboard's squares and their two shades.
    static constexpr int32_t kCheckerSquare = 8;
    static constexpr uint8_t kCheckerLight = 255;
    static constexpr uint8_t kCheckerDark = 204;

    // A new image of the size, all white.
    void Resize(int32_t width, int32_t height);
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

    // Draws the copy with its top-left pixel at its destination.
    void Draw(const DisplayCopy& copy);
    // Number of Draw calls that put at least one pixel into the image.
    uint32_t drawings() const { return drawings_; }

    // Precondition for both: the point lies inside the image.
    std::array<uint8_t, 3> At(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);
    // A frame as a window draws one: one-pixel lines along the inside of the
    // rectangle (right and bottom exclusive), in the shade of red given
    // (0 is black); the parts outside the image are left out.
    void DrawFrame(int32_t left, int32_t top, int32_t right, int32_t bottom, uint8_t red);
    // Rows of width * 3 bytes, red, green, blue.
    const std::vector<uint8_t>& rgb() const { return rgb_; }

    static uint8_t CheckerAt(int32_t x, int32_t y);

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> rgb_;
    uint32_t drawings_ = 0;
};
