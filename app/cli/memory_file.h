// An in-memory file that image writers can write to, seek in and read back
// (some, like the TIFF writer, read what they wrote). Writing to memory first
// lets the tool put the finished bytes on disk itself, with every write
// checked, instead of trusting each format's writer to report a full disk.
#pragma once

#include <OpenImageIO/filesystem.h>

#include <cstdint>
#include <vector>

class MemoryFile : public OIIO::Filesystem::IOProxy {
public:
    explicit MemoryFile(std::vector<uint8_t>* bytes);

    const char* proxytype() const override { return "lumistra-memory"; }
    std::size_t read(void* data, std::size_t size) override;
    std::size_t write(const void* data, std::size_t size) override;
    std::size_t pread(void* data, std::size_t size, int64_t offset) override;
    std::size_t pwrite(const void* data, std::size_t size, int64_t offset) override;
    std::size_t size() const override { return bytes_->size(); }

private:
    std::vector<uint8_t>* bytes_;
};
