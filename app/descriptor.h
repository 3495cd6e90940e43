// A scripting descriptor: an ordered list of keyed double values, the form in
// which a recorded action carries a filter's settings. The host stores one in
// a handle (descriptor parameters) or keeps it as an action descriptor.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "interface/plugin_types.h"

struct DescriptorItem {
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;  // typeFloat for every value this host stores
    double value = 0.0;
};

class Descriptor {
public:
    Descriptor() = default;
    Descriptor(std::initializer_list<std::pair<DescriptorKeyID, double>> values);

    // Replaces the value of an existing key in place.
    void PutFloat(DescriptorKeyID key, double value);
    std::optional<double> GetFloat(DescriptorKeyID key) const;
    bool HasKey(DescriptorKeyID key) const;

    const std::vector<DescriptorItem>& items() const { return items_; }
    // Appends an item as given, also one whose key is already present.
    void Append(const DescriptorItem& item) { items_.push_back(item); }

    // The bytes kept in a descriptor handle, and back; empty on malformed bytes.
    std::vector<uint8_t> Serialize() const;
    static std::optional<Descriptor> Deserialize(const std::vector<uint8_t>& bytes);

private:
    std::vector<DescriptorItem> items_;
};
