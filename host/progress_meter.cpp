#include "host/progress_meter.h"

#include <cstdint>
#include <limits>

#include "host/plugin_state.h"

namespace {
ProgressState gProgress{false, 0, 0};

int32_t SaturatingAdd(int32_t a, int32_t b) {
    const int64_t sum = static_cast<int64_t>(a) + b;
    if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(sum);
}

void Report() {
    if (!gProgress.enabled) return;
    const FilterRecord* filter = State().filter;
    if (filter != nullptr && filter->progressProc != nullptr) {
        filter->progressProc(gProgress.done, gProgress.total);
    }
}
}  // namespace

void UpdateProgress(ProgressOperation operation, int32_t value) {
    switch (operation) {
        case ProgressOperation::Enable:
            gProgress.enabled = true;
            break;
        case ProgressOperation::Disable:
            gProgress.enabled = false;
            break;
        case ProgressOperation::Start:
            gProgress.done = 0;
            gProgress.total = value;
            Report();
            break;
        case ProgressOperation::Step:
            if (gProgress.enabled) {
                gProgress.done = SaturatingAdd(gProgress.done, 1);
                Report();
            }
            break;
        case ProgressOperation::Set:
            gProgress.done = value;
            Report();
            break;
        case ProgressOperation::Finish:
            // done ends one past total; a disabled meter gets there without the
            // walk, and the walk stops before the counter could overflow.
            if (!gProgress.enabled) {
                if (gProgress.done <= gProgress.total) {
                    gProgress.done = SaturatingAdd(gProgress.total, 1);
                }
                break;
            }
            while (gProgress.done <= gProgress.total) {
                Report();
                if (gProgress.done == std::numeric_limits<int32_t>::max()) break;
                ++gProgress.done;
            }
            break;
        case ProgressOperation::Extend:
            gProgress.total = SaturatingAdd(gProgress.total, value);
            Report();
            break;
    }
}

ProgressState CurrentProgress() { return gProgress; }
