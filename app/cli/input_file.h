// An input file, looked at before it is opened: a named pipe, a device or a
// folder is refused without ever blocking on it. Its first bytes are read
// alone, so that a file whose contents are no image is refused without
// reading the rest of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens the file and reads its first bytes (enough to tell its format).
    // Empty on success, else the reason ("No such file or directory", "is a
    // folder, not a file", "is not a regular file").
    std::string Open(const std::string& path);
    // Reads the rest. Read rather than mapped: a file cut short by someone
    // else while it is read is then damaged, not a fatal signal.
    std::string ReadAll();
    void Close();

    const uint8_t* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }

private:
    int fd_ = -1;
    std::size_t fileSize_ = 0;
    std::vector<uint8_t> bytes_;
};

// Opens path for reading only when it is a regular file, without blocking
// on a pipe or a device. Returns the descriptor, or -1 with *problem set.
int OpenRegularFile(const std::string& path, std::string* problem);
