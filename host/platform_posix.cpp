#include <cstdio>

#include "host/platform.h"

ScreenSize PlatformScreenSize() { return ScreenSize{1920, 1080}; }

void PlatformShowError(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

// There is no About box without a window system.
OSErr PlatformShowAbout(const AboutRecord&) { return noErr; }
