#include "tools/support/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace lumistra {
namespace {

// Creates a file that did not exist before ("x" mode), so a leftover or a concurrent
// writer's temporary file is never overwritten.
FILE* CreateTemporaryBeside(const std::string& path, std::string& temporaryPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = path + ".tmp" + std::to_string(attempt);
        FILE* file = std::fopen(temporaryPath.c_str(), "wbx");
        if (file != nullptr || errno != EEXIST) return file;
    }
    return nullptr;
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, const std::string& header,
                                const void* data, size_t size) {
    std::string temporaryPath;
    FILE* file = CreateTemporaryBeside(path, temporaryPath);
    if (file == nullptr)
        return "cannot create a file beside " + path + ": " + std::strerror(errno);

    bool written = std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
                   (size == 0 || std::fwrite(data, 1, size, file) == size);
    int writeError = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        writeError = errno;
    }
    if (!written) {
        std::remove(temporaryPath.c_str());
        return "cannot write " + path + ": " + std::strerror(writeError);
    }
    if (std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        int renameError = errno;
        std::remove(temporaryPath.c_str());
        return "cannot create " + path + ": " + std::strerror(renameError);
    }
    return {};
}

std::string WriteFileAtomically(const std::string& path, const void* data, size_t size) {
    return WriteFileAtomically(path, std::string(), data, size);
}

}  // namespace lumistra
