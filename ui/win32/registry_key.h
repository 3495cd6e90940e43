// One open registry key, closed when a new one is opened and when the holder
// goes, on every path out of the command that opened it.
#pragma once

#include <windows.h>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // RegOpenKeyEx; the key held before is closed first. Returns the Win32 error.
    LONG Open(HKEY root, const char* subKey, REGSAM access);
    void Close();
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// Reads a string value into buffer (length in: its size in bytes, out: the bytes
// stored). 0 on success; the registry's error when the read fails; 13
// (ERROR_INVALID_DATA) when the value is not a string or not terminated.
LONG QueryStringValue(HKEY key, const char* valueName, char* buffer, DWORD* length);
