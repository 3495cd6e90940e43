#include "ui/win32/help_command.h"

#include <windows.h>
// Needs the types of windows.h.
#include <shellapi.h>

#include "ui/win32/help_location.h"
#include "ui/win32/registry_key.h"

namespace {

constexpr char kHelpErrorCaption[] = "VLK QNT - ERROR";
constexpr char kLocationUnknownMessage[] = "Help location could not be determined";
constexpr char kCannotOpenMessage[] = "Help could not be opened";

// ShellExecute reports success by any value above this one.
constexpr INT_PTR kShellExecuteLastError = 32;

void ShowHelpError(const char* text) {
    MessageBoxA(nullptr, text, kHelpErrorCaption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace

bool RunHelpCommand() {
    char keyName[kRegistryKeyCapacity];
    char location[kHelpLocationCapacity] = {};
    {
        RegistryKey key;
        DWORD length = kHelpLocationCapacity;
        if (!ProductRegistryKey(kProductCode, keyName, sizeof keyName) ||
            key.Open(HKEY_LOCAL_MACHINE, keyName, KEY_READ) != ERROR_SUCCESS ||
            QueryStringValue(key.Get(), kHelpValueName, location, &length) != ERROR_SUCCESS) {
            ShowHelpError(kLocationUnknownMessage);
            return false;
        }
    }
    char address[kHelpAddressCapacity];
    if (!ComposeHelpAddress(location, address, sizeof address)) {
        ShowHelpError(kCannotOpenMessage);
        return false;
    }
    const HINSTANCE opened =
        ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(opened) > kShellExecuteLastError) return true;
    ShowHelpError(kCannotOpenMessage);
    return false;
}
