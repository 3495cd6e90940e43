// Files filtered in parallel by worker processes. The plug-in keeps its state
// process-wide, so one process never runs two files at once: each worker
// takes one file at a time from the parent, which hands out the next file to
// whichever worker finishes first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/cli/filter_job.h"

// Runs job for the tasks in `workers` child processes forked from this one
// (so the children share everything the parent set up). finished is called
// in the parent for every task that ran, in the order they finish; a worker
// that dies reports its task as failed. After a Ctrl-C no further task is
// started. Returns how many tasks never started.
std::size_t RunInWorkerProcesses(
    const std::vector<FileTask>& tasks, uint32_t workers,
    const std::function<JobReport(const FileTask&)>& job,
    const std::function<void(std::size_t, const JobReport&)>& finished);
