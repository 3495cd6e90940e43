#include "app/cli/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Enough for every format's signature.
constexpr std::size_t kFirstBytes = 16;

std::string KindProblem(const struct stat& status) {
    return S_ISDIR(status.st_mode) ? "is a folder, not a file" : "is not a regular file";
}

// Reads up to count bytes at offset into *bytes, appending; stops early at
// the end of the file. Empty on success, else the reason.
std::string ReadAt(int fd, std::size_t offset, std::size_t count, std::vector<uint8_t>* bytes) {
    const std::size_t start = bytes->size();
    bytes->resize(start + count);
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n =
            ::pread(fd, bytes->data() + start + got, count - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            bytes->resize(start + got);
            return std::strerror(errno);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes->resize(start + got);
    return {};
}

}  // namespace

int OpenRegularFile(const std::string& path, std::string* problem) {
    // Opening a pipe for reading blocks until a writer comes, so what the
    // path is gets decided first; O_NONBLOCK covers one swapped in between.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        *problem = std::strerror(errno);
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        *problem = KindProblem(status);
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        *problem = std::strerror(errno);
        return -1;
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        *problem = KindProblem(status);
        ::close(fd);
        return -1;
    }
    return fd;
}

InputFile::~InputFile() { Close(); }

void InputFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    fileSize_ = 0;
    bytes_ = {};
}

std::string InputFile::Open(const std::string& path) {
    Close();
    std::string problem;
    fd_ = OpenRegularFile(path, &problem);
    if (fd_ < 0) return problem;
    struct stat status {};
    if (::fstat(fd_, &status) != 0) return std::strerror(errno);
    fileSize_ = static_cast<std::size_t>(status.st_size);
    return ReadAt(fd_, 0, std::min(fileSize_, kFirstBytes), &bytes_);
}

std::string InputFile::ReadAll() {
    // Only as far as the file reached when it was opened: one that grows
    // meanwhile cannot make the tool read without end.
    if (fileSize_ <= bytes_.size()) return {};
    bytes_.reserve(fileSize_);
    return ReadAt(fd_, bytes_.size(), fileSize_ - bytes_.size(), &bytes_);
}
