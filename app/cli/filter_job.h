// One file through the filter: read and check it, hand it to the plug-in as
// a host's document with the values as a replayed action, and write the
// result, its metadata carried over, only when everything succeeded.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "app/cli/image_encoding.h"
#include "app/cli/output_plan.h"
#include "app/cli/registry_file.h"
#include "app/descriptor.h"
#include "app/plugin_module.h"

// What is the same for every file of one command.
struct JobSettings {
    const PluginModule* module = nullptr;
    // The action replayed for every file: --replay's descriptor with the
    // values given on the command line put over it.
    Descriptor replay;
    RegistryContents lastUsed;                // the registry every run starts from
    std::optional<std::string> lastUsedPath;  // where the registry is kept; empty: not kept
    std::optional<SelectionArea> selection;
    std::optional<std::string> recordPath;
    int jpegQuality = 95;
    std::optional<ChromaSubsampling> subsampling;  // JPEG output; else the input's
    int pngLevel = kDefaultPngLevel;
    bool convertModes = false;
    bool strictDepth = false;
    bool inPlace = false;
    bool drawProgress = false;  // a bar per file on the terminal
    std::FILE* progressLog = nullptr;
    uint32_t interruptAtPoll = 0;
};

enum class JobOutcome {
    kWritten,
    kWrittenNotRecorded,  // the image was written, the --record file was not
    kFailed,
    kInterrupted,
};

struct ReportLine {
    bool toStandardError;
    std::string text;
};

// What became of one file, with the lines to show for it.
struct JobReport {
    JobOutcome outcome = JobOutcome::kFailed;
    std::vector<ReportLine> lines;
};

JobReport RunFilterJob(const JobSettings& settings, const FileTask& task);

// Shows the lines; with quiet, only the ones for standard error.
void PrintReport(const JobReport& report, bool quiet);
