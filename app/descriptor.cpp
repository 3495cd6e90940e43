#include "app/descriptor.h"

#include <cstring>

#include "interface/plugin_constants.h"

namespace {

// Handle layout: uint32 item count, then per item uint32 key, uint32 type,
// 8-byte double, all in the host's native byte order.
constexpr std::size_t kCountSize = 4;
constexpr std::size_t kItemSize = 16;

template <class T>
uint8_t* Write(uint8_t* at, const T& value) {
    std::memcpy(at, &value, sizeof(T));
    return at + sizeof(T);
}

template <class T>
T Read(const uint8_t* at) {
    T value;
    std::memcpy(&value, at, sizeof(T));
    return value;
}

}  // namespace

Descriptor::Descriptor(std::initializer_list<std::pair<DescriptorKeyID, double>> values) {
    for (const auto& [key, value] : values) items_.push_back({key, typeFloat, value});
}

void Descriptor::PutFloat(DescriptorKeyID key, double value) {
    for (DescriptorItem& item : items_) {
        if (item.key == key) {
            item = {key, typeFloat, value};
            return;
        }
    }
    items_.push_back({key, typeFloat, value});
}

std::optional<double> Descriptor::GetFloat(DescriptorKeyID key) const {
    for (const DescriptorItem& item : items_) {
        if (item.key == key && item.type == typeFloat) return item.value;
    }
    return std::nullopt;
}

bool Descriptor::HasKey(DescriptorKeyID key) const {
    for (const DescriptorItem& item : items_) {
        if (item.key == key) return true;
    }
    return false;
}

std::vector<uint8_t> Descriptor::Serialize() const {
    std::vector<uint8_t> bytes(kCountSize + kItemSize * items_.size());
    uint8_t* at = Write(bytes.data(), static_cast<uint32_t>(items_.size()));
    for (const DescriptorItem& item : items_) {
        at = Write(at, item.key);
        at = Write(at, item.type);
        at = Write(at, item.value);
    }
    return bytes;
}

std::optional<Descriptor> Descriptor::Deserialize(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < kCountSize) return std::nullopt;
    const uint32_t count = Read<uint32_t>(bytes.data());
    if (count > (bytes.size() - kCountSize) / kItemSize) return std::nullopt;
    Descriptor descriptor;
    const uint8_t* at = bytes.data() + kCountSize;
    for (uint32_t index = 0; index < count; ++index, at += kItemSize) {
        descriptor.items_.push_back(
            {Read<uint32_t>(at), Read<uint32_t>(at + 4), Read<double>(at + 8)});
    }
    return descriptor;
}
