// An input file mapped into memory, looked at before it is opened: a named
// pipe, a device or a folder is refused without ever blocking on it, and
// nothing of the file is read until a decoder asks for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Empty on success, else the reason ("No such file or directory", "is a
    // folder, not a file", "is not a regular file").
    std::string Open(const std::string& path);
    void Close();

    const uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    const uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    void* mapping_ = nullptr;
};

// Opens path for reading only when it is a regular file, without blocking
// on a pipe or a device. Returns the descriptor, or -1 with *problem set.
int OpenRegularFile(const std::string& path, std::string* problem);
