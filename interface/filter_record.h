// The parameter blocks the host passes to the entry point: FilterRecord for
// selectors 1 to 5, AboutRecord for selector 0.
#pragma once

#include "interface/host_suites.h"
#include "interface/pica_suites.h"
#include "interface/pixel_map.h"
#include "interface/plugin_types.h"

// Services this program never uses; only pointers to them appear.
struct ImageServicesProcs;
struct ChannelPortProcs;
struct ReadImageDocumentDesc;
struct ColorServicesInfo;

// Direct callbacks of the FilterRecord.
typedef Boolean(PLUGIN_CALLBACK* TestAbortProc)();  // true: the user asked to stop
typedef void(PLUGIN_CALLBACK* ProgressProc)(int32_t done, int32_t total);
typedef void(PLUGIN_CALLBACK* HostProc)(int16_t selector, intptr_t* data);
typedef void(PLUGIN_CALLBACK* ProcessEventProc)(void* event);
typedef OSErr(PLUGIN_CALLBACK* AdvanceStateProc)();
typedef OSErr(PLUGIN_CALLBACK* ColorServicesProc)(ColorServicesInfo* info);

// The entry point every plug-in exports. paramBlock is an AboutRecord* for
// selector 0 and a FilterRecord* otherwise; data is a pointer-sized slot the
// host keeps for the plug-in between calls; *result receives the OSErr.
typedef void(PLUGIN_CALLBACK* PluginEntryProc)(int16_t selector, void* paramBlock, intptr_t* data,
                                               int16_t* result);

// Hosts lay the filter record and the big-document record out with 4-byte
// packing on every Windows target (pointers and int64 fields of the 64-bit
// record sit on 4-byte boundaries). The packing is applied unconditionally:
// guarding it with a platform macro lets it vanish silently under a strict
// language mode, and then every 64-bit field after the first one moves.
#pragma pack(push, 4)

// 32-bit coordinates that replace the 16-bit rectangles of FilterRecord when
// the plug-in sets PluginUsing32BitCoordinates.
struct BigDocumentStruct {
    int32_t PluginUsing32BitCoordinates;
    VPoint imageSize32;
    VRect filterRect32;
    VRect inRect32;
    VRect outRect32;
    VRect maskRect32;
    VPoint floatCoord32;
    VPoint wholeSize32;
};

// The record grew only at its end, carving new fields out of the reserved
// tail, whose length differs between host generations. A field newer than
// the host reads as zero: treat null or zero as "not supported", and never
// rely on sizeof(FilterRecord) matching the host's record.
struct FilterRecord {
    int32_t serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    Handle parameters;  // the plug-in's settings; the host keeps it between runs

    Point imageSize;
    int16_t planes;
    Rect filterRect;
    RGBColor background;
    RGBColor foreground;
    int32_t maxSpace;
    int32_t bufferSpace;

    Rect inRect;
    int16_t inLoPlane;
    int16_t inHiPlane;
    Rect outRect;
    int16_t outLoPlane;
    int16_t outHiPlane;
    void* inData;
    int32_t inRowBytes;
    void* outData;
    int32_t outRowBytes;

    Boolean isFloating;
    Boolean haveMask;
    Boolean autoMask;
    Rect maskRect;
    void* maskData;
    int32_t maskRowBytes;

    FilterColor backColor;
    FilterColor foreColor;
    OSType hostSig;
    HostProc hostProc;

    int16_t imageMode;
    Fixed imageHRes;
    Fixed imageVRes;
    Point floatCoord;
    Point wholeSize;
    PlugInMonitor monitor;

    PlatformData* platformData;
    BufferProcs* bufferProcs;
    ResourceProcs* resourceProcs;
    ProcessEventProc processEvent;
    DisplayPixelsProc displayPixels;
    HandleProcs* handleProcs;

    // Interface 3.0
    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    int16_t wantLayout;
    int16_t filterCase;  // 0: the host did not set it
    int16_t dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState;
    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    GetPropertyProc getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    int16_t inputPadding;
    int16_t outputPadding;
    int16_t maskPadding;
    int8_t samplingSupport;
    int8_t reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    ColorServicesProc colorServices;

    int16_t inLayerPlanes;
    int16_t inTransparencyMask;
    int16_t inLayerMasks;
    int16_t inInvertedLayerMasks;
    int16_t inNonLayerPlanes;
    int16_t outLayerPlanes;
    int16_t outTransparencyMask;
    int16_t outLayerMasks;
    int16_t outInvertedLayerMasks;
    int16_t outNonLayerPlanes;
    int16_t absLayerPlanes;
    int16_t absTransparencyMask;
    int16_t absLayerMasks;
    int16_t absInvertedLayerMasks;
    int16_t absNonLayerPlanes;
    int16_t inPreDummyPlanes;
    int16_t inPostDummyPlanes;
    int16_t outPreDummyPlanes;
    int16_t outPostDummyPlanes;

    int32_t inColumnBytes;  // 0: not set
    int32_t inPlaneBytes;   // 0: not set
    int32_t outColumnBytes;
    int32_t outPlaneBytes;

    // Interface 3.0.4
    ImageServicesProcs* imageServicesProcs;
    PropertyProcs* propertyProcs;
    int16_t inTileHeight;
    int16_t inTileWidth;
    Point inTileOrigin;
    int16_t absTileHeight;
    int16_t absTileWidth;
    Point absTileOrigin;
    int16_t outTileHeight;
    int16_t outTileWidth;
    Point outTileOrigin;
    int16_t maskTileHeight;
    int16_t maskTileWidth;
    Point maskTileOrigin;

    // Interface 4.0
    PIDescriptorParameters* descriptorParameters;
    Str255* errorString;  // shown by the host when the result is errReportString
    ChannelPortProcs* channelPortProcs;
    ReadImageDocumentDesc* documentInfo;

    // Carved out of the reserved tail by later hosts.
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    int32_t depth;  // bits per channel; 0 on old hosts means 8
    Handle iCCprofileData;
    int32_t iCCprofileSize;
    int32_t canUseICCProfiles;
    int32_t hasImageScrap;
    BigDocumentStruct* bigDocumentData;
    PIDescriptorParameters* input3DScene;
    PIDescriptorParameters* output3DScene;
    Boolean createNewLayer;
    Handle iCCWorkingProfileData;
    int32_t iCCWorkingProfileSize;
    int64_t bufferSpace64;
    int64_t maxSpace64;
    Boolean allowOverrangeColors;

    uint8_t reserved[45];  // zero
};

#pragma pack(pop)

// Natural alignment.
struct AboutRecord {
    PlatformData* platformData;
    SPBasicSuite* sSPBasic;  // may be null
    void* plugInRef;
    uint8_t reserved[244];
};
