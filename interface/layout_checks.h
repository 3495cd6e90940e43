// Compile-time proof that every record and table matches the layout hosts
// use: each offset and size below was measured from the host interface with
// both 32-bit and 64-bit Windows compilers. A slip in a declaration, a lost
// packing pragma or a `long` where a pointer-sized field belongs fails the
// build here instead of corrupting a host's memory.
//
// The first number of each pair is the 32-bit value, the second the 64-bit
// one; the pointer size of the target picks which one is checked. 64-bit
// Linux builds must match 64-bit Windows.
#pragma once

#include <cstddef>

#include "interface/filter_record.h"
#include "interface/host_suites.h"
#include "interface/pica_suites.h"
#include "interface/pixel_map.h"
#include "interface/plugin_constants.h"
#include "interface/plugin_types.h"
#include "interface/property_list.h"

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "only 32- and 64-bit targets are laid out");

namespace lumistra_layout {
constexpr std::size_t Pick(std::size_t bits32, std::size_t bits64) {
    return sizeof(void*) == 4 ? bits32 : bits64;
}
}  // namespace lumistra_layout

#define LUMISTRA_CHECK_OFFSET(Type, field, off32, off64)                        \
    static_assert(offsetof(Type, field) == lumistra_layout::Pick(off32, off64), \
                  "offset of " #Type "::" #field)

#define LUMISTRA_CHECK_FIELD(Type, field, off32, size32, off64, size64)         \
    LUMISTRA_CHECK_OFFSET(Type, field, off32, off64);                           \
    static_assert(sizeof(Type::field) == lumistra_layout::Pick(size32, size64), \
                  "size of " #Type "::" #field)

#define LUMISTRA_CHECK_SIZE(Type, size32, size64) \
    static_assert(sizeof(Type) == lumistra_layout::Pick(size32, size64), "size of " #Type)

// ---- Whole sizes -------------------------------------------------------------

LUMISTRA_CHECK_SIZE(Point, 4, 4);
LUMISTRA_CHECK_SIZE(Rect, 8, 8);
LUMISTRA_CHECK_SIZE(VPoint, 8, 8);
LUMISTRA_CHECK_SIZE(VRect, 16, 16);
LUMISTRA_CHECK_SIZE(RGBColor, 6, 6);
LUMISTRA_CHECK_SIZE(FilterColor, 4, 4);
LUMISTRA_CHECK_SIZE(PlugInMonitor, 40, 40);
LUMISTRA_CHECK_SIZE(PlatformData, 4, 8);
LUMISTRA_CHECK_SIZE(BigDocumentStruct, 92, 92);
LUMISTRA_CHECK_SIZE(FilterRecord, 488, 608);
LUMISTRA_CHECK_SIZE(AboutRecord, 256, 272);
LUMISTRA_CHECK_SIZE(FilterCaseInfo, 4, 4);
LUMISTRA_CHECK_SIZE(PITerminology, 15, 15);
LUMISTRA_CHECK_SIZE(BufferProcs, 36, 72);
LUMISTRA_CHECK_SIZE(HandleProcs, 36, 72);
LUMISTRA_CHECK_SIZE(PropertyProcs, 12, 24);
LUMISTRA_CHECK_SIZE(ResourceProcs, 20, 40);
LUMISTRA_CHECK_SIZE(PIDescriptorParameters, 20, 32);
LUMISTRA_CHECK_SIZE(ReadDescriptorProcs, 76, 152);
LUMISTRA_CHECK_SIZE(WriteDescriptorProcs, 68, 136);
LUMISTRA_CHECK_SIZE(PSPixelMask, 20, 32);
LUMISTRA_CHECK_SIZE(PSPixelMap, 68, 88);
LUMISTRA_CHECK_SIZE(SPBasicSuite, 28, 56);
LUMISTRA_CHECK_SIZE(PSActionDescriptorProcs, 184, 368);
LUMISTRA_CHECK_SIZE(PSDescriptorRegistryProcs, 12, 24);
LUMISTRA_CHECK_SIZE(Boolean, 1, 1);
LUMISTRA_CHECK_SIZE(SPBoolean, 4, 4);

// ---- PITerminology (packed) ----------------------------------------------------

LUMISTRA_CHECK_OFFSET(PITerminology, version, 0, 0);
LUMISTRA_CHECK_OFFSET(PITerminology, classID, 4, 4);
LUMISTRA_CHECK_OFFSET(PITerminology, eventID, 8, 8);
LUMISTRA_CHECK_OFFSET(PITerminology, terminologyID, 12, 12);
LUMISTRA_CHECK_OFFSET(PITerminology, scopeString, 14, 14);

// ---- Fields, in declaration order ------------------------------------------------

LUMISTRA_CHECK_FIELD(FilterRecord, serialNumber, 0, 4, 0, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, abortProc, 4, 4, 4, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, progressProc, 8, 4, 12, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, parameters, 12, 4, 20, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, imageSize, 16, 4, 28, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, planes, 20, 2, 32, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, filterRect, 22, 8, 34, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, background, 30, 6, 42, 6);
LUMISTRA_CHECK_FIELD(FilterRecord, foreground, 36, 6, 48, 6);
LUMISTRA_CHECK_FIELD(FilterRecord, maxSpace, 44, 4, 56, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, bufferSpace, 48, 4, 60, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, inRect, 52, 8, 64, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, inLoPlane, 60, 2, 72, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inHiPlane, 62, 2, 74, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outRect, 64, 8, 76, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, outLoPlane, 72, 2, 84, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outHiPlane, 74, 2, 86, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inData, 76, 4, 88, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, inRowBytes, 80, 4, 96, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, outData, 84, 4, 100, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, outRowBytes, 88, 4, 108, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, isFloating, 92, 1, 112, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, haveMask, 93, 1, 113, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, autoMask, 94, 1, 114, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, maskRect, 96, 8, 116, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, maskData, 104, 4, 124, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, maskRowBytes, 108, 4, 132, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, backColor, 112, 4, 136, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, foreColor, 116, 4, 140, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, hostSig, 120, 4, 144, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, hostProc, 124, 4, 148, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, imageMode, 128, 2, 156, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, imageHRes, 132, 4, 160, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, imageVRes, 136, 4, 164, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, floatCoord, 140, 4, 168, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, wholeSize, 144, 4, 172, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, monitor, 148, 40, 176, 40);
LUMISTRA_CHECK_FIELD(FilterRecord, platformData, 188, 4, 216, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, bufferProcs, 192, 4, 224, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, resourceProcs, 196, 4, 232, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, processEvent, 200, 4, 240, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, displayPixels, 204, 4, 248, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, handleProcs, 208, 4, 256, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, supportsDummyChannels, 212, 1, 264, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, supportsAlternateLayouts, 213, 1, 265, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, wantLayout, 214, 2, 266, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, filterCase, 216, 2, 268, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, dummyPlaneValue, 218, 2, 270, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, premiereHook, 220, 4, 272, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, advanceState, 224, 4, 280, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, supportsAbsolute, 228, 1, 288, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, wantsAbsolute, 229, 1, 289, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, getPropertyObsolete, 232, 4, 292, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, cannotUndo, 236, 1, 300, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, supportsPadding, 237, 1, 301, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, inputPadding, 238, 2, 302, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outputPadding, 240, 2, 304, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, maskPadding, 242, 2, 306, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, samplingSupport, 244, 1, 308, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, reservedByte, 245, 1, 309, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, inputRate, 248, 4, 312, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, maskRate, 252, 4, 316, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, colorServices, 256, 4, 320, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, inLayerPlanes, 260, 2, 328, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inTransparencyMask, 262, 2, 330, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inLayerMasks, 264, 2, 332, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inInvertedLayerMasks, 266, 2, 334, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inNonLayerPlanes, 268, 2, 336, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outLayerPlanes, 270, 2, 338, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outTransparencyMask, 272, 2, 340, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outLayerMasks, 274, 2, 342, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outInvertedLayerMasks, 276, 2, 344, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outNonLayerPlanes, 278, 2, 346, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, absLayerPlanes, 280, 2, 348, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, absTransparencyMask, 282, 2, 350, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, absLayerMasks, 284, 2, 352, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, absInvertedLayerMasks, 286, 2, 354, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, absNonLayerPlanes, 288, 2, 356, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inPreDummyPlanes, 290, 2, 358, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inPostDummyPlanes, 292, 2, 360, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outPreDummyPlanes, 294, 2, 362, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outPostDummyPlanes, 296, 2, 364, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inColumnBytes, 300, 4, 368, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, inPlaneBytes, 304, 4, 372, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, outColumnBytes, 308, 4, 376, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, outPlaneBytes, 312, 4, 380, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, imageServicesProcs, 316, 4, 384, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, propertyProcs, 320, 4, 392, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, inTileHeight, 324, 2, 400, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inTileWidth, 326, 2, 402, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, inTileOrigin, 328, 4, 404, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, absTileHeight, 332, 2, 408, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, absTileWidth, 334, 2, 410, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, absTileOrigin, 336, 4, 412, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, outTileHeight, 340, 2, 416, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outTileWidth, 342, 2, 418, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, outTileOrigin, 344, 4, 420, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, maskTileHeight, 348, 2, 424, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, maskTileWidth, 350, 2, 426, 2);
LUMISTRA_CHECK_FIELD(FilterRecord, maskTileOrigin, 352, 4, 428, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, descriptorParameters, 356, 4, 432, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, errorString, 360, 4, 440, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, channelPortProcs, 364, 4, 448, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, documentInfo, 368, 4, 456, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, sSPBasic, 372, 4, 464, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, plugInRef, 376, 4, 472, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, depth, 380, 4, 480, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, iCCprofileData, 384, 4, 484, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, iCCprofileSize, 388, 4, 492, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, canUseICCProfiles, 392, 4, 496, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, hasImageScrap, 396, 4, 500, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, bigDocumentData, 400, 4, 504, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, input3DScene, 404, 4, 512, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, output3DScene, 408, 4, 520, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, createNewLayer, 412, 1, 528, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, iCCWorkingProfileData, 416, 4, 532, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, iCCWorkingProfileSize, 420, 4, 540, 4);
LUMISTRA_CHECK_FIELD(FilterRecord, bufferSpace64, 424, 8, 544, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, maxSpace64, 432, 8, 552, 8);
LUMISTRA_CHECK_FIELD(FilterRecord, allowOverrangeColors, 440, 1, 560, 1);
LUMISTRA_CHECK_FIELD(FilterRecord, reserved, 441, 45, 561, 45);

LUMISTRA_CHECK_FIELD(Point, v, 0, 2, 0, 2);
LUMISTRA_CHECK_FIELD(Point, h, 2, 2, 2, 2);

LUMISTRA_CHECK_FIELD(Rect, top, 0, 2, 0, 2);
LUMISTRA_CHECK_FIELD(Rect, left, 2, 2, 2, 2);
LUMISTRA_CHECK_FIELD(Rect, bottom, 4, 2, 4, 2);
LUMISTRA_CHECK_FIELD(Rect, right, 6, 2, 6, 2);

LUMISTRA_CHECK_FIELD(VRect, top, 0, 4, 0, 4);
LUMISTRA_CHECK_FIELD(VRect, left, 4, 4, 4, 4);
LUMISTRA_CHECK_FIELD(VRect, bottom, 8, 4, 8, 4);
LUMISTRA_CHECK_FIELD(VRect, right, 12, 4, 12, 4);

LUMISTRA_CHECK_FIELD(VPoint, v, 0, 4, 0, 4);
LUMISTRA_CHECK_FIELD(VPoint, h, 4, 4, 4, 4);

LUMISTRA_CHECK_FIELD(RGBColor, red, 0, 2, 0, 2);
LUMISTRA_CHECK_FIELD(RGBColor, green, 2, 2, 2, 2);
LUMISTRA_CHECK_FIELD(RGBColor, blue, 4, 2, 4, 2);

LUMISTRA_CHECK_FIELD(PlugInMonitor, gamma, 0, 4, 0, 4);
LUMISTRA_CHECK_FIELD(PlugInMonitor, redX, 4, 4, 4, 4);
LUMISTRA_CHECK_FIELD(PlugInMonitor, redY, 8, 4, 8, 4);
LUMISTRA_CHECK_FIELD(PlugInMonitor, greenX, 12, 4, 12, 4);
LUMISTRA_CHECK_FIELD(PlugInMonitor, greenY, 16, 4, 16, 4);
LUMISTRA_CHECK_FIELD(PlugInMonitor, blueX, 20, 4, 20, 4);
LUMISTRA_CHECK_FIELD(PlugInMonitor, blueY, 24, 4, 24, 4);
LUMISTRA_CHECK_FIELD(PlugInMonitor, whiteX, 28, 4, 28, 4);
LUMISTRA_CHECK_FIELD(PlugInMonitor, whiteY, 32, 4, 32, 4);
LUMISTRA_CHECK_FIELD(PlugInMonitor, ambient, 36, 4, 36, 4);

LUMISTRA_CHECK_FIELD(PlatformData, hwnd, 0, 4, 0, 8);

LUMISTRA_CHECK_FIELD(BigDocumentStruct, PluginUsing32BitCoordinates, 0, 4, 0, 4);
LUMISTRA_CHECK_FIELD(BigDocumentStruct, imageSize32, 4, 8, 4, 8);
LUMISTRA_CHECK_FIELD(BigDocumentStruct, filterRect32, 12, 16, 12, 16);
LUMISTRA_CHECK_FIELD(BigDocumentStruct, inRect32, 28, 16, 28, 16);
LUMISTRA_CHECK_FIELD(BigDocumentStruct, outRect32, 44, 16, 44, 16);
LUMISTRA_CHECK_FIELD(BigDocumentStruct, maskRect32, 60, 16, 60, 16);
LUMISTRA_CHECK_FIELD(BigDocumentStruct, floatCoord32, 76, 8, 76, 8);
LUMISTRA_CHECK_FIELD(BigDocumentStruct, wholeSize32, 84, 8, 84, 8);

LUMISTRA_CHECK_OFFSET(AboutRecord, platformData, 0, 0);
LUMISTRA_CHECK_OFFSET(AboutRecord, sSPBasic, 4, 8);
LUMISTRA_CHECK_OFFSET(AboutRecord, plugInRef, 8, 16);
LUMISTRA_CHECK_OFFSET(AboutRecord, reserved, 12, 24);

LUMISTRA_CHECK_OFFSET(FilterCaseInfo, inputHandling, 0, 0);
LUMISTRA_CHECK_OFFSET(FilterCaseInfo, outputHandling, 1, 1);
LUMISTRA_CHECK_OFFSET(FilterCaseInfo, flags1, 2, 2);
LUMISTRA_CHECK_OFFSET(FilterCaseInfo, flags2, 3, 3);

LUMISTRA_CHECK_FIELD(BufferProcs, bufferProcsVersion, 0, 2, 0, 2);
LUMISTRA_CHECK_FIELD(BufferProcs, numBufferProcs, 2, 2, 2, 2);
LUMISTRA_CHECK_FIELD(BufferProcs, allocateProc, 4, 4, 8, 8);
LUMISTRA_CHECK_FIELD(BufferProcs, lockProc, 8, 4, 16, 8);
LUMISTRA_CHECK_FIELD(BufferProcs, unlockProc, 12, 4, 24, 8);
LUMISTRA_CHECK_FIELD(BufferProcs, freeProc, 16, 4, 32, 8);
LUMISTRA_CHECK_FIELD(BufferProcs, spaceProc, 20, 4, 40, 8);
LUMISTRA_CHECK_FIELD(BufferProcs, reserveProc, 24, 4, 48, 8);
LUMISTRA_CHECK_FIELD(BufferProcs, allocateProc64, 28, 4, 56, 8);
LUMISTRA_CHECK_FIELD(BufferProcs, spaceProc64, 32, 4, 64, 8);

LUMISTRA_CHECK_FIELD(HandleProcs, handleProcsVersion, 0, 2, 0, 2);
LUMISTRA_CHECK_FIELD(HandleProcs, numHandleProcs, 2, 2, 2, 2);
LUMISTRA_CHECK_FIELD(HandleProcs, newProc, 4, 4, 8, 8);
LUMISTRA_CHECK_FIELD(HandleProcs, disposeProc, 8, 4, 16, 8);
LUMISTRA_CHECK_FIELD(HandleProcs, getSizeProc, 12, 4, 24, 8);
LUMISTRA_CHECK_FIELD(HandleProcs, setSizeProc, 16, 4, 32, 8);
LUMISTRA_CHECK_FIELD(HandleProcs, lockProc, 20, 4, 40, 8);
LUMISTRA_CHECK_FIELD(HandleProcs, unlockProc, 24, 4, 48, 8);
LUMISTRA_CHECK_FIELD(HandleProcs, recoverSpaceProc, 28, 4, 56, 8);
LUMISTRA_CHECK_FIELD(HandleProcs, disposeRegularHandleProc, 32, 4, 64, 8);

LUMISTRA_CHECK_FIELD(PropertyProcs, propertyProcsVersion, 0, 2, 0, 2);
LUMISTRA_CHECK_FIELD(PropertyProcs, numPropertyProcs, 2, 2, 2, 2);
LUMISTRA_CHECK_FIELD(PropertyProcs, getPropertyProc, 4, 4, 8, 8);
LUMISTRA_CHECK_FIELD(PropertyProcs, setPropertyProc, 8, 4, 16, 8);

LUMISTRA_CHECK_FIELD(ResourceProcs, resourceProcsVersion, 0, 2, 0, 2);
LUMISTRA_CHECK_FIELD(ResourceProcs, numResourceProcs, 2, 2, 2, 2);
LUMISTRA_CHECK_FIELD(ResourceProcs, countProc, 4, 4, 8, 8);
LUMISTRA_CHECK_FIELD(ResourceProcs, getProc, 8, 4, 16, 8);
LUMISTRA_CHECK_FIELD(ResourceProcs, deleteProc, 12, 4, 24, 8);
LUMISTRA_CHECK_FIELD(ResourceProcs, addProc, 16, 4, 32, 8);

LUMISTRA_CHECK_OFFSET(PIDescriptorParameters, descriptorParametersVersion, 0, 0);
LUMISTRA_CHECK_OFFSET(PIDescriptorParameters, playInfo, 2, 2);
LUMISTRA_CHECK_OFFSET(PIDescriptorParameters, recordInfo, 4, 4);
LUMISTRA_CHECK_OFFSET(PIDescriptorParameters, descriptor, 8, 8);
LUMISTRA_CHECK_OFFSET(PIDescriptorParameters, writeDescriptorProcs, 12, 16);
LUMISTRA_CHECK_OFFSET(PIDescriptorParameters, readDescriptorProcs, 16, 24);

LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, readDescriptorProcsVersion, 0, 2, 0, 2);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, numReadDescriptorProcs, 2, 2, 2, 2);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, openReadDescriptorProc, 4, 4, 8, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, closeReadDescriptorProc, 8, 4, 16, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getKeyProc, 12, 4, 24, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getIntegerProc, 16, 4, 32, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getFloatProc, 20, 4, 40, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getUnitFloatProc, 24, 4, 48, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getBooleanProc, 28, 4, 56, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getTextProc, 32, 4, 64, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getAliasProc, 36, 4, 72, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getEnumeratedProc, 40, 4, 80, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getClassProc, 44, 4, 88, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getSimpleReferenceProc, 48, 4, 96, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getObjectProc, 52, 4, 104, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getCountProc, 56, 4, 112, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getStringProc, 60, 4, 120, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getPinnedIntegerProc, 64, 4, 128, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getPinnedFloatProc, 68, 4, 136, 8);
LUMISTRA_CHECK_FIELD(ReadDescriptorProcs, getPinnedUnitFloatProc, 72, 4, 144, 8);

LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, writeDescriptorProcsVersion, 0, 2, 0, 2);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, numWriteDescriptorProcs, 2, 2, 2, 2);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, openWriteDescriptorProc, 4, 4, 8, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, closeWriteDescriptorProc, 8, 4, 16, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putIntegerProc, 12, 4, 24, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putFloatProc, 16, 4, 32, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putUnitFloatProc, 20, 4, 40, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putBooleanProc, 24, 4, 48, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putTextProc, 28, 4, 56, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putAliasProc, 32, 4, 64, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putEnumeratedProc, 36, 4, 72, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putClassProc, 40, 4, 80, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putSimpleReferenceProc, 44, 4, 88, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putObjectProc, 48, 4, 96, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putCountProc, 52, 4, 104, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putStringProc, 56, 4, 112, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putScopedClassProc, 60, 4, 120, 8);
LUMISTRA_CHECK_FIELD(WriteDescriptorProcs, putScopedObjectProc, 64, 4, 128, 8);

LUMISTRA_CHECK_OFFSET(PSPixelMask, next, 0, 0);
LUMISTRA_CHECK_OFFSET(PSPixelMask, maskData, 4, 8);
LUMISTRA_CHECK_OFFSET(PSPixelMask, rowBytes, 8, 16);
LUMISTRA_CHECK_OFFSET(PSPixelMask, colBytes, 12, 20);
LUMISTRA_CHECK_OFFSET(PSPixelMask, maskDescription, 16, 24);

