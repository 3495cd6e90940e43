// lumistra-installed-help-check: the Help command of an installed plug-in, end to
// end. Reads "HelpFile" from both registry views with the plug-in's own reader,
// loads the module from where the setup program put it, opens its dialog in a
// host window, presses Help and checks that the shell is asked to open the help
// page the installation put in place.
//
//   lumistra-installed-help-check MODULE
//
// Prints one line per check and exits 0 when all passed, 1 when any failed;
// started without arguments it exits with 2.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/filter_host.h"
#include "app/plugin_module.h"
#include "resources/resource_ids.h"
#include "tests/windows/programs/window_user.h"
#include "ui/win32/help_location.h"
#include "ui/win32/registry_key.h"

namespace {

constexpr char kDialogCaption[] = "LUMISTRA  v1.1.4";
constexpr char kHelpErrorCaption[] = "VLK QNT - ERROR";

int failures = 0;

void Expect(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

// The value as the plug-in of that view reads it; empty when it cannot.
std::string ReadHelpValue(REGSAM view, const char* viewName) {
    char keyName[kRegistryKeyCapacity];
    char location[kHelpLocationCapacity] = {};
    DWORD length = kHelpLocationCapacity;
    RegistryKey key;
    LONG result = ERROR_INVALID_DATA;
    if (ProductRegistryKey(kProductCode, keyName, sizeof keyName)) {
        result = key.Open(HKEY_LOCAL_MACHINE, keyName, KEY_READ | view);
    }
    if (result == ERROR_SUCCESS) {
        result = QueryStringValue(key.Get(), kHelpValueName, location, &length);
    }
    DWORD type = REG_NONE;
    DWORD bytes = 0;
    if (key.Get() != nullptr) {
        RegQueryValueExA(key.Get(), kHelpValueName, nullptr, &type, nullptr, &bytes);
    }
    const std::string value = result == ERROR_SUCCESS ? location : "";
    Expect(result == ERROR_SUCCESS && type == REG_SZ && length == value.size() + 1 &&
               !value.empty() && value.back() == '\\',
           std::string("HelpFile in the ") + viewName + " registry view reads back as \"" + value +
               "\" (result " + std::to_string(result) + ", type " + std::to_string(type) + ", " +
               std::to_string(length) + " bytes with the terminating zero, closing separator)");
    return value;
}

std::vector<std::string> shellOpens;

HINSTANCE WINAPI ObserveShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT) {
    shellOpens.push_back(std::string(verb ? verb : "(null)") + " " + (file ? file : "(null)"));
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

Document MakeGreyPhoto() {
    Document document(ColourMode::kRgb, 400, 300);
    for (int plane = 0; plane < 3; ++plane) {
        PixelBytes& samples = document.Plane(plane);
        for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i * 7);
    }
    return document;
}

// Opens the dialog, presses Help once and cancels; what the user saw instead of
// the shell call, if anything, comes back.
std::string PressHelpInDialog(const PluginModule& module, HWND hostWindow) {
    Document photo = MakeGreyPhoto();
    FilterHost host(module, photo);
    host.SetPlatformWindow(reinterpret_cast<intptr_t>(hostWindow));
    std::string shown;
    UserThread user([&] {
        const HWND dialog = WaitForDialog(kDialogCaption);
        if (dialog == nullptr) {
            shown = "the dialog did not open";
            return;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_HELP_BUTTON)));
        for (int waited = 0; waited < 500 && shellOpens.empty(); ++waited) {
            if (FindWindowA("#32770", kHelpErrorCaption) != nullptr) {
                shown = AnswerMessageBox(kHelpErrorCaption);
                break;
            }
            Sleep(20);
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        WaitUntilGone(dialog);
    });
    InvocationOptions invocation;
    invocation.playInfo = plugInDialogDisplay;
    const InvocationReport report = host.Invoke(invocation);
    user.Join();
    Expect(report.result == userCanceledErr,
           "the dialog was cancelled after Help (result " + std::to_string(report.result) + ")");
    return shown;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MODULE\n", argv[0]);
        return 2;
    }
    const std::string location32 = ReadHelpValue(KEY_WOW64_32KEY, "32-bit");
    const std::string location64 = ReadHelpValue(KEY_WOW64_64KEY, "64-bit");
    Expect(location32 == location64, "both views name the same help folder");
    const std::string ownView = sizeof(void*) == 8 ? location64 : location32;

    std::string error;
    const std::unique_ptr<PluginModule> module = PluginModule::Load(argv[1], &error);
    Expect(module != nullptr,
           std::string("the installed module loads from ") + argv[1] + " " + error);
    if (!module) return 1;
    HMODULE instance = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(module->entry()), &instance);
    Expect(RedirectImport(instance, "ShellExecuteA",
                          reinterpret_cast<const void*>(&ObserveShellExecute)),
           "the module calls ShellExecuteA");

    const HWND hostWindow = MakeHostWindow();
    const std::string shown = PressHelpInDialog(*module, hostWindow);
    DestroyWindow(hostWindow);
    Expect(shown.empty(), "Help showed no message" + (shown.empty() ? "" : ": " + shown));
    const std::string expected = "open file://" + ownView + kHelpPageName;
    Expect(shellOpens.size() == 1 && shellOpens[0] == expected,
           "Help asks the shell to " +
               (shellOpens.empty() ? std::string("open nothing") : shellOpens[0]));
    Expect(IsFile(ownView + kHelpPageName), "the help page " + ownView + kHelpPageName + " exists");

    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
