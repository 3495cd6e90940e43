// Puts the property list and the terminology of the library this object is
// linked into in ELF sections named after the resource types, ".PIPL" and
// ".AETE", so that a host can read them from the file without loading the
// library or running its code. Windows modules carry the same bytes as
// resources instead.
#include "resources/plugin_resources.h"

#if !defined(__ELF__)
#error "resource sections are an ELF feature; Windows builds use the resource compiler"
#endif

// "used" keeps the unreferenced arrays through compilation; "retain" also
// keeps them when the library is linked with --gc-sections.
#if defined(__has_attribute)
#if __has_attribute(retain)
#define LUMISTRA_KEEP_SECTION used, retain
#endif
#endif
#ifndef LUMISTRA_KEEP_SECTION
#define LUMISTRA_KEEP_SECTION used
#endif

__attribute__((section(".PIPL"), LUMISTRA_KEEP_SECTION))
const std::array<uint8_t, kPiplNative.size()>
    lumistraPiplSection = kPiplNative;

__attribute__((section(".AETE"), LUMISTRA_KEEP_SECTION)) const std::array<uint8_t, kAete.size()>
    lumistraAeteSection = kAete;
