// The layers of the source tree and which of them may include which, read
// from the quoted include lines of every source file. The plug-in is built
// from interface <- resources <- engine <- ui <- host, the host library and
// its command-line tool from interface <- app <- app/cli, the GIMP plug-in
// (gimp/) on top of app/cli and ui; tools, tests and benchmarks sit above
// everything and nothing else may include them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

enum class Layer {
    Interface,     // interface/: the published host interface
    Resources,     // resources/, generated headers included
    EngineValues,  // the user values and their conversion (lumistra_filter_values)
    Engine,        // engine/
    Ui,            // ui/: the preview dialog
    Plugin,        // host/: the plug-in that the application loads
    HostLibrary,   // app/: our own host
    CommandLine,   // app/cli/: the lumistra tool
    GimpPlugin,    // gimp/: the GIMP plug-in and its GTK dialog view
    Above,         // tools/, tests/, bench/
    Unknown,       // anything else (build output, scripts)
};

// The layer of a file named from the repository root ("engine/sample_ops.cpp").
Layer LayerOf(const std::string& path);

// The folder name by which messages name a layer.
const char* LayerName(Layer layer);

bool MayInclude(Layer includer, Layer included);

struct IncludeLine {
    std::string file;  // from the repository root
    int line;
    std::string included;  // as written between the quotes
};

// Every quoted include line of every source file under the tree's layered
// folders.
std::vector<IncludeLine> ReadIncludeLines(const std::filesystem::path& root);

// One message per include that runs the wrong way or names nothing in the
// tree, as "file:line: from -> to (\"included\")".
std::vector<std::string> FindWrongWayIncludes(const std::filesystem::path& root,
                                              const std::vector<IncludeLine>& includes);
