#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lumistra {

// Writes bytes to path so that path either gets the complete content or is left as it
// was: the bytes go to a new file in the same folder, which is renamed over path once
// fully written. Returns an empty string on success, else a one-line description.
std::string WriteFileAtomically(const std::string& path, const void* data, size_t size);

// As above, with a header written before the data (for image formats).
std::string WriteFileAtomically(const std::string& path, const std::string& header,
                                const void* data, size_t size);

}  // namespace lumistra
