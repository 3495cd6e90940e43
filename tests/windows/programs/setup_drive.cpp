// lumistra-setup-drive: runs the setup program with its pages, as a user would.
// Passes the folder page, and on the page of host applications prints every host
// offered, unticks the ones whose text holds UNTICK, names FOLDER as another
// plug-ins folder for a 32-bit host, then installs and closes the program.
//
//   lumistra-setup-drive SETUP UNTICK FOLDER [SCREENSHOT.ppm]
//
// Prints one line per step ("host: TEXT (ticked)" for each host offered) and
// exits with the setup program's exit status, or 1 when a page did not come;
// started without arguments it exits with 2. SCREENSHOT receives the page of
// host applications as it was when Next was pressed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/windows/programs/window_user.h"

namespace {

// The window's title begins so; the page's own caption follows.
constexpr char kSetupCaption[] = "LUMISTRA 1.1.4 Setup";
constexpr int kNextButton = 1;  // NSIS's Next, Install and Close button

struct Control {
    HWND window;
    std::string className;
    LONG style;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM list) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (IsWindowVisible(child)) {
        reinterpret_cast<std::vector<Control>*>(list)->push_back(
            {child, name, GetWindowLongA(child, GWL_STYLE)});
    }
    return TRUE;
}

// The visible controls of the window, its pages' controls included.
std::vector<Control> ControlsOf(HWND window) {
    std::vector<Control> controls;
    EnumChildWindows(window, &CollectControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

bool IsCheckbox(const Control& control) {
    const LONG kind = control.style & BS_TYPEMASK;
    return control.className == "Button" && (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX);
}

bool IsRadioButton(const Control& control) {
    const LONG kind = control.style & BS_TYPEMASK;
    return control.className == "Button" && (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON);
}

// Waits until the page shows a control that satisfies found; null after the wait.
template <typename Test>
HWND WaitForControl(HWND setup, Test found) {
    for (DWORD waited = 0; waited < kWaitMs; waited += 50) {
        for (const Control& control : ControlsOf(setup)) {
            if (found(control)) return control.window;
        }
        Sleep(50);
    }
    return nullptr;
}

BOOL CALLBACK FindSetupWindow(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && TextOf(window).rfind(kSetupCaption, 0) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForSetupWindow() {
    for (DWORD waited = 0; waited < kWaitMs; waited += 50) {
        HWND found = nullptr;
        EnumWindows(&FindSetupWindow, reinterpret_cast<LPARAM>(&found));
        if (found != nullptr) return found;
        Sleep(50);
    }
    return nullptr;
}

// Posted, not sent: the next page runs a message loop of its own until it is
// left, so a sent click would come back only then.
void PressNext(HWND setup) {
    PostMessageA(setup, WM_COMMAND, MAKEWPARAM(kNextButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(setup, kNextButton)));
}

bool WritePpm(const std::string& path, const Screenshot& shot) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", static_cast<int>(shot.width),
                 static_cast<int>(shot.height));
    const bool written = std::fwrite(shot.rgb.data(), 1, shot.rgb.size(), file) == shot.rgb.size();
    return std::fclose(file) == 0 && written;
}

// The page of host applications: report, untick, name the other folder.
bool WorkHostsPage(HWND setup, const std::string& untick, const std::string& folder,
                   const std::string& screenshot) {
    const HWND other = WaitForControl(setup, [](const Control& control) {
        return IsRadioButton(control) && TextOf(control.window) == "for a 32-bit host";
    });
    if (other == nullptr) {
        std::printf("FAILED: the page of host applications did not come\n");
        return false;
    }
    for (const Control& control : ControlsOf(setup)) {
        if (!IsCheckbox(control)) continue;
        const std::string text = TextOf(control.window);
        const bool ticked = SendMessageA(control.window, BM_GETCHECK, 0, 0) == BST_CHECKED;
        std::printf("host: %s (%s)\n", text.c_str(), ticked ? "ticked" : "not ticked");
        if (ticked && text.find(untick) != std::string::npos) {
            SendMessageA(control.window, BM_CLICK, 0, 0);
            std::printf("unticked: %s\n", text.c_str());
        }
    }
    for (const Control& control : ControlsOf(setup)) {
        // The only edit field of the page is the other plug-ins folder.
        if (control.className == "Edit") {
            SendMessageA(control.window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        }
    }
    SendMessageA(other, BM_CLICK, 0, 0);
    if (!screenshot.empty()) {
        SendMessageA(setup, WM_NULL, 0, 0);
        Sleep(300);
        WritePpm(screenshot, Capture(setup));
    }
    PressNext(setup);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s SETUP UNTICK FOLDER [SCREENSHOT.ppm]\n", argv[0]);
        return 2;
    }
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("FAILED: %s does not start (%lu)\n", argv[1], GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);

    bool worked = false;
    const HWND setup = WaitForSetupWindow();
    if (setup == nullptr) {
        std::printf("FAILED: no window \"%s ...\"\n", kSetupCaption);
    } else if (WaitForControl(setup, [](const Control& control) {
                   return control.className == "Edit" &&
                          TextOf(control.window).find("LUMISTRA") != std::string::npos;
               }) == nullptr) {
        std::printf("FAILED: the folder page did not come\n");
    } else {
        std::printf("folder page: Next\n");
        PressNext(setup);
        worked = WorkHostsPage(setup, argv[2], argv[3], argc == 5 ? argv[4] : "");
    }
    if (worked) {
        std::printf("hosts page: Next\n");
        // The Close button is enabled once the installation is done.
        const HWND next = GetDlgItem(setup, kNextButton);
        worked = false;
        for (DWORD waited = 0; waited < kWaitMs && !worked; waited += 50) {
            worked = IsWindowEnabled(next) && TextOf(next) == "&Close";
            if (!worked) Sleep(50);
        }
        std::printf("%s\n", worked ? "installed: Close" : "FAILED: the installation did not end");
        // A click that comes while the page is still settling is lost: press again.
        for (DWORD waited = 0; worked && waited < kWaitMs && IsWindow(setup); waited += 1000) {
            PressNext(setup);
            WaitForSingleObject(process.hProcess, 1000);
        }
    }
    if (!worked) TerminateProcess(process.hProcess, 1);
    const DWORD waited = WaitForSingleObject(process.hProcess, kWaitMs);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    std::printf("setup exit status %lu%s\n", status,
                waited == WAIT_OBJECT_0 ? "" : " (still running)");
    return worked ? static_cast<int>(status) : 1;
}
