#include "tests/windows/programs/window_user.h"

#include <cstdint>
#include <cstring>

namespace {

// The control id of a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

}  // namespace

std::string TextOf(HWND window) {
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ItemText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

HWND WaitForDialog(const char* caption) {
    for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
        const HWND window = FindWindowA("#32770", caption);
        if (window != nullptr && IsWindowVisible(window)) return window;
        Sleep(20);
    }
    return nullptr;
}

bool WaitUntilGone(HWND window) {
    for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
        if (!IsWindow(window)) return true;
        Sleep(20);
    }
    return false;
}

std::string AnswerMessageBox(const char* caption) {
    const HWND box = WaitForDialog(caption);
    if (box == nullptr) return "(no message box)";
    const std::string text = ItemText(box, kMessageBoxTextId);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntilGone(box);
    return text;
}

bool RedirectImport(HMODULE module, const char* name, const void* replacement) {
    auto* base = reinterpret_cast<uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) {
                continue;
            }
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &protection);
            slots->u1.Function = reinterpret_cast<decltype(slots->u1.Function)>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return true;
        }
    }
    return false;
}

Screenshot Capture(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    Screenshot shot;
    shot.width = rect.right - rect.left;
    shot.height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    shot.rgb.resize(static_cast<std::size_t>(shot.width) * shot.height * 3);
    for (std::size_t i = 0; i < static_cast<std::size_t>(shot.width) * shot.height; ++i) {
        shot.rgb[i * 3] = static_cast<uint8_t>(pixels[i] >> 16);
        shot.rgb[i * 3 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
        shot.rgb[i * 3 + 2] = static_cast<uint8_t>(pixels[i]);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

HWND MakeHostWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "LumistraTestHost";
    RegisterClassA(&windowClass);
    return CreateWindowA("LumistraTestHost", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                         150, nullptr, nullptr, windowClass.hInstance, nullptr);
}
