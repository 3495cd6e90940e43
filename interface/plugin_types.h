// Basic types of the filter plug-in interface: scalar aliases, the calling
// convention of every callback, and the small value structs.
//
// Every field is declared with a fixed-width type so that a 64-bit Linux build
// and a 64-bit Windows build lay the records out byte for byte alike (`long`
// is 4 bytes on Win64 but 8 on Linux).
#pragma once

#include <cstddef>
#include <cstdint>

// Calling convention of the entry point and of every host or suite routine.
// 32-bit Windows hosts call with cdecl; it is spelled out so that a compiler
// flag that changes the default (-mrtd, /Gz) cannot break the contract.
// Elsewhere there is only one convention.
#if defined(_WIN32) && !defined(_WIN64)
#define PLUGIN_CALLBACK __cdecl
#else
#define PLUGIN_CALLBACK
#endif

typedef uint8_t Boolean;  // 0 = false; one byte, not the 4-byte Windows BOOL
typedef int32_t Fixed;    // 16.16 fixed point, 1.0 = 0x00010000
typedef int16_t OSErr;    // host result code, 0 = noErr
typedef uint32_t OSType;  // four-character code, first character in the top byte
typedef char* Ptr;
typedef Ptr* Handle;          // host-owned; create, resize, lock and free only through HandleProcs
typedef uint8_t Str255[256];  // length-prefixed string

typedef OSType PIType;
typedef OSType DescriptorKeyID;
typedef OSType DescriptorTypeID;
typedef OSType DescriptorUnitID;
typedef OSType DescriptorEnumID;
typedef OSType DescriptorClassID;
typedef OSType DescriptorEventID;

// Value of a four-character code such as FourCC("8BIM") == 0x3842494D, the
// value a multi-character literal has, without the compiler warning.
constexpr OSType FourCC(const char (&code)[5]) {
    return static_cast<OSType>(static_cast<uint8_t>(code[0])) << 24 |
           static_cast<OSType>(static_cast<uint8_t>(code[1])) << 16 |
           static_cast<OSType>(static_cast<uint8_t>(code[2])) << 8 |
           static_cast<OSType>(static_cast<uint8_t>(code[3]));
}

// Vertical coordinate first, as in the interface.
struct Point {
    int16_t v;
    int16_t h;
};

// Half-open: right and bottom are exclusive; empty when top >= bottom or left >= right.
struct Rect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};

struct VPoint {
    int32_t v;
    int32_t h;
};

struct VRect {
    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;
};

struct RGBColor {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};

// A colour in the image's own colour space.
typedef uint8_t FilterColor[4];

struct PlugInMonitor {
    Fixed gamma;
    Fixed redX;
    Fixed redY;
    Fixed greenX;
    Fixed greenY;
    Fixed blueX;
    Fixed blueY;
    Fixed whiteX;
    Fixed whiteY;
    Fixed ambient;
};

struct PlatformData {
    intptr_t hwnd;  // owner window for the plug-in's dialogs (pointer-sized on every target)
};
