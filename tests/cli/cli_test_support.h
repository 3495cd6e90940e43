// Running the built lumistra binary in a scratch folder of its own, and the
// file checks the end-to-end tests share.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct ToolRun {
    int exitCode = -1;  // 128 + signal when the tool was killed
    std::string out;
    std::string err;
};

// Bounds on a run, set on the tool's process: a hostile file must be refused
// within them rather than merely quickly.
struct RunLimits {
    uint32_t addressSpaceMiB = 0;  // 0: no limit
    uint32_t cpuSeconds = 0;       // 0: no limit
    // A signal sent to the tool once it has run for signalAfterMs.
    int signal = 0;
    int signalAfterMs = 0;
};

class CliTest : public ::testing::Test {
protected:
    // A fresh, empty folder per test, with its own configuration folder so
    // that the last-used values start empty.
    void SetUp() override;

    std::filesystem::path Path(const std::string& name) const { return folder_ / name; }
    std::string PathText(const std::string& name) const { return Path(name).string(); }

    // Runs lumistra with the arguments, in the scratch folder, standard error
    // not a terminal. environment adds or replaces variables; an empty value
    // removes one.
    ToolRun Run(const std::vector<std::string>& arguments,
                const std::map<std::string, std::string>& environment = {},
                const RunLimits& limits = {}) const;

    std::filesystem::path LastUsedFile() const;

    // The names in the scratch folder, leftovers of a write included.
    std::vector<std::string> FolderContents(const std::filesystem::path& folder) const;

private:
    std::filesystem::path folder_;
};

std::vector<uint8_t> FileBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::string FileText(const std::filesystem::path& path);

// A message that shows a failed run's output, for assertions.
std::string Explain(const ToolRun& run);
