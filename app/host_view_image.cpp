#include "app/host_view_image.h"

namespace {

constexpr int32_t kMaskInverted = 4;

uint8_t Blend(uint32_t sample, uint32_t backdrop, uint32_t weight) {
    return static_cast<uint8_t>((sample * weight + backdrop * (255u - weight) + 127u) / 255u);
}

}  // namespace

void HostViewImage::Resize(int32_t width, int32_t height) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    rgb_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3u, 255);
    drawings_ = 0;
}

uint8_t HostViewImage::CheckerAt(int32_t x, int32_t y) {
    return ((x / kCheckerSquare + y / kCheckerSquare) % 2 == 0) ? kCheckerLight : kCheckerDark;
}

void HostViewImage::Draw(const DisplayCopy& copy) {
    bool drew = false;
    for (int32_t y = 0; y < copy.height; ++y) {
        const int32_t viewY = copy.destinationRow + y;
        if (viewY < 0 || viewY >= height_) continue;
        for (int32_t x = 0; x < copy.width; ++x) {
            const int32_t viewX = copy.destinationColumn + x;
            if (viewX < 0 || viewX >= width_) continue;
            uint8_t* out = rgb_.data() + (static_cast<std::size_t>(viewY) * width_ + viewX) * 3u;
            uint32_t weight = 255;
            if (copy.mask) {
                weight = (*copy.mask)[static_cast<std::size_t>(y) * copy.width + x];
                if (copy.maskDescription == kMaskInverted) weight = 255u - weight;
            }
            const uint8_t backdrop = CheckerAt(viewX, viewY);
            for (int32_t channel = 0; channel < 3; ++channel) {
                const int32_t plane = copy.planeCount == 1 ? 0 : channel;
                out[channel] = Blend(copy.Sample(x, y, plane), backdrop, weight);
            }
            drew = true;
        }
    }
    if (drew) ++drawings_;
}

std::array<uint8_t, 3> HostViewImage::At(int32_t x, int32_t y) const {
    const uint8_t* at = rgb_.data() + (static_cast<std::size_t>(y) * width_ + x) * 3u;
    return {at[0], at[1], at[2]};
}

void HostViewImage::SetPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
    uint8_t* at = rgb_.data() + (static_cast<std::size_t>(y) * width_ + x) * 3u;
    at[0] = red;
    at[1] = green;
    at[2] = blue;
}

void HostViewImage::DrawFrame(int32_t left, int32_t top, int32_t right, int32_t bottom,
                              uint8_t red) {
    if (left >= right || top >= bottom) return;
    const auto put = [&](int32_t x, int32_t y) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        SetPixel(x, y, red, 0, 0);
    };
    for (int32_t x = left; x < right; ++x) {
        put(x, top);
        put(x, bottom - 1);
    }
    for (int32_t y = top; y < bottom; ++y) {
        put(left, y);
        put(right - 1, y);
    }
}
