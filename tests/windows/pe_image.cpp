#include "tests/windows/pe_image.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace {

constexpr uint32_t kHighBit = 0x80000000u;
constexpr int kResourceDataDirectory = 2;
constexpr uint32_t kSectionHeaderSize = 40;

bool Fits(const std::vector<uint8_t>& bytes, uint64_t offset, uint64_t size) {
    return offset <= bytes.size() && size <= bytes.size() - offset;
}

uint16_t U16(const std::vector<uint8_t>& bytes, uint64_t offset) {
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

uint32_t U32(const std::vector<uint8_t>& bytes, uint64_t offset) {
    return static_cast<uint32_t>(U16(bytes, offset)) | static_cast<uint32_t>(U16(bytes, offset + 2))
                                                           << 16;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::optional<PeImage> PeImage::Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    return Parse(std::move(bytes));
}

std::optional<PeImage> PeImage::Parse(std::vector<uint8_t> bytes) {
    PeImage image;
    image.bytes_ = std::move(bytes);
    const std::vector<uint8_t>& b = image.bytes_;

    if (!Fits(b, 0, 0x40) || b[0] != 'M' || b[1] != 'Z') return std::nullopt;
    const uint64_t pe = U32(b, 0x3C);
    if (!Fits(b, pe, 24) || U32(b, pe) != 0x00004550u) return std::nullopt;  // "PE\0\0"
    image.machine_ = U16(b, pe + 4);
    const uint16_t sectionCount = U16(b, pe + 6);
    const uint16_t optionalSize = U16(b, pe + 20);

    const uint64_t optional = pe + 24;
    if (!Fits(b, optional, optionalSize) || optionalSize < 2) return std::nullopt;
    const uint16_t magic = U16(b, optional);
    uint64_t countOffset = 0;
    if (magic == 0x10B) {
        countOffset = 92;  // 32-bit optional header
    } else if (magic == 0x20B) {
        countOffset = 108;  // 64-bit optional header
    } else {
        return std::nullopt;
    }
    if (optionalSize < countOffset + 4) return std::nullopt;
    const uint32_t directoryCount = U32(b, optional + countOffset);
    const uint64_t resourceDirectory = optional + countOffset + 4 + 8 * kResourceDataDirectory;
    uint32_t resourceRva = 0;
    if (directoryCount > kResourceDataDirectory &&
        resourceDirectory + 8 <= optional + optionalSize) {
        resourceRva = U32(b, resourceDirectory);
        image.resourceSize_ = U32(b, resourceDirectory + 4);
    }

    const uint64_t sectionTable = optional + optionalSize;
    if (!Fits(b, sectionTable, uint64_t{sectionCount} * kSectionHeaderSize)) return std::nullopt;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        const uint64_t header = sectionTable + uint64_t{i} * kSectionHeaderSize;
        image.sections_.push_back(
            {U32(b, header + 12), U32(b, header + 8), U32(b, header + 20), U32(b, header + 16)});
    }

    if (image.resourceSize_ != 0) {
        const auto offset = image.FileOffset(resourceRva, image.resourceSize_);
        if (!offset) return std::nullopt;
        image.resourceOffset_ = *offset;
    }
    return image;
}

std::optional<uint32_t> PeImage::FileOffset(uint32_t rva, uint32_t size) const {
    for (const Section& section : sections_) {
        if (rva < section.virtualAddress) continue;
        const uint64_t within = rva - section.virtualAddress;
        if (within + size > section.rawSize) continue;
        const uint64_t offset = section.rawOffset + within;
        if (!Fits(bytes_, offset, size)) return std::nullopt;
        return static_cast<uint32_t>(offset);
    }
    return std::nullopt;
}

bool PeImage::InResources(uint32_t offset, uint32_t size) const {
    return uint64_t{offset} + size <= resourceSize_;
}

