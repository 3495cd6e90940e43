// Reads a Windows module (PE file) on any platform: its machine type and the
// resources in its resource directory, found by type, name and language as
// the Win32 resource API finds them. Every offset is checked against the file,
// so a truncated or corrupt file gives "not found", never a wild read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A resource type or name: a number, or a string (compared without regard to
// case, as Windows does).
struct ResourceKey {
    ResourceKey(int number) : id(static_cast<uint16_t>(number)) {}
    ResourceKey(const char* text) : name(text) {}

    std::optional<uint16_t> id;
    std::string name;
};

constexpr uint16_t kPeMachineI386 = 0x014C;
constexpr uint16_t kPeMachineAmd64 = 0x8664;

constexpr uint16_t kResourceTypeCursor = 1;
constexpr uint16_t kResourceTypeBitmap = 2;
constexpr uint16_t kResourceTypeDialog = 5;
constexpr uint16_t kResourceTypeString = 6;
constexpr uint16_t kResourceTypeGroupCursor = 12;
constexpr uint16_t kResourceTypeVersion = 16;

constexpr uint16_t kLanguageEnglishUs = 0x0409;

class PeImage {
public:
    // Null when the bytes are not a PE file this reader understands.
    static std::optional<PeImage> Parse(std::vector<uint8_t> bytes);
    static std::optional<PeImage> Load(const std::string& path);

    uint16_t Machine() const { return machine_; }

    // The data of one resource, or null when there is none.
    std::optional<std::vector<uint8_t>> FindResource(const ResourceKey& type,
                                                     const ResourceKey& name,
                                                     uint16_t language) const;
    // The languages in which a resource exists (empty when it does not).
    std::vector<uint16_t> ResourceLanguages(const ResourceKey& type, const ResourceKey& name) const;
    // The languages of every resource in the module, one entry per resource.
    std::vector<uint16_t> AllResourceLanguages() const;

private:
    struct Section {
        uint32_t virtualAddress;
        uint32_t virtualSize;
        uint32_t rawOffset;
        uint32_t rawSize;
    };
    struct DirectoryEntry {
        std::optional<uint16_t> id;
        std::string name;
        bool isDirectory;
        uint32_t offset;  // from the start of the resource directory
    };

    std::optional<uint32_t> FileOffset(uint32_t rva, uint32_t size) const;
    std::vector<DirectoryEntry> ReadDirectory(uint32_t offset) const;
    std::optional<DirectoryEntry> FindEntry(uint32_t directory, const ResourceKey& key) const;
    std::optional<uint32_t> LanguageDirectory(const ResourceKey& type,
                                              const ResourceKey& name) const;
    std::optional<std::vector<uint8_t>> ReadDataEntry(uint32_t offset) const;
    bool InResources(uint32_t offset, uint32_t size) const;

    std::vector<uint8_t> bytes_;
    std::vector<Section> sections_;
    uint16_t machine_ = 0;
    uint32_t resourceOffset_ = 0;  // file offset of the resource directory
    uint32_t resourceSize_ = 0;
};
