// Modules are ELF shared libraries: the property list sits in a section named
// after the resource type, and the module is opened with dlopen.
#include <dlfcn.h>

#include "app/elf_section_reader.h"
#include "app/platform_module.h"

namespace {

constexpr char kPropertyListSection[] = ".PIPL";

std::string DescribeElfFailure(ElfReadStatus status) {
    switch (status) {
        case ElfReadStatus::kCannotOpen:
            return "the file cannot be read";
        case ElfReadStatus::kNotElf:
            return "the file is not a shared library";
        case ElfReadStatus::kUnsupported:
            return "the library is not a little-endian 32- or 64-bit ELF file";
        case ElfReadStatus::kMalformed:
            return "the library's section headers are damaged";
        case ElfReadStatus::kSectionNotFound:
            return "the library carries no property list (no .PIPL section)";
        case ElfReadStatus::kOk:
            break;
    }
    return "unknown failure";
}

}  // namespace

NativeLibrary::~NativeLibrary() {
    if (library_ != nullptr) dlclose(library_);
}

bool NativeLibrary::Open(const std::string& path, std::string* error) {
    // RTLD_LOCAL keeps two plug-ins' identical symbol names apart.
    library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ != nullptr) return true;
    const char* reason = dlerror();
    *error = reason != nullptr ? reason : "dlopen failed";
    return false;
}

void* NativeLibrary::FindSymbol(const char* name) const {
    return library_ != nullptr ? dlsym(library_, name) : nullptr;
}

bool ReadModulePropertyList(const std::string& path, std::vector<uint8_t>* bytes,
                            std::string* error) {
    ElfSectionContents section = ReadElfSection(path, kPropertyListSection);
    if (section.status != ElfReadStatus::kOk) {
        *error = DescribeElfFailure(section.status);
        return false;
    }
    *bytes = std::move(section.bytes);
    return true;
}
