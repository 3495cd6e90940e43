// lumistra: filters image files through the LUMISTRA plug-in from the command
// line. The plug-in module is loaded and driven through the host library, as
// an image application would; see lumistra --help.

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/cli/about_text.h"
#include "app/cli/action_file.h"
#include "app/cli/batch_runner.h"
#include "app/cli/cli_options.h"
#include "app/cli/exit_codes.h"
#include "app/cli/filter_job.h"
#include "app/cli/help_text.h"
#include "app/cli/interrupt.h"
#include "app/cli/output_plan.h"
#include "app/cli/plugin_locator.h"
#include "app/cli/progress_display.h"
#include "app/cli/registry_file.h"
#include "app/plugin_module.h"
#include "resources/plugin_identity.h"

namespace {

// The plug-in takes its working images anew for every plane and returns them after it;
// keeping freed memory in the process lets the next plane (and image) reuse the pages
// instead of faulting fresh ones in.
void KeepFreedMemory() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

int Complain(const std::string& line, int code) {
    std::fprintf(stderr, "lumistra: %s\n", line.c_str());
    return code;
}

std::unique_ptr<PluginModule> LoadPlugin(const CliOptions& options, std::string* problem) {
    const PluginLocation location = LocatePlugin(options.pluginPath);
    if (!location.path) {
        *problem = "cannot find the plug-in module; looked for";
        for (const std::string& tried : location.tried) *problem += " " + tried;
        *problem += " (give its path with --plugin PATH or LUMISTRA_PLUGIN)";
        return nullptr;
    }
    std::unique_ptr<PluginModule> module = PluginModule::Load(*location.path, problem);
    if (!module) *problem = "cannot load the plug-in: " + *problem;
    return module;
}

// The action every file replays: a recorded one, with the values given on the
// command line put over it.
bool BuildReplay(const CliOptions& options, const PluginModule& module, Descriptor* replay) {
    if (options.replayPath) {
        std::string problem;
        *replay = ReadActionFile(*options.replayPath, module.properties(), &problem);
        if (!problem.empty()) {
            Complain("--replay " + *options.replayPath + ": " + problem, kExitUsage);
            return false;
        }
    }
    if (options.highlight) replay->PutFloat(keyNoiseHighAmount, *options.highlight);
    if (options.shadow) replay->PutFloat(keyNoiseLowAmount, *options.shadow);
    if (options.clarity) replay->PutFloat(keyClarityAmount, *options.clarity);
    return true;
}

void LoadLastUsed(const CliOptions& options, JobSettings* settings) {
    const std::optional<std::string> path = LastUsedValuesPath();
    if (!path) return;
    std::string problem;
    settings->lastUsed = ReadRegistryFile(*path, &problem);
    if (!problem.empty()) {
        std::fprintf(stderr, "lumistra: ignoring the last-used values in %s: %s\n", path->c_str(),
                     problem.c_str());
    }
    if (options.remember) settings->lastUsedPath = path;
}

// When no input exists at all the plug-in is not even loaded, so that a
// mistyped name is reported as quickly as it was typed.
bool ReportedNoInputExists(const std::vector<FileTask>& tasks) {
    std::vector<std::string> lines;
    for (const FileTask& task : tasks) {
        struct stat status {};
        if (::stat(task.input.c_str(), &status) == 0) return false;
        lines.push_back(task.input + ": cannot be read: " + std::strerror(errno));
    }
    for (const std::string& line : lines) Complain(line, kExitFileFailed);
    if (tasks.size() > 1)
        Complain(
            std::to_string(tasks.size()) + " of " + std::to_string(tasks.size()) + " files failed",
            kExitFileFailed);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const ParsedCommandLine parsed =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) return Complain(parsed.error, kExitUsage);
    const CliOptions& options = parsed.options;
    if (options.action == CliAction::kHelp) {
        std::fputs(HelpText().c_str(), stdout);
        return kExitSuccess;
    }
    if (options.action == CliAction::kVersion) {
        std::fputs(VersionText().c_str(), stdout);
        return kExitSuccess;
    }
    InstallInterruptHandlers();
    KeepFreedMemory();

    // The engine reads this switch when it is built, in this process and in every
    // worker, so it is set before the plug-in runs.
    if (options.scalarEngine) setenv("LUMISTRA_FORCE_SCALAR", "1", 1);

    std::string problem;
    const std::vector<FileTask> tasks = PlanOutputs(options, &problem);
    if (!problem.empty()) return Complain(problem, kExitUsage);
    if (options.action == CliAction::kFilter && ReportedNoInputExists(tasks))
        return kExitFileFailed;

    const std::unique_ptr<PluginModule> module = LoadPlugin(options, &problem);
    if (!module) return Complain(problem, kExitPluginMissing);
    if (options.action == CliAction::kAbout) {
        std::fputs(AboutText(*module).c_str(), stdout);
        return kExitSuccess;
    }
    if (options.outputDir) {
        std::error_code error;
        std::filesystem::create_directories(*options.outputDir, error);
        if (error) {
            return Complain(
                "cannot create the folder " + *options.outputDir + ": " + error.message(),
                kExitFileFailed);
        }
    }

    JobSettings settings;
    settings.module = module.get();
    if (!BuildReplay(options, *module, &settings.replay)) return kExitUsage;
    LoadLastUsed(options, &settings);
    settings.selection = options.selection;
    settings.recordPath = options.recordPath;
    settings.jpegQuality = options.jpegQuality;
    settings.subsampling = options.subsampling;
    settings.pngLevel = options.pngLevel;
    settings.convertModes = options.convertModes;
    settings.strictDepth = options.strictDepth;
    settings.inPlace = options.inPlace;
    const bool terminal = StandardErrorIsTerminal();
    settings.drawProgress = terminal && !options.quiet;
    settings.interruptAtPoll = options.interruptAtPoll;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> progressLog(nullptr, std::fclose);
    if (options.progressLog) {
        progressLog.reset(std::fopen(options.progressLog->c_str(), "w"));
        if (!progressLog) return Complain("cannot write " + *options.progressLog, kExitUsage);
        settings.progressLog = progressLog.get();
    }

    const BatchSummary summary = RunBatch(settings, tasks, {options.jobs, options.quiet, terminal});
    return ExitCodeFor(summary);
}
