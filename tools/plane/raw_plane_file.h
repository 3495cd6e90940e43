#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumistra {

// Reads a file that must hold exactly size bytes. Returns an empty string on success,
// else a one-line description naming the file.
std::string ReadExactly(const std::string& path, size_t size, std::vector<uint8_t>& bytes);

}  // namespace lumistra
