#include "app/cli/plugin_locator.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path ExecutableFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
}

}  // namespace

PluginLocation LocatePlugin(const std::optional<std::string>& fromCommandLine) {
    PluginLocation location;
    // An explicit choice is taken as it is: a missing file there is an error,
    // not a reason to load some other module.
    if (fromCommandLine) {
        location.tried.push_back(*fromCommandLine);
        location.path = *fromCommandLine;
        return location;
    }
    const char* fromEnvironment = std::getenv("LUMISTRA_PLUGIN");
    if (fromEnvironment != nullptr && *fromEnvironment != '\0') {
        location.tried.push_back(fromEnvironment);
        location.path = fromEnvironment;
        return location;
    }
    const fs::path folder = ExecutableFolder();
    if (folder.empty()) return location;
    for (const char* relative : {LUMISTRA_INSTALLED_PLUGIN_DIR, LUMISTRA_BUILD_TREE_PLUGIN_DIR}) {
        const fs::path candidate =
            (folder / relative / LUMISTRA_PLUGIN_FILE_NAME).lexically_normal();
        location.tried.push_back(candidate.string());
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) {
            location.path = candidate.string();
            return location;
        }
    }
    return location;
}
