// Property list ("PiPL") vocabulary: the keys a host reads before it runs any
// plug-in code, and the structs stored in their data.
#pragma once

#include "interface/plugin_types.h"

// The list itself: int16 1 (skipped by hosts), int32 list version, int32
// property count, then the properties. Each property is vendor code, key,
// int32 property id (0), int32 data length, data. Lengths are written already
// rounded up to a multiple of 4 (data zero-filled): some hosts step by the
// length as written, others round it up, and a padded length satisfies both.
constexpr int16_t kPiPLLeadingWord = 1;
constexpr int32_t kPiPLVersion = 0;

// Vendor of every standard property, also the reference host's signature.
constexpr OSType kStandardVendorCode = FourCC("8BIM");

constexpr OSType PIKindProperty = FourCC("kind");
constexpr OSType PINameProperty = FourCC("name");
constexpr OSType PICategoryProperty = FourCC("catg");
constexpr OSType PIVersionProperty = FourCC("vers");
constexpr OSType PIWin32X86CodeProperty = FourCC("wx86");
// A 64-bit module carries this key instead of the 32-bit one, never both:
// one host takes whichever of the two appears last.
constexpr OSType PIWin64X86CodeProperty = FourCC("8664");
constexpr OSType PIImageModesProperty = FourCC("mode");
constexpr OSType PIEnableInfoProperty = FourCC("enbl");
constexpr OSType PIHasTerminologyProperty = FourCC("hstm");
constexpr OSType PIFilterCaseInfoProperty = FourCC("fici");
constexpr OSType PIPriorityProperty = FourCC("prty");
constexpr OSType PIRequiredHostProperty = FourCC("host");

// Data of the kind property for a filter module.
constexpr OSType PIFilterKind = FourCC("8BFM");

// Image-mode flag set: the flag of mode m is bit (0x80 >> m % 8) of byte m / 8.
// First byte:
constexpr uint8_t flagSupportsBitmap = 0x80;
constexpr uint8_t flagSupportsGrayScale = 0x40;
constexpr uint8_t flagSupportsIndexedColor = 0x20;
constexpr uint8_t flagSupportsRGBColor = 0x10;
constexpr uint8_t flagSupportsCMYKColor = 0x08;
constexpr uint8_t flagSupportsHSLColor = 0x04;
constexpr uint8_t flagSupportsHSBColor = 0x02;
constexpr uint8_t flagSupportsMultichannel = 0x01;
// Second byte:
constexpr uint8_t flagSupportsDuotone = 0x80;
constexpr uint8_t flagSupportsLABColor = 0x40;

// FilterCaseInfo input and output handling.
constexpr int8_t filterDataHandlingCantFilter = 0;
constexpr int8_t filterDataHandlingNone = 1;
constexpr int8_t filterDataHandlingBlackMat = 2;
constexpr int8_t filterDataHandlingGrayMat = 3;
constexpr int8_t filterDataHandlingWhiteMat = 4;
constexpr int8_t filterDataHandlingDefringe = 5;        // input only
constexpr int8_t filterDataHandlingBlackZap = 6;        // input only
constexpr int8_t filterDataHandlingGrayZap = 7;         // input only
constexpr int8_t filterDataHandlingWhiteZap = 8;        // input only
constexpr int8_t filterDataHandlingFillMask = 9;        // output only
constexpr int8_t filterDataHandlingBackgroundZap = 10;  // input only
constexpr int8_t filterDataHandlingForegroundZap = 11;  // input only

// Bit numbers in FilterCaseInfo::flags1.
constexpr int PIFilterDontCopyToDestinationBit = 0;
constexpr int PIFilterWorksWithBlankDataBit = 1;
constexpr int PIFilterFiltersLayerMaskBit = 2;
constexpr int PIFilterWritesOutsideSelectionBit = 3;

#pragma pack(push, 1)

// One entry of the filter-case property; entry i describes filterCase i + 1.
struct FilterCaseInfo {
    int8_t inputHandling;
    int8_t outputHandling;
    int8_t flags1;
    int8_t flags2;  // zero
};

// Data of the terminology property; the scope string continues past the
// declared single character up to its terminating zero.
struct PITerminology {
    int32_t version;
    DescriptorClassID classID;
    DescriptorEventID eventID;
    int16_t terminologyID;  // id of the terminology resource
    char scopeString[1];
};

#pragma pack(pop)

constexpr int32_t kCurrentTerminologyVersion = 0;