LUMISTRA_CHECK_OFFSET(PSPixelMap, version, 0, 0);
LUMISTRA_CHECK_OFFSET(PSPixelMap, bounds, 4, 4);
LUMISTRA_CHECK_OFFSET(PSPixelMap, imageMode, 20, 20);
LUMISTRA_CHECK_OFFSET(PSPixelMap, rowBytes, 24, 24);
LUMISTRA_CHECK_OFFSET(PSPixelMap, colBytes, 28, 28);
LUMISTRA_CHECK_OFFSET(PSPixelMap, planeBytes, 32, 32);
LUMISTRA_CHECK_OFFSET(PSPixelMap, baseAddr, 36, 40);
LUMISTRA_CHECK_OFFSET(PSPixelMap, mat, 40, 48);
LUMISTRA_CHECK_OFFSET(PSPixelMap, masks, 44, 56);
LUMISTRA_CHECK_OFFSET(PSPixelMap, maskPhaseRow, 48, 64);
LUMISTRA_CHECK_OFFSET(PSPixelMap, maskPhaseCol, 52, 68);
LUMISTRA_CHECK_OFFSET(PSPixelMap, pixelOverlays, 56, 72);
LUMISTRA_CHECK_OFFSET(PSPixelMap, colorManagementOptions, 60, 80);
LUMISTRA_CHECK_OFFSET(PSPixelMap, depth, 64, 84);

