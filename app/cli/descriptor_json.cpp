#include "app/cli/descriptor_json.h"

#include "interface/plugin_constants.h"

std::string FourCharCode(uint32_t code) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i)
        text[static_cast<std::size_t>(i)] = static_cast<char>(code >> (24 - 8 * i));
    return text;
}

namespace {

bool ParseFourCharCode(const std::string& text, uint32_t* code) {
    if (text.size() != 4) return false;
    *code = 0;
    for (char c : text) *code = *code << 8 | static_cast<uint8_t>(c);
    return true;
}

}  // namespace

nlohmann::json DescriptorToJson(const Descriptor& descriptor) {
    nlohmann::json items = nlohmann::json::array();
    for (const DescriptorItem& item : descriptor.items()) {
        items.push_back({{"key", FourCharCode(item.key)}, {"value", item.value}});
    }
    return items;
}

Descriptor DescriptorFromJson(const nlohmann::json& items, std::string* problem) {
    Descriptor descriptor;
    problem->clear();
    if (!items.is_array()) {
        *problem = "the descriptor is not a list of keyed values";
        return {};
    }
    for (const nlohmann::json& item : items) {
        uint32_t key = 0;
        if (!item.is_object() || !item.contains("key") || !item["key"].is_string() ||
            !ParseFourCharCode(item["key"].get<std::string>(), &key)) {
            *problem = "every item needs a four-character \"key\"";
            return {};
        }
        if (!item.contains("value") || !item["value"].is_number()) {
            *problem = "the item " + item["key"].get<std::string>() + " has no numeric \"value\"";
            return {};
        }
        descriptor.Append({key, typeFloat, item["value"].get<double>()});
    }
    return descriptor;
}
