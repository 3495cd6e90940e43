// How every dialog box of the plug-in is created: inside the activation context of
// the module's own manifest when it carries one, else under the host's context,
// with the trackbar class registered if the host did not register it.
#pragma once

#include <windows.h>

// DialogBoxParam on the named template of module. Returns the dialog call's result
// unchanged and leaves its error code for the caller (GetLastError).
INT_PTR DialogBoxInModuleContext(HINSTANCE module, const char* templateName, HWND parent,
                                 DLGPROC procedure, LPARAM parameter);
