// Draws pixel maps into a memory device context through the host's
// displayPixels drawing and reads the bitmap back: the pixels of the source
// rectangle must land unscaled at the destination, and nothing else may
// change. Run under Wine by the Windows checks; exits 0 when all holds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/pixel_display.h"
#include "interface/plugin_constants.h"

namespace {

constexpr int kSurfaceWidth = 64;
constexpr int kSurfaceHeight = 48;
constexpr uint32_t kBackground = 0x00FFFFFF;

uint8_t Sample(int x, int y, int plane) { return static_cast<uint8_t>(x * 9 + y * 5 + plane * 70); }

int failures = 0;

void Expect(bool condition, const char* what) {
    if (!condition) {
        std::printf("FAILED: %s\n", what);
        ++failures;
    }
}

}  // namespace

int main() {
    const HDC screen = GetDC(nullptr);
    const HDC context = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSurfaceWidth;
    info.bmiHeader.biHeight = -kSurfaceHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP surface = CreateDIBSection(context, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (surface == nullptr || bits == nullptr) {
        std::printf("FAILED: no drawing surface\n");
        return 1;
    }
    const HGDIOBJ previous = SelectObject(context, surface);
    auto* pixels = static_cast<uint32_t*>(bits);
    std::fill(pixels, pixels + kSurfaceWidth * kSurfaceHeight, kBackground);

    // A planar RGB map of 20 x 10 pixels at bounds (left 200, top 100), rows padded.
    const int width = 20, height = 10, rowBytes = 23;
    std::vector<uint8_t> planes(static_cast<std::size_t>(rowBytes * height * 3), 0);
    for (int plane = 0; plane < 3; ++plane) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                planes[static_cast<std::size_t>(plane * rowBytes * height + y * rowBytes + x)] =
                    Sample(x, y, plane);
            }
        }
    }
    PSPixelMap map{};
    map.version = 1;
    map.bounds = VRect{100, 200, 100 + height, 200 + width};
    map.imageMode = plugInModeRGBColor;
    map.rowBytes = rowBytes;
    map.colBytes = 1;
    map.planeBytes = rowBytes * height;
    map.baseAddr = planes.data();

    // Map pixels x 5..17, y 2..8 to surface column 9, row 5.
    const VRect source{102, 205, 109, 218};
    const int row = 5, column = 9;
    Expect(DrawPixelMap(map, source, row, column, context) == noErr, "drawing succeeds");
    GdiFlush();
    int compared = 0;
    for (int y = 0; y < kSurfaceHeight; ++y) {
        for (int x = 0; x < kSurfaceWidth; ++x) {
            const int mapX = x - column + 5, mapY = y - row + 2;
            const bool inside = mapX >= 5 && mapX < 18 && mapY >= 2 && mapY < 9;
            const uint32_t expected =
                inside ? (uint32_t{Sample(mapX, mapY, 0)} << 16 |
                          uint32_t{Sample(mapX, mapY, 1)} << 8 | Sample(mapX, mapY, 2))
                       : kBackground;
            if ((pixels[y * kSurfaceWidth + x] & 0x00FFFFFF) != expected) {
                std::printf("FAILED: pixel (%d, %d) is %06x, expected %06x\n", x, y,
                            static_cast<unsigned>(pixels[y * kSurfaceWidth + x] & 0x00FFFFFF),
                            static_cast<unsigned>(expected));
                return 1;
            }
            ++compared;
        }
    }

    Expect(DrawPixelMap(map, source, row, column, nullptr) == paramErr, "no device context");
    PSPixelMap cmyk = map;
    cmyk.imageMode = plugInModeCMYKColor;
    Expect(DrawPixelMap(cmyk, source, row, column, context) == paramErr, "CMYK is refused");

    SelectObject(context, previous);
    DeleteObject(surface);
    DeleteDC(context);
    ReleaseDC(nullptr, screen);
    std::printf("%d pixels compared, %d failures\n", compared, failures);
    return failures == 0 ? 0 : 1;
}
