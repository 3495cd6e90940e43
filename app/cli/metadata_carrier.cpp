#include "app/cli/metadata_carrier.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Beside the tool in the build tree, with the plug-in module once installed.
std::vector<fs::path> ModuleCandidates() {
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    if (error) return {};
    return {folder / LUMISTRA_METADATA_MODULE_FILE_NAME,
            (folder / LUMISTRA_INSTALLED_PLUGIN_DIR / LUMISTRA_METADATA_MODULE_FILE_NAME)
                .lexically_normal()};
}

MakeMetadataCarrierFunction LoadModule(std::string* problem) {
    std::string reasons;
    for (const fs::path& candidate : ModuleCandidates()) {
        std::error_code error;
        if (!fs::is_regular_file(candidate, error)) continue;
        // Kept for the life of the process: carriers made by it may live on.
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            reasons = ::dlerror();
            continue;
        }
        if (void* entry = ::dlsym(module, "LumistraMakeMetadataCarrier"))
            return reinterpret_cast<MakeMetadataCarrierFunction>(entry);
        reasons = candidate.string() + " has no entry point";
    }
    *problem = reasons.empty() ? std::string("cannot find ") + LUMISTRA_METADATA_MODULE_FILE_NAME
                               : reasons;
    return nullptr;
}

struct LoadedModule {
    std::string problem;
    MakeMetadataCarrierFunction make = LoadModule(&problem);
};

const LoadedModule& Module() {
    static const LoadedModule module;
    return module;
}

}  // namespace

void LoadMetadataModule() { Module(); }

std::unique_ptr<MetadataCarrier> MakeMetadataCarrier(std::string* problem) {
    const LoadedModule& module = Module();
    if (module.make == nullptr) {
        *problem = module.problem;
        return nullptr;
    }
    return std::unique_ptr<MetadataCarrier>(module.make());
}
