// The progress meter: one process-wide counter pair reported to the host's
// progressProc as (done, total).
#pragma once

#include <cstdint>

enum class ProgressOperation : int32_t {
    Enable = 0,
    Disable = 1,
    Start = 2,   // done 0, total value; reports
    Step = 3,    // done + 1; reports
    Set = 4,     // done value; reports
    Finish = 5,  // reports every count from done up to total
    Extend = 6,  // total + value; reports
};

// Reports only while enabled, and only when the host offers progressProc.
// value matters to Start, Set and Extend.
void UpdateProgress(ProgressOperation operation, int32_t value = 0);

struct ProgressState {
    bool enabled;
    int32_t done;
    int32_t total;
};
ProgressState CurrentProgress();
