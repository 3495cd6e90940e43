#include "tools/support/netpbm.h"

#include <vector>

#include "app/cli/atomic_output.h"

namespace lumistra {
namespace {

std::string Header(const char* magic, uint32_t width, uint32_t height) {
    return std::string(magic) + "\n" + std::to_string(width) + " " + std::to_string(height) +
           "\n255\n";
}

std::string WriteWithHeader(const std::string& path, const std::string& header, const void* data,
                            size_t size) {
    const WriteResult written =
        WriteFileAtomically(path, {{header.data(), header.size()}, {data, size}});
    if (written.outcome == WriteOutcome::kWritten) return {};
    return "cannot write " + path + ": " + written.problem;
}

}  // namespace

std::string WritePgm(const std::string& path, const uint8_t* plane, uint32_t width,
                     uint32_t height) {
    return WriteWithHeader(path, Header("P5", width, height), plane, size_t(width) * height);
}

std::string WritePpm(const std::string& path, const uint8_t* red, const uint8_t* green,
                     const uint8_t* blue, uint32_t width, uint32_t height) {
    const size_t count = size_t(width) * height;
    std::vector<uint8_t> interleaved(count * 3);
    for (size_t i = 0; i < count; ++i) {
        interleaved[3 * i] = red[i];
        interleaved[3 * i + 1] = green[i];
        interleaved[3 * i + 2] = blue[i];
    }
    return WriteWithHeader(path, Header("P6", width, height), interleaved.data(),
                           interleaved.size());
}

}  // namespace lumistra
