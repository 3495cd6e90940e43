#include "app/cli/memory_file.h"

#include <algorithm>
#include <cstring>

MemoryFile::MemoryFile(std::vector<uint8_t>* bytes) : IOProxy("", Write), bytes_(bytes) {}

std::size_t MemoryFile::read(void* data, std::size_t size) {
    const std::size_t got = pread(data, size, m_pos);
    m_pos += static_cast<int64_t>(got);
    return got;
}

std::size_t MemoryFile::write(const void* data, std::size_t size) {
    const std::size_t put = pwrite(data, size, m_pos);
    m_pos += static_cast<int64_t>(put);
    return put;
}

std::size_t MemoryFile::pread(void* data, std::size_t size, int64_t offset) {
    if (offset < 0 || static_cast<uint64_t>(offset) >= bytes_->size()) return 0;
    const std::size_t start = static_cast<std::size_t>(offset);
    const std::size_t count = std::min(size, bytes_->size() - start);
    std::memcpy(data, bytes_->data() + start, count);
    return count;
}

std::size_t MemoryFile::pwrite(const void* data, std::size_t size, int64_t offset) {
    if (offset < 0) return 0;
    const std::size_t start = static_cast<std::size_t>(offset);
    if (bytes_->size() < start + size) bytes_->resize(start + size);
    if (size > 0) std::memcpy(bytes_->data() + start, data, size);
    return size;
}
