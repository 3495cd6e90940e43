// The preview dialog in a Windows host: the dialog box "QNT" owned by the host's
// window, its procedure VLKQNTProc passing every message to the dialog model.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/filter_parameters.h"
#include "ui/preview_port.h"

// Runs the modal dialog on parameters, which it edits in place. Returns 1 (OK),
// 2 (Cancel), -4 or -3 (the dialog could not start), -1 when the dialog box
// could not be created and -2 when the dialog call returned 0 (no usable parent).
int32_t ShowPreviewDialog(HINSTANCE module, HWND hostWindow, PreviewPort& port,
                          FilterParameters* parameters, int16_t planeCount);

// The dialog procedure of "QNT", exported from the module.
extern "C" INT_PTR CALLBACK VLKQNTProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
