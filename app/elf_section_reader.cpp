#include "app/elf_section_reader.h"

#include <fstream>
#include <iterator>

namespace {

constexpr uint8_t kElfClass32 = 1;
constexpr uint8_t kElfClass64 = 2;
constexpr uint8_t kElfLittleEndian = 1;
constexpr uint32_t kSectionTypeNoBits = 8;        // occupies no space in the file
constexpr uint16_t kSectionIndexEscape = 0xFFFF;  // real string-table index is in section 0

// Field positions of the file header and of one section header.
struct ElfLayout {
    std::size_t headerSize;
    std::size_t sectionTableOffsetAt;
    std::size_t sectionEntrySizeAt;
    std::size_t sectionCountAt;
    std::size_t sectionNamesIndexAt;
    std::size_t sectionEntrySize;
    std::size_t nameAt;
    std::size_t typeAt;
    std::size_t offsetAt;
    std::size_t sizeAt;
    std::size_t linkAt;
    std::size_t addressWidth;  // width of offsets and sizes
};

constexpr ElfLayout kElf32 = {52, 0x20, 0x2E, 0x30, 0x32, 40, 0, 4, 16, 20, 24, 4};
constexpr ElfLayout kElf64 = {64, 0x28, 0x3A, 0x3C, 0x3E, 64, 0, 4, 24, 32, 40, 8};

struct Section {
    uint32_t name;
    uint32_t type;
    uint64_t offset;
    uint64_t size;
    uint32_t link;
};

class ElfImage {
public:
    ElfImage(const uint8_t* data, std::size_t size, const ElfLayout& layout)
        : data_(data), size_(size), layout_(layout) {}

    bool Contains(uint64_t offset, uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }

    uint64_t Read(std::size_t offset, std::size_t width) const {
        uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i) value |= uint64_t{data_[offset + i]} << (8 * i);
        return value;
    }

    // Caller has checked that the whole table lies inside the image.
    Section SectionAt(uint64_t tableOffset, uint64_t entrySize, uint64_t index) const {
        const std::size_t at = static_cast<std::size_t>(tableOffset + index * entrySize);
        return {static_cast<uint32_t>(Read(at + layout_.nameAt, 4)),
                static_cast<uint32_t>(Read(at + layout_.typeAt, 4)),
                Read(at + layout_.offsetAt, layout_.addressWidth),
                Read(at + layout_.sizeAt, layout_.addressWidth),
                static_cast<uint32_t>(Read(at + layout_.linkAt, 4))};
    }

    const uint8_t* data() const { return data_; }
    const ElfLayout& layout() const { return layout_; }

private:
    const uint8_t* data_;
    std::size_t size_;
    const ElfLayout& layout_;
};

// Whether the zero-terminated name at names.offset + nameOffset, inside the
// names section, equals wanted.
bool NameMatches(const ElfImage& image, const Section& names, uint32_t nameOffset,
                 const std::string& wanted) {
    if (nameOffset >= names.size || wanted.size() >= names.size - nameOffset) return false;
    const uint8_t* name = image.data() + names.offset + nameOffset;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (name[i] != static_cast<uint8_t>(wanted[i])) return false;
    }
    return name[wanted.size()] == 0;
}

ElfSectionContents Status(ElfReadStatus status) {
    ElfSectionContents result;
    result.status = status;
    return result;
}

}  // namespace

ElfSectionContents FindElfSection(const uint8_t* data, std::size_t size,
                                  const std::string& sectionName) {
    if (size < 16 || data[0] != 0x7F || data[1] != 'E' || data[2] != 'L' || data[3] != 'F') {
        return Status(ElfReadStatus::kNotElf);
    }
    if (data[5] != kElfLittleEndian || (data[4] != kElfClass32 && data[4] != kElfClass64)) {
        return Status(ElfReadStatus::kUnsupported);
    }
    const ElfLayout& layout = data[4] == kElfClass64 ? kElf64 : kElf32;
    const ElfImage image(data, size, layout);
    if (!image.Contains(0, layout.headerSize)) return Status(ElfReadStatus::kMalformed);

    const uint64_t tableOffset = image.Read(layout.sectionTableOffsetAt, layout.addressWidth);
    const uint64_t entrySize = image.Read(layout.sectionEntrySizeAt, 2);
    uint64_t count = image.Read(layout.sectionCountAt, 2);
    uint64_t namesIndex = image.Read(layout.sectionNamesIndexAt, 2);
    if (tableOffset == 0) return Status(ElfReadStatus::kSectionNotFound);  // no section table
    if (entrySize < layout.sectionEntrySize || !image.Contains(tableOffset, entrySize)) {
        return Status(ElfReadStatus::kMalformed);
    }
    // Files with very many sections keep the count and the names index in section 0.
    const Section first = image.SectionAt(tableOffset, entrySize, 0);
    if (count == 0) count = first.size;
    if (namesIndex == kSectionIndexEscape) namesIndex = first.link;
    if (count > (size - tableOffset) / entrySize || namesIndex >= count) {
        return Status(ElfReadStatus::kMalformed);
    }

    const Section names = image.SectionAt(tableOffset, entrySize, namesIndex);
    if (names.type == kSectionTypeNoBits || !image.Contains(names.offset, names.size)) {
        return Status(ElfReadStatus::kMalformed);
    }
    for (uint64_t index = 1; index < count; ++index) {
        const Section section = image.SectionAt(tableOffset, entrySize, index);
        if (!NameMatches(image, names, section.name, sectionName)) continue;
        ElfSectionContents result;
        result.status = ElfReadStatus::kOk;
        if (section.type == kSectionTypeNoBits) return result;
        if (!image.Contains(section.offset, section.size)) return Status(ElfReadStatus::kMalformed);
        const uint8_t* begin = data + section.offset;
        result.bytes.assign(begin, begin + section.size);
        return result;
    }
    return Status(ElfReadStatus::kSectionNotFound);
}

ElfSectionContents ReadElfSection(const std::string& path, const std::string& sectionName) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return Status(ElfReadStatus::kCannotOpen);
    const std::vector<uint8_t> image((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (file.bad()) return Status(ElfReadStatus::kCannotOpen);
    return FindElfSection(image.data(), image.size(), sectionName);
}
