#include "app/cli/input_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string KindProblem(const struct stat& status) {
    return S_ISDIR(status.st_mode) ? "is a folder, not a file" : "is not a regular file";
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
    if (mapping_ != nullptr) ::munmap(mapping_, size_);
    mapping_ = nullptr;
    data_ = nullptr;
    size_ = 0;
}

std::string InputFile::Open(const std::string& path) {
    Close();
    std::string problem;
    const int fd = OpenRegularFile(path, &problem);
    if (fd < 0) return problem;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        problem = std::strerror(errno);
        ::close(fd);
        return problem;
    }
    static const uint8_t kEmpty[1] = {0};
    data_ = kEmpty;
    size_ = static_cast<std::size_t>(status.st_size);
    if (size_ > 0) {
        // Only the pages a decoder touches are read; they stay clean and
        // cost no memory of their own.
        void* mapping = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
        if (mapping == MAP_FAILED) {
            problem = std::strerror(errno);
            size_ = 0;
            data_ = nullptr;
            ::close(fd);
            return problem;
        }
        mapping_ = mapping;
        data_ = static_cast<const uint8_t*>(mapping);
    }
    ::close(fd);
    return {};
}
