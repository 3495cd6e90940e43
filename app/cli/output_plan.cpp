#include "app/cli/output_plan.h"

#include <filesystem>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// One spelling per file, so that "a.jpg" and "./dir/../a.jpg" compare equal.
std::string Identity(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    if (error) return path;
    const fs::path canonical = fs::weakly_canonical(absolute, error);
    return error ? absolute.lexically_normal().string() : canonical.string();
}

}  // namespace

std::string DefaultOutputFor(const std::string& input) {
    const fs::path path(input);
    return (path.parent_path() / (path.stem().string() + "-denoised" + path.extension().string()))
        .string();
}

std::vector<FileTask> PlanOutputs(const CliOptions& options, std::string* error) {
    error->clear();
    std::vector<FileTask> tasks;
    for (const std::string& input : options.inputs) {
        std::string output;
        if (options.inPlace) {
            output = input;
        } else if (options.output) {
            output = *options.output;
        } else if (options.outputDir) {
            output = (fs::path(*options.outputDir) / fs::path(input).filename()).string();
        } else {
            output = DefaultOutputFor(input);
        }
        tasks.push_back({input, output});
    }

    std::map<std::string, std::string> inputs;  // identity -> as given
    for (const FileTask& task : tasks) {
        if (!inputs.emplace(Identity(task.input), task.input).second) {
            *error = task.input + " is given twice";
            return {};
        }
    }
    std::map<std::string, std::string> writers;  // output identity -> input
    for (const FileTask& task : tasks) {
        const std::string output = Identity(task.output);
        const auto earlier = writers.find(output);
        if (earlier != writers.end()) {
            *error =
                earlier->second + " and " + task.input + " would both be written to " + task.output;
            return {};
        }
        writers.emplace(output, task.input);
        const auto input = inputs.find(output);
        if (input != inputs.end() && !options.inPlace) {
            *error = "writing " + task.output + " would overwrite the input " + input->second +
                     "; inputs are replaced only with --in-place";
            return {};
        }
    }
    return tasks;
}
