// The plug-in's property list ("PIPL" 16002) and scripting terminology
// ("AETE" 16003) as byte arrays, the single source for the Windows resource
// files and for the sections embedded in the Linux library.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "interface/plugin_constants.h"
#include "interface/property_list.h"
#include "resources/plugin_identity.h"
#include "resources/resource_bytes.h"

// ---- Property list ---------------------------------------------------------

// Writes one property with a length rounded up to a multiple of 4 and
// zero-fills the data to it. Returns 1 so that a list can count its entries.
template <class Sink, class WriteData>
constexpr uint32_t PutProperty(Sink& out, OSType key, WriteData writeData) {
    const std::size_t dataSize = CountBytes(writeData);
    const std::size_t paddedSize = (dataSize + 3) / 4 * 4;
    PutCode(out, kStandardVendorCode);
    PutCode(out, key);
    PutU32(out, 0);  // property id
    PutU32(out, static_cast<uint32_t>(paddedSize));
    writeData(out);
    PutZeros(out, paddedSize - dataSize);
    return 1;
}

// The properties in file order; returns their number. entryPointKey selects
// the 32-bit or the 64-bit entry-point property (a module carries one).
template <class Sink>
constexpr uint32_t PutPiplProperties(Sink& out, OSType entryPointKey) {
    uint32_t count = 0;
    count += PutProperty(out, PIKindProperty, [](auto& data) { PutCode(data, PIFilterKind); });
    count += PutProperty(out, PINameProperty,
                         [](auto& data) { PutPascalString(data, kPluginMenuName); });
    count += PutProperty(out, PICategoryProperty,
                         [](auto& data) { PutPascalString(data, kPluginCategory); });
    count += PutProperty(out, PIVersionProperty, [](auto& data) {
        PutU32(data, static_cast<uint32_t>(latestFilterVersion) << 16 |
                         static_cast<uint32_t>(latestFilterSubVersion));
    });
    count += PutProperty(out, entryPointKey,
                         [](auto& data) { PutCString(data, kPluginEntryPointName); });
    // RGB only; no deep modes.
    count += PutProperty(out, PIImageModesProperty, [](auto& data) {
        data.Put(flagSupportsRGBColor);
        PutZeros(data, 3);
    });
    count += PutProperty(out, PIHasTerminologyProperty, [](auto& data) {
        PutU32(data, static_cast<uint32_t>(kCurrentTerminologyVersion));
        PutCode(data, kPluginScriptingCode);  // class
        PutCode(data, kPluginScriptingCode);  // event
        PutU16(data, static_cast<uint16_t>(kAeteResourceId));
        PutCString(data, kPluginUniqueId);
    });
    count += PutProperty(out, PIEnableInfoProperty,
                         [](auto& data) { PutCString(data, kPluginEnableExpression); });
    // Every filter case, from flat image without selection to protected
    // transparency with selection, taken as it comes and given back as is.
    count += PutProperty(out, PIFilterCaseInfoProperty, [](auto& data) {
        for (int filterCase = filterCaseFlatImageNoSelection;
             filterCase <= filterCaseProtectedTransparencyWithSelection; ++filterCase) {
            data.Put(static_cast<uint8_t>(filterDataHandlingNone));  // input
            data.Put(static_cast<uint8_t>(filterDataHandlingNone));  // output
            PutZeros(data, 2);                                       // flags
        }
    });
    return count;
}

template <class Sink>
constexpr void PutPipl(Sink& out, OSType entryPointKey) {
    ByteCounter scratch;
    const uint32_t propertyCount = PutPiplProperties(scratch, entryPointKey);
    PutU16(out, static_cast<uint16_t>(kPiPLLeadingWord));
    PutU32(out, static_cast<uint32_t>(kPiPLVersion));
    PutU32(out, propertyCount);
    PutPiplProperties(out, entryPointKey);
}

// ---- Scripting terminology ---------------------------------------------------

// Parameter flags of the terminology format.
constexpr uint16_t kAeteFlagOptional = 0x8000;
constexpr uint16_t kAeteFlagEnumerated = 0x2000;
constexpr uint16_t kAeteFlagChangesState = 0x1000;

template <class Sink, std::size_t N>
constexpr uint16_t PutScriptingParameter(Sink& out, const char (&name)[N], DescriptorKeyID key) {
    PutPascalString(out, name);
    PutCode(out, key);
    PutCode(out, typeFloat);
    PutPascalString(out, name);  // description
    PutU16(out, 0);              // flags
    return 1;
}

template <class Sink>
constexpr uint16_t PutScriptingParameters(Sink& out) {
    uint16_t count = 0;
    count += PutScriptingParameter(out, kNoiseHighAmountScriptingName, keyNoiseHighAmount);
    count += PutScriptingParameter(out, kNoiseLowAmountScriptingName, keyNoiseLowAmount);
    count += PutScriptingParameter(out, kClarityAmountScriptingName, keyClarityAmount);
    return count;
}

// Packed: no alignment between items, strings length-prefixed.
template <class Sink>
constexpr void PutAete(Sink& out) {
    PutU16(out, 1);  // leading word, as in the property list
    out.Put(1);      // format version major
    out.Put(0);      // minor
    PutU16(out, 0);  // language
    PutU16(out, 0);  // script
    PutU16(out, 1);  // suites

    PutPascalString(out, kPluginCategory);
    PutPascalString(out, kPluginScriptingDescription);
    PutCode(out, kPluginScriptingCode);
    PutU16(out, 1);  // level
    PutU16(out, 1);  // version
    PutU16(out, 1);  // events

    PutPascalString(out, kPluginScriptingEventName);
    PutPascalString(out, kPluginScriptingDescription);
    PutCode(out, kPluginScriptingCode);  // class
    PutCode(out, kPluginScriptingCode);  // event
    PutCode(out, typeNull);              // reply
    PutPascalString(out, "");
    PutU16(out, 0);
    PutCode(out, typeImageReference);  // direct parameter: the image
    PutPascalString(out, "");
    PutU16(out, kAeteFlagOptional | kAeteFlagEnumerated | kAeteFlagChangesState);

    ByteCounter scratch;
    PutU16(out, PutScriptingParameters(scratch));
    PutScriptingParameters(out);

    PutU16(out, 0);  // classes
    PutU16(out, 0);  // comparison operators
    PutU16(out, 0);  // enumerations
}

// ---- The arrays ---------------------------------------------------------------

constexpr auto kWritePiplX86 = [](auto& out) { PutPipl(out, PIWin32X86CodeProperty); };
constexpr auto kWritePiplX64 = [](auto& out) { PutPipl(out, PIWin64X86CodeProperty); };
constexpr auto kWriteAete = [](auto& out) { PutAete(out); };

// For 32-bit modules (entry point under the 32-bit key).
inline constexpr auto kPiplX86 = MakeBytes<CountBytes(kWritePiplX86)>(kWritePiplX86);
// For 64-bit modules (entry point under the 64-bit key).
inline constexpr auto kPiplX64 = MakeBytes<CountBytes(kWritePiplX64)>(kWritePiplX64);
inline constexpr auto kAete = MakeBytes<CountBytes(kWriteAete)>(kWriteAete);

// The property list of a module built for the current target.
inline constexpr const auto& kPiplNative = sizeof(void*) == 8 ? kPiplX64 : kPiplX86;
