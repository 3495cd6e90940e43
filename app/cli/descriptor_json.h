// A descriptor in JSON: an array of {"key": "Amnt", "value": 70.0} in the
// descriptor's order (the order matters to a plug-in that stops reading at
// an unknown key). Values are written so that they read back bit for bit.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "app/descriptor.h"

nlohmann::json DescriptorToJson(const Descriptor& descriptor);

// Empty *problem on success; otherwise it names what is wrong.
Descriptor DescriptorFromJson(const nlohmann::json& items, std::string* problem);

// 'Amnt' <-> "Amnt".
std::string FourCharCode(uint32_t code);
