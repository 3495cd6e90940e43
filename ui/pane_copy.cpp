#include "ui/pane_copy.h"

#include <algorithm>
#include <cstring>

namespace {
int32_t Width(const Rect& rect) { return int32_t(rect.right) - rect.left; }
int32_t Height(const Rect& rect) { return int32_t(rect.bottom) - rect.top; }

const uint8_t* RowStart(const uint8_t* buffer, const Rect& rect, int32_t stride, int32_t row,
                        int32_t columnScale) {
    return buffer + (ptrdiff_t(rect.top) + row) * stride + ptrdiff_t(rect.left) * columnScale;
}
uint8_t* RowStart(uint8_t* buffer, const Rect& rect, int32_t stride, int32_t row,
                  int32_t columnScale) {
    return buffer + (ptrdiff_t(rect.top) + row) * stride + ptrdiff_t(rect.left) * columnScale;
}
}  // namespace

void CopyRows(const uint8_t* source, const Rect& sourceRect, int32_t sourceStride,
              uint8_t* destination, const Rect& destinationRect, int32_t destinationStride) {
    const int32_t width = std::min(Width(sourceRect), Width(destinationRect));
    const int32_t height = std::min(Height(sourceRect), Height(destinationRect));
    if (width <= 0) return;
    for (int32_t k = 0; k < height; ++k) {
        std::memcpy(RowStart(destination, destinationRect, destinationStride, k, 1),
                    RowStart(source, sourceRect, sourceStride, k, 1), size_t(width));
    }
}

void ExtractPlane(const uint8_t* source, const Rect& sourceRect, int32_t sourceStride,
                  uint8_t* destination, const Rect& destinationRect, int32_t destinationStride,
                  int32_t bytesPerPixel, int32_t planeIndex) {
    const int32_t destinationWidth = Width(destinationRect);
    const int32_t destinationHeight = Height(destinationRect);
    const int32_t width = std::min(Width(sourceRect), destinationWidth);
    const int32_t height = std::min(Height(sourceRect), destinationHeight);
    if (width <= 0 || height <= 0) return;
    for (int32_t k = 0; k < height; ++k) {
        const uint8_t* in =
            RowStart(source, sourceRect, sourceStride, k, bytesPerPixel) + planeIndex;
        uint8_t* out = RowStart(destination, destinationRect, destinationStride, k, 1);
        for (int32_t x = 0; x < width; ++x) out[x] = in[ptrdiff_t(x) * bytesPerPixel];
        std::memset(out + width, out[width - 1], size_t(destinationWidth - width));
    }
    for (int32_t k = height; k < destinationHeight; ++k) {
        std::memcpy(RowStart(destination, destinationRect, destinationStride, k, 1),
                    RowStart(destination, destinationRect, destinationStride, k - 1, 1),
                    size_t(destinationWidth));
    }
}

void InsertPlane(const uint8_t* source, const Rect& sourceRect, int32_t sourceStride,
                 uint8_t* destination, const Rect& destinationRect, int32_t destinationStride,
                 int32_t bytesPerPixel, int32_t planeIndex) {
    const int32_t width = std::min(Width(sourceRect), Width(destinationRect));
    const int32_t height = std::min(Height(sourceRect), Height(destinationRect));
    for (int32_t k = 0; k < height; ++k) {
        const uint8_t* in = RowStart(source, sourceRect, sourceStride, k, 1);
        uint8_t* out = RowStart(destination, destinationRect, destinationStride, k, bytesPerPixel) +
                       planeIndex;
        for (int32_t x = 0; x < width; ++x) out[ptrdiff_t(x) * bytesPerPixel] = in[x];
    }
}

void ReplicateEdges(uint8_t* buffer, int32_t width, int32_t height, int32_t bytesPerPixel,
                    int32_t filledWidth, int32_t filledHeight) {
    if (filledWidth <= 0 || filledHeight <= 0) return;
    filledWidth = std::min(filledWidth, width);
    filledHeight = std::min(filledHeight, height);
    const ptrdiff_t stride = ptrdiff_t(width) * bytesPerPixel;
    for (int32_t y = 0; y < filledHeight; ++y) {
        uint8_t* row = buffer + y * stride;
        const uint8_t* last = row + ptrdiff_t(filledWidth - 1) * bytesPerPixel;
        for (int32_t x = filledWidth; x < width; ++x) {
            std::memcpy(row + ptrdiff_t(x) * bytesPerPixel, last, size_t(bytesPerPixel));
        }
    }
    for (int32_t y = filledHeight; y < height; ++y) {
        std::memcpy(buffer + y * stride, buffer + (y - 1) * stride, size_t(stride));
    }
}
