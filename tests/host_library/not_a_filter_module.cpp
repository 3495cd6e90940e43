// A loadable module whose property list declares some other kind of plug-in
// than a filter: a host must refuse it before running any of its code.
#include <cstdint>

// A four-character code as stored: a little-endian 32-bit number.
#define STORED_CODE(code)                                                                        \
    static_cast<uint8_t>(code[3]), static_cast<uint8_t>(code[2]), static_cast<uint8_t>(code[1]), \
        static_cast<uint8_t>(code[0])

__attribute__((section(".PIPL"), used)) const uint8_t kNotAFilterPropertyList[] = {
    1,
    0,  // leading word
    0,
    0,
    0,
    0,  // list version
    1,
    0,
    0,
    0,  // one property
    STORED_CODE("8BIM"),
    STORED_CODE("kind"),
    0,
    0,
    0,
    0,
    4,
    0,
    0,
    0,
    STORED_CODE("8BXY"),
};
