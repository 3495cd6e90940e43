// Runs every file of a command, one after another in this process or spread
// over worker processes, shows what became of each, and sums up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/cli/filter_job.h"

struct BatchSummary {
    std::size_t written = 0;
    std::size_t failed = 0;
    std::size_t unrecorded = 0;  // written, but the --record file could not be
    std::size_t notStarted = 0;  // left after a Ctrl-C
    bool interrupted = false;
};

struct BatchOptions {
    uint32_t jobs = 1;
    bool quiet = false;
    bool terminal = false;  // standard error shows progress bars
};

BatchSummary RunBatch(const JobSettings& settings, const std::vector<FileTask>& tasks,
                      const BatchOptions& options);

int ExitCodeFor(const BatchSummary& summary);
