// Building resource bytes at compile time. A resource is described once, as a
// function template over a byte sink, and run twice: into ByteCounter to learn
// its size, then into ByteArrayWriter of that size to produce the array.
// Numbers are written little-endian; four-character codes as 32-bit numbers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "interface/plugin_types.h"

struct ByteCounter {
    std::size_t size = 0;
    constexpr void Put(uint8_t) { ++size; }
};

template <std::size_t N>
struct ByteArrayWriter {
    std::array<uint8_t, N> bytes{};
    std::size_t size = 0;
    // Writing past N is not a constant expression, so an undersized array
    // fails to compile rather than truncating.
    constexpr void Put(uint8_t byte) { bytes[size++] = byte; }
};

template <class Sink>
constexpr void PutU16(Sink& out, uint16_t value) {
    out.Put(static_cast<uint8_t>(value & 0xFF));
    out.Put(static_cast<uint8_t>(value >> 8));
}

template <class Sink>
constexpr void PutU32(Sink& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.Put(static_cast<uint8_t>((value >> shift) & 0xFF));
    }
}

template <class Sink>
constexpr void PutCode(Sink& out, OSType code) {
    PutU32(out, code);
}

template <class Sink>
constexpr void PutZeros(Sink& out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) out.Put(0);
}

// Length byte, then the characters.
template <class Sink, std::size_t N>
constexpr void PutPascalString(Sink& out, const char (&text)[N]) {
    static_assert(N - 1 <= 255, "a length-prefixed string holds at most 255 characters");
    out.Put(static_cast<uint8_t>(N - 1));
    for (std::size_t i = 0; i + 1 < N; ++i) out.Put(static_cast<uint8_t>(text[i]));
}

// The characters and the terminating zero.
template <class Sink, std::size_t N>
constexpr void PutCString(Sink& out, const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) out.Put(static_cast<uint8_t>(text[i]));
}

template <class Write>
constexpr std::size_t CountBytes(Write write) {
    ByteCounter counter;
    write(counter);
    return counter.size;
}

template <std::size_t N, class Write>
constexpr std::array<uint8_t, N> MakeBytes(Write write) {
    ByteArrayWriter<N> writer;
    write(writer);
    return writer.bytes;
}
