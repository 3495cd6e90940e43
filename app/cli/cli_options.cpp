#include "app/cli/cli_options.h"

#include <functional>
#include <map>
#include <sstream>

#include "app/cli/strict_number.h"

namespace {

std::string ParseAmount(const std::string& token, std::optional<float>& amount) {
    float value = 0.0f;
    std::string problem = lumistra::ParseDecimalFloat(token, value);
    if (!problem.empty()) return problem;
    if (!(value >= 0.0f && value <= 100.0f)) return "must lie between 0 and 100";
    amount = value;
    return {};
}

std::string ParseQuality(const std::string& token, int& quality) {
    int32_t value = 0;
    std::string problem = lumistra::ParseInt32(token, value);
    if (!problem.empty()) return problem;
    if (value < 1 || value > 100) return "must lie between 1 and 100";
    quality = value;
    return {};
}

std::string ParseSelection(const std::string& token, std::optional<SelectionArea>& selection) {
    std::vector<int32_t> numbers;
    std::stringstream parts(token);
    std::string part;
    while (std::getline(parts, part, ',')) {
        int32_t value = 0;
        if (!lumistra::ParseInt32(part, value).empty() || value < 0)
            return "must be four whole numbers X,Y,W,H, none negative";
        numbers.push_back(value);
    }
    if (numbers.size() != 4 || token.back() == ',')
        return "must be four whole numbers X,Y,W,H, none negative";
    if (numbers[2] == 0 || numbers[3] == 0) return "must have a width and a height of 1 or more";
    selection = SelectionArea{numbers[0], numbers[1], numbers[2], numbers[3]};
    return {};
}

using ValueHandler = std::function<std::string(const std::string&, CliOptions&)>;

// Options that take a value, under each of their names.
const std::map<std::string, ValueHandler>& ValueOptions() {
    static const std::map<std::string, ValueHandler> handlers = [] {
        std::map<std::string, ValueHandler> h;
        const auto path = [](std::optional<std::string> CliOptions::*member) {
            return [member](const std::string& value, CliOptions& o) -> std::string {
                if (value.empty()) return "must not be empty";
                o.*member = value;
                return {};
            };
        };
        h["-o"] = h["--output"] = path(&CliOptions::output);
        h["--out-dir"] = path(&CliOptions::outputDir);
        h["--replay"] = path(&CliOptions::replayPath);
        h["--record"] = path(&CliOptions::recordPath);
        h["--plugin"] = path(&CliOptions::pluginPath);
        h["--progress-log"] = path(&CliOptions::progressLog);
        h["--highlight"] = [](const std::string& v, CliOptions& o) {
            return ParseAmount(v, o.highlight);
        };
        h["--shadow"] = [](const std::string& v, CliOptions& o) {
            return ParseAmount(v, o.shadow);
        };
        h["--clarity"] = [](const std::string& v, CliOptions& o) {
            return ParseAmount(v, o.clarity);
        };
        h["--selection"] = [](const std::string& v, CliOptions& o) {
            return ParseSelection(v, o.selection);
        };
        h["--quality"] = [](const std::string& v, CliOptions& o) {
            return ParseQuality(v, o.jpegQuality);
        };
        h["--subsampling"] = [](const std::string& v, CliOptions& o) -> std::string {
            if (v == "444")
                o.subsampling = ChromaSubsampling::k444;
            else if (v == "422")
                o.subsampling = ChromaSubsampling::k422;
            else if (v == "420")
                o.subsampling = ChromaSubsampling::k420;
            else
                return "must be 444, 422 or 420";
            return {};
        };
        h["--png-level"] = [](const std::string& v, CliOptions& o) -> std::string {
            int32_t level = 0;
            std::string problem = lumistra::ParseInt32(v, level);
            if (!problem.empty()) return problem;
            if (level < 0 || level > 9) return "must lie between 0 and 9";
            o.pngLevel = level;
            return {};
        };
        h["-j"] = h["--jobs"] = [](const std::string& v, CliOptions& o) {
            return lumistra::ParseCount(v, o.jobs);
        };
        h["--interrupt-at-poll"] = [](const std::string& v, CliOptions& o) {
            return lumistra::ParseCount(v, o.interruptAtPoll);
        };
        return h;
    }();
    return handlers;
}

bool ApplyFlag(const std::string& name, CliOptions& o) {
    if (name == "-h" || name == "--help") {
        o.action = CliAction::kHelp;
    } else if (name == "--version") {
        o.action = CliAction::kVersion;
    } else if (name == "--about") {
        o.action = CliAction::kAbout;
    } else if (name == "--in-place") {
        o.inPlace = true;
    } else if (name == "--no-remember") {
        o.remember = false;
    } else if (name == "--convert") {
        o.convertModes = true;
    } else if (name == "--strict") {
        o.strictDepth = true;
    } else if (name == "-q" || name == "--quiet") {
        o.quiet = true;
    } else if (name == "--scalar") {
        o.scalarEngine = true;
    } else {
        return false;
    }
    return true;
}

std::string CheckCombination(const CliOptions& o) {
    if (o.action != CliAction::kFilter) return {};
    if (o.inputs.empty()) return "no input file given (lumistra --help shows how to use it)";
    const int destinations = (o.output ? 1 : 0) + (o.outputDir ? 1 : 0) + (o.inPlace ? 1 : 0);
    if (destinations > 1) return "-o, --out-dir and --in-place exclude each other";
    if (o.output && o.inputs.size() > 1)
        return "-o names one output file; use --out-dir DIR for several inputs";
    return {};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    CliOptions& options = parsed.options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            options.inputs.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (ApplyFlag(argument, options)) continue;

        // "--name=value" or "--name value"; "-jN" and "-oFILE" as well.
        std::string name = argument;
        std::optional<std::string> value;
        const std::size_t equals = argument.find('=');
        if (argument.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        } else if (argument.size() > 2 && argument[1] != '-' &&
                   ValueOptions().count(argument.substr(0, 2)) != 0) {
            name = argument.substr(0, 2);
            value = argument.substr(2);
        }
        const auto handler = ValueOptions().find(name);
        if (handler == ValueOptions().end()) {
            parsed.error = "unknown option " + name + " (lumistra --help lists the options)";
            return parsed;
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                parsed.error = name + " needs a value";
                return parsed;
            }
            value = arguments[++i];
        }
        const std::string problem = handler->second(*value, options);
        if (!problem.empty()) {
            parsed.error = name + " " + *value + ": " + problem;
            return parsed;
        }
    }
    parsed.error = CheckCombination(options);
    return parsed;
}
