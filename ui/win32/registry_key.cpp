#include "ui/win32/registry_key.h"

#include "ui/win32/help_location.h"

LONG RegistryKey::Open(HKEY root, const char* subKey, REGSAM access) {
    Close();
    return RegOpenKeyExA(root, subKey, 0, access, &key_);
}

void RegistryKey::Close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
}

LONG QueryStringValue(HKEY key, const char* valueName, char* buffer, DWORD* length) {
    const DWORD capacity = length != nullptr ? *length : 0;
    DWORD type = REG_NONE;
    const LONG queried =
        RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), length);
    const DWORD stored = length != nullptr ? *length : 0;
    return CheckStringValue(queried, type, reinterpret_cast<const uint8_t*>(buffer), stored,
                            capacity);
}
