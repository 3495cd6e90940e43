// Writing a file so that it appears complete or not at all: the bytes go to
// a new temporary file in the destination's folder, are flushed to the disk,
// and only then is the temporary renamed over the destination. A failure or
// an interruption removes the temporary and leaves any earlier file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class WriteOutcome { kWritten, kFailed, kAbandoned };

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::kFailed;
    std::string problem;  // for kFailed: what went wrong, e.g. "No space left on device"
};

// stillWanted (when given) is asked once the bytes are safely in the
// temporary file; if it answers false the file is abandoned. A file that is
// replaced keeps its permissions; a new one gets the usual ones (0666 less
// the umask).
WriteResult WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                                const std::function<bool()>& stillWanted = {});

// The same for a file made of several pieces (a header, then the samples).
struct ByteRange {
    const void* data;
    std::size_t size;
};
WriteResult WriteFileAtomically(const std::string& path, const std::vector<ByteRange>& pieces,
                                const std::function<bool()>& stillWanted = {});
