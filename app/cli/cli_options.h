// What the command line asks for, and its parsing. Only the syntax and the
// ranges of the values are checked here; files are looked at later.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/image_encoding.h"

// A rectangle in image coordinates, as --selection X,Y,W,H gives it.
struct SelectionArea {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

enum class CliAction { kFilter, kHelp, kVersion, kAbout };

struct CliOptions {
    CliAction action = CliAction::kFilter;
    std::vector<std::string> inputs;

    std::optional<std::string> output;     // -o: the one output file
    std::optional<std::string> outputDir;  // --out-dir
    bool inPlace = false;
    int jpegQuality = 95;
    std::optional<ChromaSubsampling> subsampling;  // JPEG output; by default the input's
    int pngLevel = kDefaultPngLevel;

    // The three values as the dialog names them; absent ones come from the
    // last-used values, else the plug-in's defaults.
    std::optional<float> highlight;
    std::optional<float> shadow;
    std::optional<float> clarity;
    std::optional<SelectionArea> selection;
    std::optional<std::string> replayPath;
    std::optional<std::string> recordPath;
    bool remember = true;

    bool convertModes = false;  // greyscale and CMYK become RGB instead of being refused
    bool strictDepth = false;   // more than 8 bits per sample is refused instead of reduced

    uint32_t jobs = 1;
    bool quiet = false;
    bool scalarEngine = false;  // the engine's portable kernels instead of the vector ones
    std::optional<std::string> pluginPath;

    // Test hooks, not shown by --help: every progress report written to a
    // file, and a Ctrl-C sent to the tool itself at the given abort poll.
    std::optional<std::string> progressLog;
    uint32_t interruptAtPoll = 0;
};

struct ParsedCommandLine {
    CliOptions options;
    std::string error;  // one line; empty when the command line is usable
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);
