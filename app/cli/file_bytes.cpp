#include "app/cli/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(fd);
        return folder ? "is a folder, not a file" : "is not a regular file";
    }
    bytes->clear();
    bytes->reserve(static_cast<std::size_t>(status.st_size));
    uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof(chunk));
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return std::strerror(error);
        }
        if (got == 0) break;
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
    ::close(fd);
    return {};
}
