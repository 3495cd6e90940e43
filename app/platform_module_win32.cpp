// Modules are Windows DLLs: the property list is the first resource of type
// "PIPL", read through the resource API from the file mapped as data (none of
// its code runs), and the module is opened with LoadLibrary.
#include <windows.h>

#include "app/platform_module.h"

namespace {

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
    return wide;
}

std::string DescribeError(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length != 0 ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return "Windows error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

// The name of a resource: a number or a string, kept beyond the enumeration
// that reported it.
struct ResourceName {
    bool found = false;
    WORD id = 0;
    std::wstring text;

    LPCWSTR get() const { return text.empty() ? MAKEINTRESOURCEW(id) : text.c_str(); }
};

// Hosts take the first property list they find; a module normally has one.
BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR result) {
    ResourceName& first = *reinterpret_cast<ResourceName*>(result);
    first.found = true;
    if (IS_INTRESOURCE(name)) {
        first.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    } else {
        first.text = name;
    }
    return FALSE;
}

// A module mapped as a data file, released when this goes away.
class DataModule {
public:
    explicit DataModule(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~DataModule() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

}  // namespace

NativeLibrary::~NativeLibrary() {
    if (library_ != nullptr) FreeLibrary(static_cast<HMODULE>(library_));
}

bool NativeLibrary::Open(const std::string& path, std::string* error) {
    // A plug-in's own DLLs are looked for beside it, as hosts load them.
    library_ = LoadLibraryExW(Widen(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library_ != nullptr) return true;
    *error = DescribeError(GetLastError());
    return false;
}

void* NativeLibrary::FindSymbol(const char* name) const {
    if (library_ == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library_), name));
}

bool ReadModulePropertyList(const std::string& path, std::vector<uint8_t>* bytes,
                            std::string* error) {
    const DataModule module(Widen(path));
    if (module.get() == nullptr) {
        *error = "the file cannot be read as a module (" + DescribeError(GetLastError()) + ")";
        return false;
    }
    ResourceName name;
    EnumResourceNamesW(module.get(), L"PIPL", TakeFirstName, reinterpret_cast<LONG_PTR>(&name));
    const HRSRC resource = name.found ? FindResourceW(module.get(), name.get(), L"PIPL") : nullptr;
    if (resource == nullptr) {
        *error = "the module carries no property list (no \"PIPL\" resource)";
        return false;
    }
    const HGLOBAL loaded = LoadResource(module.get(), resource);
    const DWORD size = SizeofResource(module.get(), resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        *error = "the property list cannot be read (" + DescribeError(GetLastError()) + ")";
        return false;
    }
    const uint8_t* first = static_cast<const uint8_t*>(data);
    bytes->assign(first, first + size);
    return true;
}
