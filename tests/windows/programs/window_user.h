// What the Windows test programs do as the user of a modal dialog: a thread of
// their own that works it through window messages while the host's thread
// runs the dialog's loop, and a look at the calls a module makes to the system.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// How long a wait for a window lasts before it gives up.
constexpr DWORD kWaitMs = 30000;

// The user's side of a modal dialog: runs on its own thread while the host's
// thread sits in the dialog's loop. (This runtime has no std::thread.)
class UserThread {
public:
    explicit UserThread(std::function<void()> work) : work_(std::move(work)) {
        thread_ = CreateThread(nullptr, 0, &UserThread::Start, this, 0, nullptr);
    }
    ~UserThread() { Join(); }
    UserThread(const UserThread&) = delete;
    UserThread& operator=(const UserThread&) = delete;

    void Join() {
        if (thread_ == nullptr) return;
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }

private:
    static DWORD WINAPI Start(void* self) {
        static_cast<UserThread*>(self)->work_();
        return 0;
    }

    std::function<void()> work_;
    HANDLE thread_ = nullptr;
};

// A window's text, and the text of a dialog's control.
std::string TextOf(HWND window);
std::string ItemText(HWND dialog, int id);

// A visible dialog (or message box) with this caption, or null after kWaitMs.
HWND WaitForDialog(const char* caption);
// False when the window still exists after kWaitMs.
bool WaitUntilGone(HWND window);
// Waits for a message box with this caption, returns its text and presses OK.
std::string AnswerMessageBox(const char* caption);

// A visible top-level window standing for the host's own, to own the plug-in's dialogs.
HWND MakeHostWindow();

// Makes the module's imported function of this name call replacement instead;
// false when the module does not import it.
bool RedirectImport(HMODULE module, const char* name, const void* replacement);

// The window as it is on the screen, RGB bytes row after row.
struct Screenshot {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;

    bool IsRed(int32_t x, int32_t y) const {
        const uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        return pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 0;
    }
};

Screenshot Capture(HWND window);
