#include <windows.h>

#include "host/platform.h"
#include "host/plugin_state.h"
#include "ui/win32/about_box.h"

ScreenSize PlatformScreenSize() {
    return ScreenSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void PlatformShowError(const char* caption, const char* text) {
    MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// A box that cannot be shown has said so itself; the about selector still succeeds.
OSErr PlatformShowAbout(const AboutRecord& about) {
    const HWND hostWindow =
        about.platformData != nullptr ? reinterpret_cast<HWND>(about.platformData->hwnd) : nullptr;
    ShowAboutBox(static_cast<HINSTANCE>(State().moduleHandle), hostWindow);
    return noErr;
}
