#include <windows.h>

#include "host/platform.h"

ScreenSize PlatformScreenSize() {
    return ScreenSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void PlatformShowError(const char* caption, const char* text) {
    MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// The About box comes with the dialogs; until then the about selector shows
// nothing and succeeds.
OSErr PlatformShowAbout(const AboutRecord&) { return noErr; }
