// The pixels go to the device context as a top-down 32-bit bitmap, unscaled.
#include <windows.h>

#include "app/pixel_display.h"
#include "interface/plugin_constants.h"

OSErr DrawPixelMap(const PSPixelMap& source, const VRect& sourceRect, int32_t row, int32_t column,
                   void* platformContext) {
    const HDC context = static_cast<HDC>(platformContext);
    const std::vector<uint32_t> pixels = ComposeDisplayRows(source, sourceRect);
    if (context == nullptr || pixels.empty()) return paramErr;

    const int32_t width = sourceRect.right - sourceRect.left;
    const int32_t height = sourceRect.bottom - sourceRect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int drawn = SetDIBitsToDevice(
        context, column, row, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
        static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return drawn == height ? noErr : paramErr;
}
