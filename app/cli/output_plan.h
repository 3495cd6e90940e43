// Which file each input is written to, and the checks that keep inputs and
// outputs apart before anything runs.
#pragma once

#include <string>
#include <vector>

#include "app/cli/cli_options.h"

struct FileTask {
    std::string input;
    std::string output;
};

// -o FILE, --out-dir DIR (the input's own name inside DIR), --in-place (the
// input itself), else NAME-denoised.EXT beside the input. Refuses two inputs
// written to one file, and an input that would be overwritten without
// --in-place. *error is one line; empty on success.
std::vector<FileTask> PlanOutputs(const CliOptions& options, std::string* error);

// The default output name for an input: photo.jpg -> photo-denoised.jpg.
std::string DefaultOutputFor(const std::string& input);
