#include "app/cli/file_bytes.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/cli/input_file.h"

std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
    std::string problem;
    const int fd = OpenRegularFile(path, &problem);
    if (fd < 0) return problem;
    bytes->clear();
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
