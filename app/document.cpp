#include "app/document.h"

#include <cassert>

#include "interface/plugin_constants.h"

namespace {

int PlanesOf(ColourMode mode) {
    switch (mode) {
        case ColourMode::kGrey:
            return 1;
        case ColourMode::kRgb:
            return 3;
        case ColourMode::kRgba:
        case ColourMode::kCmyk:
            return 4;
    }
    return 0;
}

}  // namespace

Document::Document(ColourMode mode, int32_t width, int32_t height)
    : mode_(mode), width_(width), height_(height) {
    assert(IsValidSize(width, height));
    filterRect = {0, 0, static_cast<int16_t>(height), static_cast<int16_t>(width)};
    const std::size_t planeSize =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    planes_.reserve(static_cast<std::size_t>(PlanesOf(mode)));
    for (int plane = 0; plane < PlanesOf(mode); ++plane) planes_.emplace_back(planeSize);
}

int16_t ImageModeOf(ColourMode mode) {
    switch (mode) {
        case ColourMode::kGrey:
            return plugInModeGrayScale;
        case ColourMode::kCmyk:
            return plugInModeCMYKColor;
        case ColourMode::kRgb:
        case ColourMode::kRgba:
            return plugInModeRGBColor;
    }
    return plugInModeRGBColor;
}

int16_t Document::ImageMode() const { return ImageModeOf(mode_); }

bool Document::IsWholeImageFiltered() const {
    return filterRect.top == 0 && filterRect.left == 0 && filterRect.bottom == height_ &&
           filterRect.right == width_;
}

bool Document::operator==(const Document& other) const {
    return mode_ == other.mode_ && width_ == other.width_ && height_ == other.height_ &&
           planes_ == other.planes_;
}
