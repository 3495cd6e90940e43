#include "tests/cli/cli_test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#ifndef LUMISTRA_CLI
#error "LUMISTRA_CLI must name the built lumistra binary"
#endif

extern char** environ;

// The address sanitizer reserves terabytes of address space for its shadow memory: under
// it an address-space limit stops the tool before it starts, so only the CPU limit holds.
#if defined(__SANITIZE_ADDRESS__)
#define LUMISTRA_TESTS_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMISTRA_TESTS_UNDER_ASAN 1
#endif
#endif
#ifdef LUMISTRA_TESTS_UNDER_ASAN
constexpr bool kAddressSpaceCanBeLimited = false;
#else
constexpr bool kAddressSpaceCanBeLimited = true;
#endif
namespace fs = std::filesystem;

void CliTest::SetUp() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    folder_ = fs::path(LUMISTRA_CLI_SCRATCH_DIR) / name;
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "config");
}

fs::path CliTest::LastUsedFile() const {
    return folder_ / "config" / "lumistra" / "last-used.json";
}

std::vector<std::string> CliTest::FolderContents(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ToolRun CliTest::Run(const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment,
                     const RunLimits& limits) const {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    // The tool is to find the module beside itself, and keep its values here.
    variables.erase("LUMISTRA_PLUGIN");
    variables["XDG_CONFIG_HOME"] = (folder_ / "config").string();
    for (const auto& [name, value] : environment) {
        if (value.empty()) {
            variables.erase(name);
        } else {
            variables[name] = value;
        }
    }
    std::vector<std::string> envText;
    for (const auto& [name, value] : variables) envText.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& text : envText) envp.push_back(text.data());
    envp.push_back(nullptr);

    std::vector<std::string> argText;
    if (limits.addressSpaceMiB != 0 || limits.cpuSeconds != 0) {
        // The shell sets the limits and then becomes the tool.
        std::string setLimits;
        if (limits.addressSpaceMiB != 0 && kAddressSpaceCanBeLimited)
            setLimits += "ulimit -v " + std::to_string(limits.addressSpaceMiB * 1024) + " && ";
        if (limits.cpuSeconds != 0)
            setLimits += "ulimit -t " + std::to_string(limits.cpuSeconds) + " && ";
        argText = {"/bin/sh", "-c", setLimits + "exec \"$0\" \"$@\""};
    }
    argText.push_back(LUMISTRA_CLI);
    argText.insert(argText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : argText) argv.push_back(text.data());
    argv.push_back(nullptr);

    const std::string outPath = (folder_ / ".stdout").string();
    const std::string errPath = (folder_ / ".stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
    pid_t pid = -1;
    ToolRun run;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << argv[0];
        return run;
    }
    int status = 0;
    if (limits.signal != 0) {
        bool ended = false;
        for (int waited = 0; waited < limits.signalAfterMs && !ended; ++waited) {
            ended = waitpid(pid, &status, WNOHANG) == pid;
            if (!ended) usleep(1000);
        }
        if (!ended) {
            kill(pid, limits.signal);
            waitpid(pid, &status, 0);
        }
    } else {
        waitpid(pid, &status, 0);
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = FileText(outPath);
    run.err = FileText(errPath);
    fs::remove(outPath);
    fs::remove(errPath);
    return run;
}

std::vector<uint8_t> FileBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::string FileText(const fs::path& path) {
    const std::vector<uint8_t> bytes = FileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string Explain(const ToolRun& run) {
    return "exit " + std::to_string(run.exitCode) + "\nstdout:\n" + run.out + "stderr:\n" + run.err;
}
