#include "app/cli/registry_file.h"

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <system_error>

#include "app/cli/atomic_output.h"
#include "app/cli/descriptor_json.h"
#include "app/cli/file_bytes.h"

namespace fs = std::filesystem;

std::optional<std::string> LastUsedValuesPath() {
    fs::path folder;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    // A relative XDG_CONFIG_HOME is invalid and is ignored.
    if (config != nullptr && fs::path(config).is_absolute()) {
        folder = config;
    } else if (home != nullptr && *home != '\0') {
        folder = fs::path(home) / ".config";
    } else {
        return std::nullopt;
    }
    return (folder / "lumistra" / "last-used.json").string();
}

RegistryContents ReadRegistryFile(const std::string& path, std::string* problem) {
    problem->clear();
    std::error_code error;
    if (!fs::exists(path, error)) return {};
    std::vector<uint8_t> bytes;
    *problem = ReadWholeFile(path, &bytes);
    if (!problem->empty()) return {};
    const nlohmann::json file = nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (file.is_discarded() || !file.is_object() || !file.contains("registry") ||
        !file["registry"].is_object()) {
        *problem = "is not a registry of last-used values";
        return {};
    }
    RegistryContents contents;
    for (const auto& [key, items] : file["registry"].items()) {
        Descriptor descriptor = DescriptorFromJson(items, problem);
        if (!problem->empty()) return {};
        contents[key] = descriptor;
    }
    return contents;
}

std::string WriteRegistryFile(const std::string& path, const RegistryContents& contents) {
    nlohmann::json registry = nlohmann::json::object();
    for (const auto& [key, descriptor] : contents) registry[key] = DescriptorToJson(descriptor);
    const std::string text = nlohmann::json{{"registry", registry}}.dump(2) + "\n";

    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    if (error) return error.message();
    const WriteResult result = WriteFileAtomically(
        path, std::vector<uint8_t>(text.begin(), text.end()), [] { return true; });
    return result.outcome == WriteOutcome::kWritten ? std::string() : result.problem;
}

void RegisterAll(const RegistryContents& contents, ScriptingStore* store) {
    for (const auto& [key, descriptor] : contents) store->Register(key, descriptor, true);
}

RegistryContents PersistentEntries(const ScriptingStore& store) {
    RegistryContents contents;
    for (const auto& [key, entry] : store.registry()) {
        if (entry.persistent) contents[key] = entry.descriptor;
    }
    return contents;
}
