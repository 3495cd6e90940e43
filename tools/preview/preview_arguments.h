// The command line of lumistra-preview.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "interface/dialog_view_abi.h"

struct PreviewArguments {
    std::string image;
    LumistraViewRect previewPane{};  // client coordinates, left, top, right, bottom
    LumistraViewRect navigatorPane{};
    int32_t clientWidth = 759;
    int32_t clientHeight = 528;
    int32_t screenWidth = 1920;
    int32_t screenHeight = 1080;
    std::optional<float> values[3];  // highlight, shadow, clarity
    bool valuesGiven = false;
    bool selectionGiven = false;
    int32_t selection[4] = {};  // x, y, width, height
    std::optional<std::string> mask;
    std::string script;
    std::string out;
    std::optional<std::string> module;
};

// Empty on success, else a one-line reason.
std::string ParsePreviewArguments(int argc, char** argv, PreviewArguments* arguments);

extern const char kPreviewUsage[];
