#include "app/plugin_module.h"

#include "app/enable_expression.h"

namespace {

// The entry point for this process's pointer size; a module built for a
// platform without its own key carries the other one.
const std::string& ChooseEntryPoint(const PiplInfo& info) {
    const std::string& native = info.NativeEntryPoint();
    if (!native.empty()) return native;
    return &native == &info.entryPointX64 ? info.entryPointX86 : info.entryPointX64;
}

std::string DescribeMode(int16_t imageMode) {
    const std::string name = ImageModeName(imageMode);
    return name.empty() ? "image mode " + std::to_string(imageMode) : name;
}

}  // namespace

std::unique_ptr<PluginModule> PluginModule::Load(const std::string& path, std::string* error) {
    std::vector<uint8_t> bytes;
    std::string reason;
    if (!ReadModulePropertyList(path, &bytes, &reason)) {
        *error = path + ": " + reason;
        return nullptr;
    }
    std::optional<PiplInfo> info = ParsePipl(bytes.data(), bytes.size());
    if (!info) {
        *error = path + ": the property list is malformed";
        return nullptr;
    }
    if (info->kind != PIFilterKind) {
        *error = path + ": not a filter plug-in (its kind is not '8BFM')";
        return nullptr;
    }

    std::unique_ptr<PluginModule> module(new PluginModule());
    module->path_ = path;
    module->properties_ = std::move(*info);
    module->entryPointName_ = ChooseEntryPoint(module->properties_);
    if (module->entryPointName_.empty()) {
        *error = path + ": the property list names no entry point";
        return nullptr;
    }
    if (!module->library_.Open(path, &reason)) {
        *error = path + ": cannot be loaded: " + reason;
        return nullptr;
    }
    module->entry_ = reinterpret_cast<PluginEntryProc>(
        module->library_.FindSymbol(module->entryPointName_.c_str()));
    if (module->entry_ == nullptr) {
        *error = path + ": does not export its entry point " + module->entryPointName_;
        return nullptr;
    }
    return module;
}

bool PluginModule::AcceptsDocument(int16_t imageMode, int32_t depth, std::string* reason) const {
    if (!properties_.SupportsImageMode(imageMode)) {
        *reason = properties_.name + " does not accept " + DescribeMode(imageMode) + " documents";
        return false;
    }
    const std::string& condition = properties_.enableExpression;
    if (condition.empty()) return true;
    const std::optional<bool> enabled = EvaluateEnableExpression(condition, {imageMode, depth});
    if (enabled.value_or(true)) return true;
    *reason = properties_.name + " is not enabled for " + DescribeMode(imageMode) +
              " documents of " + std::to_string(depth) + " bits per sample (" + condition + ")";
    return false;
}
