#include "tools/preview/preview_arguments.h"

#include <sstream>
#include <vector>

#include "app/cli/strict_number.h"

const char kPreviewUsage[] =
    "usage: lumistra-preview IMAGE --preview-pane L,T,R,B --navigator-pane L,T,R,B\n"
    "         [--client W,H] [--screen W,H] [--values H,S,C] [--selection X,Y,W,H]\n"
    "         [--mask FILE] [--module PLUGIN] --script FILE --out DIR\n";

namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ',')) parts.push_back(part);
    if (!text.empty() && text.back() == ',') parts.emplace_back();
    return parts;
}

std::string ParseInts(const std::string& option, const std::string& text, std::size_t count,
                      int32_t* values) {
    const std::vector<std::string> parts = SplitCommas(text);
    if (parts.size() != count) {
        return option + " takes " + std::to_string(count) + " numbers separated by commas";
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::string reason = lumistra::ParseInt32(parts[i], values[i]);
        if (!reason.empty()) return option + ": '" + parts[i] + "' " + reason;
    }
    return {};
}

}  // namespace

std::string ParsePreviewArguments(int argc, char** argv, PreviewArguments* arguments) {
    bool previewGiven = false;
    bool navigatorGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option.rfind("--", 0) != 0) {
            if (!arguments->image.empty()) return "more than one image: " + option;
            arguments->image = option;
            continue;
        }
        if (i + 1 >= argc) return option + " needs a value";
        const std::string value = argv[++i];
        std::string reason;
        int32_t numbers[4] = {};
        if (option == "--preview-pane" || option == "--navigator-pane") {
            reason = ParseInts(option, value, 4, numbers);
            LumistraViewRect& pane =
                option == "--preview-pane" ? arguments->previewPane : arguments->navigatorPane;
            pane = {numbers[0], numbers[1], numbers[2], numbers[3]};
            (option == "--preview-pane" ? previewGiven : navigatorGiven) = true;
        } else if (option == "--client" || option == "--screen") {
            reason = ParseInts(option, value, 2, numbers);
            if (reason.empty() && (numbers[0] <= 0 || numbers[1] <= 0)) {
                reason = option + " needs a positive size";
            }
            if (option == "--client") {
                arguments->clientWidth = numbers[0];
                arguments->clientHeight = numbers[1];
            } else {
                arguments->screenWidth = numbers[0];
                arguments->screenHeight = numbers[1];
            }
        } else if (option == "--selection") {
            reason = ParseInts(option, value, 4, arguments->selection);
            arguments->selectionGiven = true;
        } else if (option == "--values") {
            const std::vector<std::string> parts = SplitCommas(value);
            if (parts.size() != 3) reason = "--values takes three numbers H,S,C";
            for (std::size_t k = 0; reason.empty() && k < parts.size(); ++k) {
                float amount = 0.0f;
                reason = lumistra::ParseDecimalFloat(parts[k], amount);
                if (!reason.empty()) reason = "--values: '" + parts[k] + "' " + reason;
                arguments->values[k] = amount;
            }
            arguments->valuesGiven = true;
        } else if (option == "--mask") {
            arguments->mask = value;
        } else if (option == "--module") {
            arguments->module = value;
        } else if (option == "--script") {
            arguments->script = value;
        } else if (option == "--out") {
            arguments->out = value;
        } else {
            reason = "unknown option " + option;
        }
        if (!reason.empty()) return reason;
    }
    if (arguments->image.empty()) return "no image given";
    if (!previewGiven || !navigatorGiven) return "--preview-pane and --navigator-pane are required";
    if (arguments->script.empty() || arguments->out.empty()) {
        return "--script and --out are required";
    }
    return {};
}
