// A computer-based-training hook on this thread sees each message box as it
// is activated: it reads the caption and the text and presses OK, so that an
// unattended run never waits for a user.
#include <windows.h>

#include "tools/selector_run/message_capture.h"

namespace {

// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

std::vector<std::string>* activeLog = nullptr;

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, static_cast<int>(sizeof text));
    return text;
}

LRESULT CALLBACK OnComputerBasedTraining(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeLog != nullptr) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        char className[64] = {};
        GetClassNameA(box, className, static_cast<int>(sizeof className));
        if (std::string(className) == "#32770") {  // a dialog box
            // A message box has an OK button of id IDOK; the plug-in's own dialogs
            // (the About box) have none and are not messages: they are closed as a
            // user would, unrecorded, since hosts without dialogs show none.
            if (GetDlgItem(box, IDOK) != nullptr) {
                const HWND textControl = GetDlgItem(box, kMessageBoxTextId);
                activeLog->push_back(WindowText(box) + ": " +
                                     (textControl != nullptr ? WindowText(textControl) : ""));
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            } else {
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

struct MessageCapture::State {
    HHOOK hook = nullptr;
    std::vector<std::string> lines;
};

MessageCapture::MessageCapture() : state_(new State) {
    activeLog = &state_->lines;
    state_->hook =
        SetWindowsHookExA(WH_CBT, OnComputerBasedTraining, nullptr, GetCurrentThreadId());
}

MessageCapture::~MessageCapture() {
    Finish();
    delete state_;
}

std::vector<std::string> MessageCapture::Finish() {
    if (state_->hook != nullptr) {
        UnhookWindowsHookEx(state_->hook);
        state_->hook = nullptr;
    }
    activeLog = nullptr;
    std::vector<std::string> lines;
    lines.swap(state_->lines);
    return lines;
}
