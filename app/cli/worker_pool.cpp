#include "app/cli/worker_pool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "app/cli/interrupt.h"
#include "app/cli/write_all.h"

namespace {

// ---- Messages on the pipes: a task is its index; a report is a length
// followed by the outcome and the lines.

// False at the end of the pipe or on an error. A Ctrl-C does not stop it:
// the rest of a message is always on its way.
bool ReadAll(int fd, void* data, std::size_t size) {
    char* at = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = ::read(fd, at, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        at += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

template <class T>
void Append(std::string* bytes, const T& value) {
    bytes->append(reinterpret_cast<const char*>(&value), sizeof(T));
}

template <class T>
bool Take(const std::string& bytes, std::size_t* at, T* value) {
    if (bytes.size() - *at < sizeof(T)) return false;
    std::memcpy(value, bytes.data() + *at, sizeof(T));
    *at += sizeof(T);
    return true;
}

bool SendReport(int fd, const JobReport& report) {
    std::string body;
    Append(&body, static_cast<uint32_t>(report.outcome));
    for (const ReportLine& line : report.lines) {
        Append(&body, static_cast<uint8_t>(line.toStandardError));
        Append(&body, static_cast<uint32_t>(line.text.size()));
        body += line.text;
    }
    const uint32_t size = static_cast<uint32_t>(body.size());
    return WriteAll(fd, &size, sizeof(size)) && WriteAll(fd, body.data(), body.size());
}

std::optional<JobReport> ReceiveReport(int fd) {
    uint32_t size = 0;
    if (!ReadAll(fd, &size, sizeof(size))) return std::nullopt;
    std::string body(size, '\0');
    if (!ReadAll(fd, body.data(), size)) return std::nullopt;
    JobReport report;
    std::size_t at = 0;
    uint32_t outcome = 0;
    if (!Take(body, &at, &outcome)) return std::nullopt;
    report.outcome = static_cast<JobOutcome>(outcome);
    while (at < body.size()) {
        uint8_t toStandardError = 0;
        uint32_t length = 0;
        if (!Take(body, &at, &toStandardError) || !Take(body, &at, &length) ||
            body.size() - at < length) {
            return std::nullopt;
        }
        report.lines.push_back({toStandardError != 0, body.substr(at, length)});
        at += length;
    }
    return report;
}

struct Worker {
    pid_t pid = -1;
    int taskFd = -1;    // parent writes task indices
    int reportFd = -1;  // parent reads reports
    std::optional<std::size_t> current;
};

[[noreturn]] void ServeTasks(int taskFd, int reportFd, const std::vector<FileTask>& tasks,
                             const std::function<JobReport(const FileTask&)>& job) {
    uint32_t index = 0;
    while (!InterruptRequested() && ReadAll(taskFd, &index, sizeof(index))) {
        if (index >= tasks.size() || !SendReport(reportFd, job(tasks[index]))) break;
    }
    // The parent's buffers and exit handlers belong to the parent.
    ::_exit(0);
}

void CloseTasks(Worker* worker) {
    if (worker->taskFd < 0) return;
    ::close(worker->taskFd);
    worker->taskFd = -1;
}

std::string HowItEnded(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) == pid) {
        if (WIFSIGNALED(status)) return " (signal " + std::to_string(WTERMSIG(status)) + ")";
        if (WIFEXITED(status)) return " (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
    }
    return {};
}

}  // namespace

std::size_t RunInWorkerProcesses(
    const std::vector<FileTask>& tasks, uint32_t workerCount,
    const std::function<JobReport(const FileTask&)>& job,
    const std::function<void(std::size_t, const JobReport&)>& finished) {
    std::fflush(nullptr);
    // A worker that dies must not take the parent with it.
    ::signal(SIGPIPE, SIG_IGN);
    std::vector<Worker> workers;
    for (uint32_t i = 0; i < workerCount; ++i) {
        int toWorker[2], fromWorker[2];
        if (::pipe2(toWorker, O_CLOEXEC) != 0) break;
        if (::pipe2(fromWorker, O_CLOEXEC) != 0) {
            ::close(toWorker[0]);
            ::close(toWorker[1]);
            break;
        }
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (Worker& earlier : workers) {
                CloseTasks(&earlier);
                ::close(earlier.reportFd);
            }
            ::close(toWorker[1]);
            ::close(fromWorker[0]);
            ServeTasks(toWorker[0], fromWorker[1], tasks, job);
        }
        ::close(toWorker[0]);
        ::close(fromWorker[1]);
        if (pid < 0) {
            ::close(toWorker[1]);
            ::close(fromWorker[0]);
            break;
        }
        workers.push_back({pid, toWorker[1], fromWorker[0], std::nullopt});
    }

    std::size_t next = 0;
    const auto handOut = [&](Worker& worker) {
        if (InterruptRequested() || next == tasks.size()) {
            CloseTasks(&worker);
            return;
        }
        const uint32_t index = static_cast<uint32_t>(next);
        if (WriteAll(worker.taskFd, &index, sizeof(index))) {
            worker.current = next++;
        } else {
            CloseTasks(&worker);
        }
    };
    for (Worker& worker : workers) handOut(worker);

    bool forwarded = false;
    for (;;) {
        std::vector<pollfd> waiting;
        std::vector<Worker*> owners;
        for (Worker& worker : workers) {
            if (worker.reportFd < 0) continue;
            waiting.push_back({worker.reportFd, POLLIN, 0});
            owners.push_back(&worker);
        }
        if (waiting.empty()) break;
        const int ready = ::poll(waiting.data(), waiting.size(), -1);
        if (InterruptRequested() && !forwarded) {
            // Also when only this process was signalled: every worker stops
            // its file, and no new one is started.
            forwarded = true;
            for (Worker& worker : workers) {
                if (worker.pid > 0) ::kill(worker.pid, SIGINT);
                CloseTasks(&worker);
            }
        }
        if (ready <= 0) continue;
        for (std::size_t i = 0; i < waiting.size(); ++i) {
            if (waiting[i].revents == 0) continue;
            Worker& worker = *owners[i];
            std::optional<JobReport> report = ReceiveReport(worker.reportFd);
            if (!report) {
                ::close(worker.reportFd);
                worker.reportFd = -1;
                CloseTasks(&worker);
                if (worker.current) {
                    JobReport lost;
                    lost.lines.push_back(
                        {true, "lumistra: " + tasks[*worker.current].input +
                                   ": the worker process filtering it ended unexpectedly" +
                                   HowItEnded(worker.pid)});
                    worker.pid = -1;
                    finished(*worker.current, lost);
                    worker.current.reset();
                }
                continue;
            }
            const std::size_t index = *worker.current;
            worker.current.reset();
            // A worker stopped by Ctrl-C stops the whole batch, also when
            // the request reached that worker alone.
            if (report->outcome == JobOutcome::kInterrupted && !InterruptRequested())
                RequestInterrupt();
            finished(index, *report);
            handOut(worker);
        }
    }
    for (Worker& worker : workers) {
        if (worker.pid > 0) ::waitpid(worker.pid, nullptr, 0);
    }
    return tasks.size() - next;
}
