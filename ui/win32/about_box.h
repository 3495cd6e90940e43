// The About box "ABOUTQNT": product name, version line, the maker's notice and
// the logo, shown for the host's about selector.
#pragma once

#include <windows.h>

// Runs the About box owned by hostWindow; a box that cannot be created is
// reported with "Could not display About window".
void ShowAboutBox(HINSTANCE module, HWND hostWindow);

// The dialog procedure of "ABOUTQNT", exported from the module.
extern "C" INT_PTR CALLBACK VLKQNTAboutProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);
