#include "tools/plane/raw_plane_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace lumistra {

std::string ReadExactly(const std::string& path, size_t size, std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return "cannot open " + path + ": " + std::strerror(errno);
    bytes.resize(size);
    size_t got = std::fread(bytes.data(), 1, size, file);
    // One byte more than expected is enough to tell a longer file; this also works for
    // pipes, whose size is not known in advance.
    bool readFailed = std::ferror(file) != 0;
    bool longer = !readFailed && got == size && std::fgetc(file) != EOF;
    readFailed = readFailed || std::ferror(file) != 0;
    int readError = errno;
    std::fclose(file);
    if (readFailed) return "cannot read " + path + ": " + std::strerror(readError);
    if (longer) return path + " is longer than WIDTH x HEIGHT = " + std::to_string(size) + " bytes";
    if (got != size)
        return path + " holds " + std::to_string(got) +
               " bytes, expected WIDTH x HEIGHT = " + std::to_string(size);
    return {};
}

}  // namespace lumistra
