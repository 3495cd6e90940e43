// Reading a whole file into memory with a reason a person understands when
// it cannot be read ("No such file or directory", "is a folder").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Empty on success, else the reason.
std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes);
