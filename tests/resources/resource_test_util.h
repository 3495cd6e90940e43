#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A string literal as raw bytes, embedded zeros included (the literal's own
// terminator excluded). Lets expected layouts be written out byte for byte.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

template <std::size_t N>
std::string AsString(const std::array<uint8_t, N>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

inline std::string AsString(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

inline std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
}

// Little-endian reading with a cursor; reading past the end fails the cursor.
class LittleEndianCursor {
public:
    explicit LittleEndianCursor(const std::string& bytes) : bytes_(bytes) {}

    uint32_t U8() { return Next(1); }
    uint32_t U16() { return Next(2); }
    uint32_t U32() { return Next(4); }
    // A four-character code, stored as a little-endian number, read back as text.
    std::string Code() {
        const uint32_t value = U32();
        return std::string{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    }
    std::string PascalString() {
        const uint32_t length = U8();
        return Text(length);
    }
    std::string Text(std::size_t length) {
        if (!Has(length)) return {};
        const std::string text = bytes_.substr(at_, length);
        at_ += length;
        return text;
    }

    std::size_t position() const { return at_; }
    bool ok() const { return ok_; }
    bool AtEnd() const { return ok_ && at_ == bytes_.size(); }

private:
    bool Has(std::size_t length) {
        if (bytes_.size() - at_ < length) ok_ = false;
        return ok_;
    }
    uint32_t Next(std::size_t width) {
        if (!Has(width)) return 0;
        uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            value |= uint32_t{static_cast<uint8_t>(bytes_[at_ + i])} << (8 * i);
        }
        at_ += width;
        return value;
    }

    const std::string& bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};
