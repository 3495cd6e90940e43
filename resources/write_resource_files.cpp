// Writes the property list and terminology bytes as files for the Windows
// resource compiler: pipl_x86.bin and pipl_x64.bin (one per module
// architecture) and aete.bin, into the directory given as the only argument.
#include <cstdio>
#include <string>

#include "resources/plugin_resources.h"

namespace {

bool WriteFile(const std::string& path, const uint8_t* bytes, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];
    struct Output {
        const char* name;
        const uint8_t* bytes;
        std::size_t size;
    };
    const Output outputs[] = {
        {"pipl_x86.bin", kPiplX86.data(), kPiplX86.size()},
        {"pipl_x64.bin", kPiplX64.data(), kPiplX64.size()},
        {"aete.bin", kAete.data(), kAete.size()},
    };
    for (const Output& output : outputs) {
        const std::string path = directory + "/" + output.name;
        if (!WriteFile(path, output.bytes, output.size)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
