#include "ui/win32/about_box.h"

#include "resources/resource_ids.h"
#include "ui/win32/dialog_box.h"

namespace {

constexpr char kVersionLine[] = "Version 1.1.4  (10/2004)";
constexpr char kAboutErrorCaption[] = "LUMISTRA Plug-In - ERROR";
constexpr char kAboutFailedMessage[] = "Could not display About window";

constexpr INT_PTR kAboutAccepted = 1;
constexpr INT_PTR kAboutCancelled = 2;

}  // namespace

void ShowAboutBox(HINSTANCE module, HWND hostWindow) {
    const INT_PTR result =
        DialogBoxInModuleContext(module, LUMISTRA_ABOUT_DIALOG, hostWindow, VLKQNTAboutProc, 0);
    if (result == -1 || result == 0) {
        MessageBoxA(nullptr, kAboutFailedMessage, kAboutErrorCaption,
                    MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    }
}

extern "C" INT_PTR CALLBACK VLKQNTAboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, kVersionLine);
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) return FALSE;
            switch (LOWORD(wParam)) {
                case IDC_OK:
                    EndDialog(dialog, kAboutAccepted);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, kAboutCancelled);
                    return TRUE;
                case IDC_LOGO:
                    return TRUE;  // the logo answers clicks but does nothing
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
