// Reads one named section from an ELF file (a shared library) without
// loading it, so that a host can read a plug-in's property list before it
// runs any of the plug-in's code. Handles 32- and 64-bit little-endian files
// and treats the file as untrusted: every offset is checked against its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class ElfReadStatus {
    kOk,
    kCannotOpen,   // the file could not be read
    kNotElf,       // no ELF signature
    kUnsupported,  // big-endian or unknown class
    kMalformed,    // headers or offsets outside the file
    kSectionNotFound,
};

struct ElfSectionContents {
    ElfReadStatus status = ElfReadStatus::kSectionNotFound;
    std::vector<uint8_t> bytes;  // filled only with kOk; empty for a section without file data
};

// Looks the section up in an ELF image held in memory.
ElfSectionContents FindElfSection(const uint8_t* image, std::size_t size,
                                  const std::string& sectionName);

ElfSectionContents ReadElfSection(const std::string& path, const std::string& sectionName);
