#include "app/cli/batch_runner.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/cli/exit_codes.h"
#include "app/cli/interrupt.h"
#include "app/cli/metadata_carrier.h"
#include "app/cli/progress_display.h"
#include "app/cli/worker_pool.h"

namespace {

void Count(const JobReport& report, BatchSummary* summary) {
    switch (report.outcome) {
        case JobOutcome::kWritten:
            ++summary->written;
            break;
        case JobOutcome::kWrittenNotRecorded:
            ++summary->written;
            ++summary->unrecorded;
            break;
        case JobOutcome::kFailed:
            ++summary->failed;
            break;
        case JobOutcome::kInterrupted:
            summary->interrupted = true;
            break;
    }
}

BatchSummary RunHere(const JobSettings& settings, const std::vector<FileTask>& tasks,
                     const BatchOptions& options) {
    BatchSummary summary;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        if (InterruptRequested()) {
            summary.interrupted = true;
            summary.notStarted = tasks.size() - i;
            break;
        }
        const JobReport report = RunFilterJob(settings, tasks[i]);
        PrintReport(report, options.quiet);
        Count(report, &summary);
    }
    return summary;
}

BatchSummary RunInWorkers(const JobSettings& settings, const std::vector<FileTask>& tasks,
                          const BatchOptions& options) {
    // Several files at once cannot share one line: the bar counts files.
    JobSettings perWorker = settings;
    perWorker.drawProgress = false;
    ProgressDisplay files("lumistra: " + std::to_string(tasks.size()) + " files",
                          options.terminal && !options.quiet, nullptr);
    BatchSummary summary;
    std::size_t done = 0;
    files.Report(0, static_cast<int32_t>(tasks.size()));
    // Every photo's metadata goes through the module: loaded here once, the
    // workers share it instead of each loading and relocating its own.
    LoadMetadataModule();
    summary.notStarted = RunInWorkerProcesses(
        tasks, options.jobs,
        [&perWorker](const FileTask& task) { return RunFilterJob(perWorker, task); },
        [&](std::size_t, const JobReport& report) {
            files.Clear();
            PrintReport(report, options.quiet);
            Count(report, &summary);
            files.Report(static_cast<int32_t>(++done), static_cast<int32_t>(tasks.size()));
        });
    files.Clear();
    if (InterruptRequested()) summary.interrupted = true;
    return summary;
}

}  // namespace

BatchSummary RunBatch(const JobSettings& settings, const std::vector<FileTask>& tasks,
                      const BatchOptions& options) {
    const uint32_t workers =
        static_cast<uint32_t>(std::min<std::size_t>(options.jobs, tasks.size()));
    BatchSummary summary =
        workers > 1 ? RunInWorkers(settings, tasks, {workers, options.quiet, options.terminal})
                    : RunHere(settings, tasks, options);
    if (tasks.size() > 1) {
        if (summary.failed > 0) {
            std::fprintf(stderr, "lumistra: %zu of %zu files failed\n", summary.failed,
                         tasks.size());
        }
        if (summary.interrupted) {
            std::fprintf(stderr, "lumistra: interrupted; %zu of %zu files written\n",
                         summary.written, tasks.size());
        }
    }
    return summary;
}

int ExitCodeFor(const BatchSummary& summary) {
    if (summary.interrupted) return kExitInterrupted;
    if (summary.failed > 0) return kExitFileFailed;
    if (summary.unrecorded > 0) return kExitNotRecorded;
    return kExitSuccess;
}