LUMISTRA_CHECK_OFFSET(SPBasicSuite, AcquireSuite, 0, 0);
LUMISTRA_CHECK_OFFSET(SPBasicSuite, ReleaseSuite, 4, 8);
LUMISTRA_CHECK_OFFSET(SPBasicSuite, IsEqual, 8, 16);
LUMISTRA_CHECK_OFFSET(SPBasicSuite, AllocateBlock, 12, 24);
LUMISTRA_CHECK_OFFSET(SPBasicSuite, FreeBlock, 16, 32);
LUMISTRA_CHECK_OFFSET(SPBasicSuite, ReallocateBlock, 20, 40);
LUMISTRA_CHECK_OFFSET(SPBasicSuite, Undefined, 24, 48);

LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, Make, 0, 0);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, Free, 4, 8);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutFloat, 40, 80);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetFloat, 92, 184);

LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetType, 8, 16);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetKey, 12, 24);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, HasKey, 16, 32);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetCount, 20, 40);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, IsEqual, 24, 48);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, Erase, 28, 56);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, Clear, 32, 64);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutInteger, 36, 72);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutUnitFloat, 44, 88);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutString, 48, 96);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutBoolean, 52, 104);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutList, 56, 112);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutObject, 60, 120);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutGlobalObject, 64, 128);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutEnumerated, 68, 136);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutReference, 72, 144);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutClass, 76, 152);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutGlobalClass, 80, 160);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutAlias, 84, 168);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetInteger, 88, 176);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetUnitFloat, 96, 192);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetStringLength, 100, 200);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetString, 104, 208);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetBoolean, 108, 216);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetList, 112, 224);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetObject, 116, 232);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetGlobalObject, 120, 240);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetEnumerated, 124, 248);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetReference, 128, 256);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetClass, 132, 264);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetGlobalClass, 136, 272);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetAlias, 140, 280);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, HasKeys, 144, 288);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutIntegers, 148, 296);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetIntegers, 152, 304);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, AsHandle, 156, 312);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, HandleToDescriptor, 160, 320);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutZString, 164, 328);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetZString, 168, 336);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, PutData, 172, 344);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetDataLength, 176, 352);
LUMISTRA_CHECK_OFFSET(PSActionDescriptorProcs, GetData, 180, 360);

