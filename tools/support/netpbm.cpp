#include "tools/support/netpbm.h"

#include <cctype>
#include <fstream>
#include <iterator>
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

// The next whitespace-separated number of a header, after any comment lines.
bool ReadHeaderNumber(std::istream& in, uint32_t* value) {
    for (;;) {
        const int c = in.peek();
        if (c == '#') {
            std::string comment;
            std::getline(in, comment);
        } else if (c != EOF && std::isspace(c)) {
            in.get();
        } else {
            break;
        }
    }
    uint64_t number = 0;
    int digits = 0;
    while (std::isdigit(in.peek()) && digits < 10) {
        number = number * 10 + uint64_t(in.get() - '0');
        ++digits;
    }
    if (digits == 0 || number > UINT32_MAX) return false;
    *value = uint32_t(number);
    return true;
}

}  // namespace

bool LooksLikeNetpbm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == 'P' && (magic[1] == '5' || magic[1] == '6');
}

std::string ReadNetpbm(const std::string& path, NetpbmImage* image) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "cannot read " + path;
    char magic[2] = {};
    in.read(magic, 2);
    if (!in || magic[0] != 'P' || (magic[1] != '5' && magic[1] != '6')) {
        return path + ": not a binary PGM or PPM file";
    }
    uint32_t width = 0, height = 0, maximum = 0;
    if (!ReadHeaderNumber(in, &width) || !ReadHeaderNumber(in, &height) ||
        !ReadHeaderNumber(in, &maximum) || !std::isspace(in.get())) {
        return path + ": damaged PGM or PPM header";
    }
    if (maximum != 255) return path + ": only 8-bit samples (maximum 255) are read";
    if (width == 0 || height == 0 || width > 32767 || height > 32767) {
        return path + ": " + std::to_string(width) + " x " + std::to_string(height) +
               " is not an image size this tool takes";
    }
    const int channels = magic[1] == '6' ? 3 : 1;
    const std::size_t size = std::size_t(width) * height * std::size_t(channels);
    // A header may claim more than the file holds: look before allocating for it.
    const std::streampos start = in.tellg();
    in.seekg(0, std::ios::end);
    const std::streamoff available = in.tellg() - start;
    in.seekg(start);
    if (available < std::streamoff(size)) {
        return path + ": truncated: fewer samples than the header says";
    }
    std::vector<uint8_t> samples(size);
    in.read(reinterpret_cast<char*>(samples.data()), std::streamsize(size));
    if (std::size_t(in.gcount()) != size)
        return path + ": truncated: fewer samples than the header says";
    *image = NetpbmImage{width, height, channels, std::move(samples)};
    return {};
}

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
