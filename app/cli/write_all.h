// Writing a whole buffer to a file descriptor, however the kernel splits it.
#pragma once

#include <cstddef>

// False on failure, with errno telling why; an interrupted write goes on.
bool WriteAll(int fd, const void* data, std::size_t size);
