// The operating-system side of loading a plug-in module: reading its property
// list without running any of its code, and opening it to find its entry
// point. Each platform supplies one implementation file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An open module, closed when this object goes away.
class NativeLibrary {
public:
    NativeLibrary() = default;
    ~NativeLibrary();
    NativeLibrary(const NativeLibrary&) = delete;
    NativeLibrary& operator=(const NativeLibrary&) = delete;

    // On failure returns false and describes why in *error.
    bool Open(const std::string& path, std::string* error);
    // Null when the module exports no symbol of that name.
    void* FindSymbol(const char* name) const;

private:
    void* library_ = nullptr;
};

// The bytes of the module's property list ("PIPL" resource), read from the
// file on disk. On failure returns false and describes why in *error.
bool ReadModulePropertyList(const std::string& path, std::vector<uint8_t>* bytes,
                            std::string* error);