std::vector<PeImage::DirectoryEntry> PeImage::ReadDirectory(uint32_t offset) const {
    std::vector<DirectoryEntry> entries;
    if (!InResources(offset, 16)) return entries;
    const uint64_t base = resourceOffset_;
    const uint32_t count =
        uint32_t{U16(bytes_, base + offset + 12)} + U16(bytes_, base + offset + 14);
    if (!InResources(offset, 16 + 8 * count)) return entries;
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = base + offset + 16 + 8 * i;
        const uint32_t name = U32(bytes_, entry);
        const uint32_t target = U32(bytes_, entry + 4);
        DirectoryEntry parsed{std::nullopt, {}, (target & kHighBit) != 0, target & ~kHighBit};
        if (name & kHighBit) {
            const uint32_t nameOffset = name & ~kHighBit;
            if (!InResources(nameOffset, 2)) continue;
            const uint32_t length = U16(bytes_, base + nameOffset);
            if (!InResources(nameOffset, 2 + 2 * length)) continue;
            for (uint32_t c = 0; c < length; ++c) {
                const uint16_t unit = U16(bytes_, base + nameOffset + 2 + 2 * c);
                parsed.name.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
            }
        } else {
            parsed.id = static_cast<uint16_t>(name);
        }
        entries.push_back(parsed);
    }
    return entries;
}

std::optional<PeImage::DirectoryEntry> PeImage::FindEntry(uint32_t directory,
                                                          const ResourceKey& key) const {
    for (const DirectoryEntry& entry : ReadDirectory(directory)) {
        if (key.id ? entry.id == key.id : !entry.id && Upper(entry.name) == Upper(key.name)) {
            return entry;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> PeImage::LanguageDirectory(const ResourceKey& type,
                                                   const ResourceKey& name) const {
    if (resourceSize_ == 0) return std::nullopt;
    const auto typeEntry = FindEntry(0, type);
    if (!typeEntry || !typeEntry->isDirectory) return std::nullopt;
    const auto nameEntry = FindEntry(typeEntry->offset, name);
    if (!nameEntry || !nameEntry->isDirectory) return std::nullopt;
    return nameEntry->offset;
}

std::optional<std::vector<uint8_t>> PeImage::ReadDataEntry(uint32_t offset) const {
    if (!InResources(offset, 16)) return std::nullopt;
    const uint32_t rva = U32(bytes_, uint64_t{resourceOffset_} + offset);
    const uint32_t size = U32(bytes_, uint64_t{resourceOffset_} + offset + 4);
    const auto data = FileOffset(rva, size);
    if (!data) return std::nullopt;
    return std::vector<uint8_t>(bytes_.begin() + *data, bytes_.begin() + *data + size);
}

std::optional<std::vector<uint8_t>> PeImage::FindResource(const ResourceKey& type,
                                                          const ResourceKey& name,
                                                          uint16_t language) const {
    const auto languages = LanguageDirectory(type, name);
    if (!languages) return std::nullopt;
    const auto entry = FindEntry(*languages, language);
    if (!entry || entry->isDirectory) return std::nullopt;
    return ReadDataEntry(entry->offset);
}

std::vector<uint16_t> PeImage::ResourceLanguages(const ResourceKey& type,
                                                 const ResourceKey& name) const {
    std::vector<uint16_t> result;
    const auto languages = LanguageDirectory(type, name);
    if (!languages) return result;
    for (const DirectoryEntry& entry : ReadDirectory(*languages)) {
        if (entry.id) result.push_back(*entry.id);
    }
    return result;
}

std::vector<uint16_t> PeImage::AllResourceLanguages() const {
    std::vector<uint16_t> result;
    if (resourceSize_ == 0) return result;
    for (const DirectoryEntry& type : ReadDirectory(0)) {
        if (!type.isDirectory) continue;
        for (const DirectoryEntry& name : ReadDirectory(type.offset)) {
            if (!name.isDirectory) continue;
            for (const DirectoryEntry& language : ReadDirectory(name.offset)) {
                result.push_back(language.id.value_or(0xFFFF));
            }
        }
    }
    return result;
}