LUMISTRA_CHECK_OFFSET(PSDescriptorRegistryProcs, Register, 0, 0);
LUMISTRA_CHECK_OFFSET(PSDescriptorRegistryProcs, Erase, 4, 8);
LUMISTRA_CHECK_OFFSET(PSDescriptorRegistryProcs, Get, 8, 16);

// ---- Codes whose values hosts compare -------------------------------------------------

static_assert(kStandardVendorCode == 0x3842494D, "'8BIM'");
static_assert(PIFilterKind == 0x3842464D, "'8BFM'");
static_assert(PIKindProperty == 0x6B696E64, "'kind'");
static_assert(PINameProperty == 0x6E616D65, "'name'");
static_assert(PICategoryProperty == 0x63617467, "'catg'");
static_assert(PIVersionProperty == 0x76657273, "'vers'");
static_assert(PIWin32X86CodeProperty == 0x77783836, "'wx86'");
static_assert(PIWin64X86CodeProperty == 0x38363634, "'8664'");
static_assert(PIImageModesProperty == 0x6D6F6465, "'mode'");
static_assert(PIEnableInfoProperty == 0x656E626C, "'enbl'");
static_assert(PIHasTerminologyProperty == 0x6873746D, "'hstm'");
static_assert(PIFilterCaseInfoProperty == 0x66696369, "'fici'");
static_assert(PIPriorityProperty == 0x70727479, "'prty'");
static_assert(PIRequiredHostProperty == 0x686F7374, "'host'");
static_assert(propWatchSuspension == 0x77746368, "'wtch'");
static_assert(kSPSuiteNotFoundError == 0x53214664, "'S!Fd'");

#undef LUMISTRA_CHECK_SIZE
#undef LUMISTRA_CHECK_FIELD
#undef LUMISTRA_CHECK_OFFSET
