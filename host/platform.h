// What the plug-in needs from the operating system's user interface. Windows
// has a real implementation; elsewhere there is no window to show, so the
// messages go to standard error and the screen is taken to be a large one.
#pragma once

#include <cstdint>

#include "interface/plugin_interface.h"

struct ScreenSize {
    int32_t width;
    int32_t height;
};

ScreenSize PlatformScreenSize();

// An error message box with no owner window, brought to the foreground.
void PlatformShowError(const char* caption, const char* text);

// The About box, owned by the host's window in the AboutRecord.
OSErr PlatformShowAbout(const AboutRecord& about);
