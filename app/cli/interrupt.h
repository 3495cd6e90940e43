// Ctrl-C as the user's request to stop. The handlers only note the request;
// the filter's abortProc poll, and the checks between the steps of a file,
// act on it.
#pragma once

// Catches SIGINT and SIGTERM. Slow system calls are interrupted rather than
// restarted, so a process waiting on a pipe notices at once.
void InstallInterruptHandlers();

bool InterruptRequested();

// The request as the terminal would send it, for tests that interrupt a run
// at a chosen moment.
void RequestInterrupt();
