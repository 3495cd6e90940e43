// An 8-bit image as the host keeps it: one plane per channel, each stored
// row after row without gaps, the rectangle a filter is to work on, and an
// optional selection mask.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/large_page_memory.h"
#include "interface/plugin_types.h"

enum class ColourMode {
    kRgb,   // three planes
    kRgba,  // a layer with transparency: three colour planes, then alpha
    kGrey,  // one plane
    kCmyk,  // four planes
};

// The plugInMode... value hosts report for a document of this mode.
int16_t ImageModeOf(ColourMode mode);

class Document {
public:
    static constexpr int32_t kMaxSide = 32767;  // the interface's 16-bit coordinates

    static bool IsValidSize(int32_t width, int32_t height) {
        return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide;
    }

    // Precondition: IsValidSize(width, height). Planes start at 0, the filter
    // rectangle covers the whole image, and there is no selection mask.
    Document(ColourMode mode, int32_t width, int32_t height);

    ColourMode mode() const { return mode_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int16_t PlaneCount() const { return static_cast<int16_t>(planes_.size()); }
    // The plugInMode... value hosts report for this document.
    int16_t ImageMode() const;
    bool HasTransparency() const { return mode_ == ColourMode::kRgba; }

    PixelBytes& Plane(int plane) { return planes_[static_cast<std::size_t>(plane)]; }
    const PixelBytes& Plane(int plane) const { return planes_[static_cast<std::size_t>(plane)]; }
    uint8_t At(int plane, int32_t x, int32_t y) const {
        return Plane(plane)[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)];
    }
    uint8_t& At(int plane, int32_t x, int32_t y) {
        return Plane(plane)[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)];
    }

    // The area a filter works on: the whole image or a selection's bounds.
    // Expected to lie inside the image.
    Rect filterRect;
    // width * height bytes, 0 = not selected, 255 = fully selected.
    std::optional<std::vector<uint8_t>> selectionMask;

    bool IsWholeImageFiltered() const;
    bool operator==(const Document& other) const;
    bool operator!=(const Document& other) const { return !(*this == other); }

private:
    ColourMode mode_;
    int32_t width_;
    int32_t height_;
    std::vector<PixelBytes> planes_;
};
