// A one-line progress bar on standard error, redrawn in place, for the
// (done, total) pairs the plug-in reports through progressProc; and a plain
// log of the same pairs for tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class ProgressDisplay {
public:
    // drawBar: only when standard error is a terminal and the user did not
    // ask for quiet. log: every pair as "done total" lines, or null.
    ProgressDisplay(std::string label, bool drawBar, std::FILE* log);
    ~ProgressDisplay() { Clear(); }
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    void Report(int32_t done, int32_t total);
    // Removes the bar, so that the next line starts on a clean line.
    void Clear();

private:
    std::string label_;
    bool drawBar_;
    std::FILE* log_;
    bool shown_ = false;
    int lastPercent_ = -1;
};

// Whether standard error is a terminal a bar can be drawn on.
bool StandardErrorIsTerminal();
