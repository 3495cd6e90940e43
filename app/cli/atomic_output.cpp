#include "app/cli/atomic_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/cli/write_all.h"

namespace fs = std::filesystem;

namespace {

std::string Reason(int error) { return std::strerror(error); }

mode_t PermissionsFor(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself survive a crash; a folder that cannot be synced
// still holds the complete file, so a failure here is not reported.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

WriteResult WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                                const std::function<bool()>& stillWanted) {
    return WriteFileAtomically(path, {{bytes.data(), bytes.size()}}, stillWanted);
}

WriteResult WriteFileAtomically(const std::string& path, const std::vector<ByteRange>& pieces,
                                const std::function<bool()>& stillWanted) {
    const fs::path destination(path);
    fs::path folder = destination.parent_path();
    if (folder.empty()) folder = ".";
    // Hidden and marked as ours, so that a leftover after a power cut is
    // recognisable and never taken for an image.
    std::string pattern =
        (folder / ("." + destination.filename().string() + ".lumistra-XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return {WriteOutcome::kFailed, Reason(errno)};
    const std::string temporary = pattern;

    bool ok = ::fchmod(fd, PermissionsFor(path)) == 0;
    for (const ByteRange& piece : pieces) ok = ok && WriteAll(fd, piece.data, piece.size);
    ok = ok && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return {WriteOutcome::kFailed, Reason(error)};
    }
    if (stillWanted && !stillWanted()) {
        ::unlink(temporary.c_str());
        return {WriteOutcome::kAbandoned, {}};
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return {WriteOutcome::kFailed, Reason(error)};
    }
    SyncFolder(folder);
    return {WriteOutcome::kWritten, {}};
}
