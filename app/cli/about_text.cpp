#include "app/cli/about_text.h"

#include "app/cli/descriptor_json.h"
#include "app/enable_expression.h"
#include "resources/version_info.h"

namespace {

constexpr int16_t kHighestImageMode = 17;

std::string Modes(const PiplInfo& info) {
    std::string modes;
    for (int16_t mode = 0; mode <= kHighestImageMode; ++mode) {
        if (!info.SupportsImageMode(mode)) continue;
        modes += (modes.empty() ? "" : ", ") + ImageModeName(mode);
    }
    return modes.empty() ? "none" : modes;
}

std::string Version(int32_t version) {
    return std::to_string(version >> 16) + "." + std::to_string(version & 0xFFFF);
}

}  // namespace

std::string AboutText(const PluginModule& module) {
    const PiplInfo& info = module.properties();
    std::string text = info.name + "\n";
    text += "  category:        " + info.category + "\n";
    text += "  interface:       filter interface version " + Version(info.version) + "\n";
    text += "  entry point:     " + module.entryPointName() + "\n";
    text += "  image modes:     " + Modes(info) + "\n";
    if (!info.enableExpression.empty())
        text += "  enabled when:    " + info.enableExpression + "\n";
    if (info.terminology) {
        text += "  scripting event: '" + FourCharCode(info.terminology->eventId) + "', " +
                info.terminology->uniqueId + "\n";
    }
    text += "  module:          " + module.path() + "\n\n";
    // The About box, as the plug-in shows it where it has a window.
    text += "LUMISTRA Plug-In\n";
    text += "Version " LUMISTRA_VERSION_TEXT "  (10/2004)\n";
    text += "Copyright (C) 2026 Lumistra developers\n";
    text += "All rights reserved\n";
    return text;
}
