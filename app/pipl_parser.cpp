#include "app/pipl_parser.h"

namespace {

constexpr std::size_t kListHeaderSize = 10;      // leading word, version, count
constexpr std::size_t kPropertyHeaderSize = 16;  // vendor, key, id, length
constexpr std::size_t kTerminologyFixedSize = 14;
constexpr std::size_t kFilterCaseSize = sizeof(FilterCaseInfo);

uint32_t ReadU32(const uint8_t* at) {
    return uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24;
}

uint16_t ReadU16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

bool ReadPascalString(const uint8_t* data, std::size_t size, std::string* out) {
    if (size == 0 || data[0] > size - 1) return false;
    out->assign(reinterpret_cast<const char*>(data + 1), data[0]);
    return true;
}

// The terminating zero must lie inside the data.
bool ReadCString(const uint8_t* data, std::size_t size, std::string* out) {
    for (std::size_t length = 0; length < size; ++length) {
        if (data[length] == 0) {
            out->assign(reinterpret_cast<const char*>(data), length);
            return true;
        }
    }
    return false;
}

bool ReadTerminology(const uint8_t* data, std::size_t size, PiplTerminology* out) {
    if (size < kTerminologyFixedSize) return false;
    out->classId = ReadU32(data + 4);
    out->eventId = ReadU32(data + 8);
    out->terminologyId = static_cast<int16_t>(ReadU16(data + 12));
    return ReadCString(data + kTerminologyFixedSize, size - kTerminologyFixedSize, &out->uniqueId);
}

bool ReadProperty(OSType key, const uint8_t* data, std::size_t size, PiplInfo* info) {
    switch (key) {
        case PIKindProperty:
            if (size < 4) return false;
            info->kind = ReadU32(data);
            return true;
        case PIVersionProperty:
            if (size < 4) return false;
            info->version = static_cast<int32_t>(ReadU32(data));
            return true;
        case PINameProperty:
            return ReadPascalString(data, size, &info->name);
        case PICategoryProperty:
            return ReadPascalString(data, size, &info->category);
        case PIWin32X86CodeProperty:
            return ReadCString(data, size, &info->entryPointX86);
        case PIWin64X86CodeProperty:
            return ReadCString(data, size, &info->entryPointX64);
        case PIEnableInfoProperty:
            return ReadCString(data, size, &info->enableExpression);
        case PIImageModesProperty:
            info->modeFlags.assign(data, data + size);
            return true;
        case PIFilterCaseInfoProperty:
            info->filterCases.clear();
            for (std::size_t at = 0; at + kFilterCaseSize <= size; at += kFilterCaseSize) {
                info->filterCases.push_back(
                    {static_cast<int8_t>(data[at]), static_cast<int8_t>(data[at + 1]),
                     static_cast<int8_t>(data[at + 2]), static_cast<int8_t>(data[at + 3])});
            }
            return true;
        case PIHasTerminologyProperty: {
            PiplTerminology terminology;
            if (!ReadTerminology(data, size, &terminology)) return false;
            info->terminology = terminology;
            return true;
        }
        default:
            return true;  // not needed to list or load a filter
    }
}

}  // namespace

bool PiplInfo::SupportsImageMode(int16_t imageMode) const {
    if (imageMode < 0) return false;
    const std::size_t byte = static_cast<std::size_t>(imageMode) / 8;
    return byte < modeFlags.size() && (modeFlags[byte] & (0x80 >> (imageMode % 8))) != 0;
}

const std::string& PiplInfo::NativeEntryPoint() const {
    return sizeof(void*) == 8 ? entryPointX64 : entryPointX86;
}

std::optional<PiplInfo> ParsePipl(const uint8_t* data, std::size_t size) {
    if (size < kListHeaderSize) return std::nullopt;
    // The leading word is skipped, as every host does.
    if (static_cast<int32_t>(ReadU32(data + 2)) != kPiPLVersion) return std::nullopt;
    const uint32_t count = ReadU32(data + 6);
    if (count > size / kPropertyHeaderSize) return std::nullopt;

    PiplInfo info;
    std::size_t at = kListHeaderSize;
    for (uint32_t index = 0; index < count; ++index) {
        if (size - at < kPropertyHeaderSize) return std::nullopt;
        const OSType vendor = ReadU32(data + at);
        const OSType key = ReadU32(data + at + 4);
        const uint32_t length = ReadU32(data + at + 12);
        at += kPropertyHeaderSize;
        if (length > size - at) return std::nullopt;
        if (vendor == kStandardVendorCode && !ReadProperty(key, data + at, length, &info)) {
            return std::nullopt;
        }
        // Lengths are normally padded already; rounding up also reads lists
        // written with exact lengths followed by padding.
        const std::size_t padded = (std::size_t{length} + 3) / 4 * 4;
        at += padded <= size - at ? padded : size - at;
    }
    return info;
}
