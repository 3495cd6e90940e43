#include "tests/layers/include_layers.h"

#include <algorithm>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace {
// Folders whose files take part, from the repository root. Build trees,
// scripts and samples hold no sources of their own.
constexpr const char* kLayeredFolders[] = {"interface", "resources", "engine", "ui",    "host",
                                           "app",       "gimp",      "tools",  "tests", "bench"};

constexpr const char* kSourceExtensions[] = {".h",   ".hpp", ".c",  ".cc",
                                             ".cpp", ".inl", ".rc", ".in"};

// The small target that the preview, the run and the tools share, kept free
// of the rest of the engine so that linking it brings nothing else along.
constexpr const char* kEngineValuesFiles[] = {"engine/filter_parameters.h",
                                              "engine/engine_values.h", "engine/engine_values.cpp"};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsSourceFile(const fs::path& path) {
    const std::string extension = path.extension().string();
    return std::find(std::begin(kSourceExtensions), std::end(kSourceExtensions), extension) !=
           std::end(kSourceExtensions);
}

// A file of the tree or one generated from its ".in" template.
bool ExistsInTree(const fs::path& root, const std::string& path) {
    return fs::is_regular_file(root / path) || fs::is_regular_file(root / (path + ".in"));
}

std::string Where(const IncludeLine& include) {
    return include.file + ":" + std::to_string(include.line) + ": ";
}
}  // namespace

Layer LayerOf(const std::string& path) {
    if (std::find(std::begin(kEngineValuesFiles), std::end(kEngineValuesFiles), path) !=
        std::end(kEngineValuesFiles)) {
        return Layer::EngineValues;
    }
    if (StartsWith(path, "interface/")) return Layer::Interface;
    if (StartsWith(path, "resources/")) return Layer::Resources;
    if (StartsWith(path, "engine/")) return Layer::Engine;
    if (StartsWith(path, "ui/")) return Layer::Ui;
    if (StartsWith(path, "host/")) return Layer::Plugin;
    if (StartsWith(path, "app/cli/")) return Layer::CommandLine;
    if (StartsWith(path, "app/")) return Layer::HostLibrary;
    if (StartsWith(path, "gimp/")) return Layer::GimpPlugin;
    if (StartsWith(path, "tools/") || StartsWith(path, "tests/") || StartsWith(path, "bench/")) {
        return Layer::Above;
    }
    return Layer::Unknown;
}

const char* LayerName(Layer layer) {
    switch (layer) {
        case Layer::Interface:
            return "interface";
        case Layer::Resources:
            return "resources";
        case Layer::EngineValues:
            return "engine values";
        case Layer::Engine:
            return "engine";
        case Layer::Ui:
            return "ui";
        case Layer::Plugin:
            return "host";
        case Layer::HostLibrary:
            return "app";
        case Layer::CommandLine:
            return "app/cli";
        case Layer::GimpPlugin:
            return "gimp";
        case Layer::Above:
            return "tools/tests/bench";
        case Layer::Unknown:
            break;
    }
    return "outside the layers";
}

bool MayInclude(Layer includer, Layer included) {
    if (included == Layer::Unknown) return false;
    if (includer == included) return true;
    switch (includer) {
        case Layer::Interface:
            return false;
        case Layer::Resources:
        case Layer::EngineValues:
            return included == Layer::Interface;
        case Layer::Engine:
            return included == Layer::Interface || included == Layer::Resources ||
                   included == Layer::EngineValues;
        case Layer::Ui:
            return MayInclude(Layer::Engine, included);
        case Layer::Plugin:
            return MayInclude(Layer::Ui, included);
        case Layer::HostLibrary:
            return included == Layer::Interface;
        // The tool ships with the plug-in: it names it, shows its version and
        // refuses images with its words.
        case Layer::CommandLine:
            return included == Layer::Interface || included == Layer::Resources ||
                   included == Layer::HostLibrary;
        // A host of its own, as the tool is, whose preview dialog's window
        // layer speaks the dialog model's language; the plug-in it loads it
        // knows only through the interface.
        case Layer::GimpPlugin:
            return included == Layer::Interface || included == Layer::Resources ||
                   included == Layer::Ui || included == Layer::HostLibrary ||
                   included == Layer::CommandLine;
        case Layer::Above:
            return true;
        case Layer::Unknown:
            break;
    }
    return false;
}

// The file a line includes by a quoted name (#include "x"), if it does.
std::optional<std::string> QuotedInclude(const std::string& line) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') return std::nullopt;
    at = line.find_first_not_of(" \t", at + 1);
    const std::string keyword = "include";
    if (at == std::string::npos || line.compare(at, keyword.size(), keyword) != 0) {
        return std::nullopt;
    }
    at = line.find_first_not_of(" \t", at + keyword.size());
    if (at == std::string::npos || line[at] != '"') return std::nullopt;
    const std::size_t end = line.find('"', at + 1);
    if (end == std::string::npos || end == at + 1) return std::nullopt;
    return line.substr(at + 1, end - at - 1);
}

std::vector<IncludeLine> ReadIncludeLines(const fs::path& root) {
    std::vector<IncludeLine> includes;
    for (const char* folder : kLayeredFolders) {
        if (!fs::is_directory(root / folder)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
            if (!entry.is_regular_file() || !IsSourceFile(entry.path())) continue;
            const std::string file = entry.path().lexically_relative(root).generic_string();
            std::ifstream in(entry.path());
            std::string text;
            for (int line = 1; std::getline(in, text); ++line) {
                if (const std::optional<std::string> included = QuotedInclude(text)) {
                    includes.push_back({file, line, *included});
                }
            }
        }
    }
    std::sort(includes.begin(), includes.end(), [](const IncludeLine& a, const IncludeLine& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    return includes;
}

std::vector<std::string> FindWrongWayIncludes(const fs::path& root,
                                              const std::vector<IncludeLine>& includes) {
    std::vector<std::string> problems;
    for (const IncludeLine& include : includes) {
        std::string target = include.included;
        if (target.find('/') == std::string::npos) {
            // Only a generated file beside the includer may go without its
            // folder (the resource script's version block).
            const std::string beside =
                fs::path(include.file).parent_path().append(target).generic_string();
            if (!fs::is_regular_file(root / (beside + ".in"))) {
                problems.push_back(Where(include) + "\"" + include.included +
                                   "\" does not name its folder from the repository root");
                continue;
            }
            target = beside;
        } else if (!ExistsInTree(root, target)) {
            problems.push_back(Where(include) + "\"" + include.included +
                               "\" names no file in the tree");
            continue;
        }
        const Layer from = LayerOf(include.file);
        const Layer to = LayerOf(target);
        if (MayInclude(from, to)) continue;
        problems.push_back(Where(include) + LayerName(from) + " -> " + LayerName(to) + " (\"" +
                           include.included + "\")");
    }
    return problems;
}
