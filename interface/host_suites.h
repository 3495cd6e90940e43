// Callback tables the host reaches the plug-in through from the FilterRecord:
// buffers, handles, properties, resources and the scripting descriptors.
//
// These tables use the compiler's natural alignment (no packing), so on
// 64-bit targets the first routine follows the two leading int16 fields after
// four bytes of padding. Always check the routine count before calling a
// routine near the end of a table: hosts fill different counts.
#pragma once

#include "interface/plugin_types.h"

// A slot whose routine this program never calls: it only keeps the table's
// layout. Cast to the real signature before calling through it.
typedef void(PLUGIN_CALLBACK* SuiteSlotProc)();

// ---- Buffers ---------------------------------------------------------------

typedef struct BufferStruct* BufferID;

typedef OSErr(PLUGIN_CALLBACK* AllocateBufferProc)(int32_t size, BufferID* bufferID);
typedef Ptr(PLUGIN_CALLBACK* LockBufferProc)(BufferID bufferID, Boolean moveHigh);
typedef void(PLUGIN_CALLBACK* UnlockBufferProc)(BufferID bufferID);
typedef void(PLUGIN_CALLBACK* FreeBufferProc)(BufferID bufferID);
typedef int32_t(PLUGIN_CALLBACK* BufferSpaceProc)();
typedef OSErr(PLUGIN_CALLBACK* ReserveBufferSpaceProc)(int32_t size);
typedef OSErr(PLUGIN_CALLBACK* AllocateBuffer64Proc)(int64_t size, BufferID* bufferID);
typedef int64_t(PLUGIN_CALLBACK* BufferSpace64Proc)();

struct BufferProcs {
    int16_t bufferProcsVersion;
    int16_t numBufferProcs;
    AllocateBufferProc allocateProc;
    LockBufferProc lockProc;
    UnlockBufferProc unlockProc;
    FreeBufferProc freeProc;
    BufferSpaceProc spaceProc;
    ReserveBufferSpaceProc reserveProc;
    AllocateBuffer64Proc allocateProc64;
    BufferSpace64Proc spaceProc64;
};

// ---- Handles ---------------------------------------------------------------

typedef Handle(PLUGIN_CALLBACK* NewPIHandleProc)(int32_t size);
typedef void(PLUGIN_CALLBACK* DisposePIHandleProc)(Handle handle);
typedef int32_t(PLUGIN_CALLBACK* GetPIHandleSizeProc)(Handle handle);
typedef OSErr(PLUGIN_CALLBACK* SetPIHandleSizeProc)(Handle handle, int32_t newSize);
typedef Ptr(PLUGIN_CALLBACK* LockPIHandleProc)(Handle handle, Boolean moveHigh);
typedef void(PLUGIN_CALLBACK* UnlockPIHandleProc)(Handle handle);
typedef void(PLUGIN_CALLBACK* RecoverSpaceProc)(int32_t size);
typedef void(PLUGIN_CALLBACK* DisposeRegularHandleProc)(Handle handle);

struct HandleProcs {
    int16_t handleProcsVersion;
    int16_t numHandleProcs;
    NewPIHandleProc newProc;
    DisposePIHandleProc disposeProc;
    GetPIHandleSizeProc getSizeProc;
    SetPIHandleSizeProc setSizeProc;
    LockPIHandleProc lockProc;
    UnlockPIHandleProc unlockProc;
    RecoverSpaceProc recoverSpaceProc;
    DisposeRegularHandleProc disposeRegularHandleProc;
};

// ---- Properties ------------------------------------------------------------

// The simple value is pointer-sized: a 64-bit host writes 8 bytes into it.
// A complex value handle received by the plug-in is the plug-in's to dispose.
typedef OSErr(PLUGIN_CALLBACK* GetPropertyProc)(PIType signature, PIType key, int32_t index,
                                                intptr_t* simpleProperty, Handle* complexProperty);
typedef OSErr(PLUGIN_CALLBACK* SetPropertyProc)(PIType signature, PIType key, int32_t index,
                                                intptr_t simpleProperty, Handle complexProperty);

struct PropertyProcs {
    int16_t propertyProcsVersion;
    int16_t numPropertyProcs;
    GetPropertyProc getPropertyProc;
    SetPropertyProc setPropertyProc;
};

// ---- Resources -------------------------------------------------------------

typedef int16_t(PLUGIN_CALLBACK* CountPIResourcesProc)(OSType type);
typedef Handle(PLUGIN_CALLBACK* GetPIResourceProc)(OSType type, int16_t index);
typedef void(PLUGIN_CALLBACK* DeletePIResourceProc)(OSType type, int16_t index);
typedef OSErr(PLUGIN_CALLBACK* AddPIResourceProc)(OSType type, Handle data);

struct ResourceProcs {
    int16_t resourceProcsVersion;
    int16_t numResourceProcs;
    CountPIResourcesProc countProc;
    GetPIResourceProc getProc;
    DeletePIResourceProc deleteProc;
    AddPIResourceProc addProc;
};

// ---- Scripting descriptors -------------------------------------------------

typedef struct PIOpaqueReadDescriptor* PIReadDescriptor;
typedef struct PIOpaqueWriteDescriptor* PIWriteDescriptor;

// keyArray is zero-terminated; the host zeroes each entry as it returns that key.
typedef PIReadDescriptor(PLUGIN_CALLBACK* OpenReadDescriptorProc)(Handle descriptor,
                                                                  DescriptorKeyID* keyArray);
// Returns the most serious error met while reading.
typedef OSErr(PLUGIN_CALLBACK* CloseReadDescriptorProc)(PIReadDescriptor reader);
// True while keys remain.
typedef Boolean(PLUGIN_CALLBACK* GetKeyProc)(PIReadDescriptor reader, DescriptorKeyID* key,
                                             DescriptorTypeID* type, int32_t* flags);
typedef OSErr(PLUGIN_CALLBACK* GetIntegerProc)(PIReadDescriptor reader, int32_t* value);
typedef OSErr(PLUGIN_CALLBACK* GetFloatProc)(PIReadDescriptor reader, double* value);
typedef OSErr(PLUGIN_CALLBACK* GetUnitFloatProc)(PIReadDescriptor reader, DescriptorUnitID* unit,
                                                 double* value);
typedef OSErr(PLUGIN_CALLBACK* GetBooleanProc)(PIReadDescriptor reader, Boolean* value);
typedef OSErr(PLUGIN_CALLBACK* GetPinnedIntegerProc)(PIReadDescriptor reader, int32_t min,
                                                     int32_t max, int32_t* value);
typedef OSErr(PLUGIN_CALLBACK* GetPinnedFloatProc)(PIReadDescriptor reader, const double* min,
                                                   const double* max, double* value);

struct ReadDescriptorProcs {
    int16_t readDescriptorProcsVersion;
    int16_t numReadDescriptorProcs;
    OpenReadDescriptorProc openReadDescriptorProc;
    CloseReadDescriptorProc closeReadDescriptorProc;
    GetKeyProc getKeyProc;
    GetIntegerProc getIntegerProc;
    GetFloatProc getFloatProc;
    GetUnitFloatProc getUnitFloatProc;
    GetBooleanProc getBooleanProc;
    SuiteSlotProc getTextProc;
    SuiteSlotProc getAliasProc;
    SuiteSlotProc getEnumeratedProc;
    SuiteSlotProc getClassProc;
    SuiteSlotProc getSimpleReferenceProc;
    SuiteSlotProc getObjectProc;
    SuiteSlotProc getCountProc;
    SuiteSlotProc getStringProc;
    GetPinnedIntegerProc getPinnedIntegerProc;
    GetPinnedFloatProc getPinnedFloatProc;
    SuiteSlotProc getPinnedUnitFloatProc;
};

typedef PIWriteDescriptor(PLUGIN_CALLBACK* OpenWriteDescriptorProc)();
typedef OSErr(PLUGIN_CALLBACK* CloseWriteDescriptorProc)(PIWriteDescriptor writer,
                                                         Handle* newDescriptor);
typedef OSErr(PLUGIN_CALLBACK* PutIntegerProc)(PIWriteDescriptor writer, DescriptorKeyID key,
                                               int32_t value);
// The value travels by pointer here (unlike the action descriptor suite's PutFloat).
typedef OSErr(PLUGIN_CALLBACK* PutFloatProc)(PIWriteDescriptor writer, DescriptorKeyID key,
                                             const double* value);
typedef OSErr(PLUGIN_CALLBACK* PutUnitFloatProc)(PIWriteDescriptor writer, DescriptorKeyID key,
                                                 DescriptorUnitID unit, const double* value);
typedef OSErr(PLUGIN_CALLBACK* PutBooleanProc)(PIWriteDescriptor writer, DescriptorKeyID key,
                                               Boolean value);

struct WriteDescriptorProcs {
    int16_t writeDescriptorProcsVersion;
    int16_t numWriteDescriptorProcs;
    OpenWriteDescriptorProc openWriteDescriptorProc;
    CloseWriteDescriptorProc closeWriteDescriptorProc;
    PutIntegerProc putIntegerProc;
    PutFloatProc putFloatProc;
    PutUnitFloatProc putUnitFloatProc;
    PutBooleanProc putBooleanProc;
    SuiteSlotProc putTextProc;
    SuiteSlotProc putAliasProc;
    SuiteSlotProc putEnumeratedProc;
    SuiteSlotProc putClassProc;
    SuiteSlotProc putSimpleReferenceProc;
    SuiteSlotProc putObjectProc;
    SuiteSlotProc putCountProc;
    SuiteSlotProc putStringProc;
    SuiteSlotProc putScopedClassProc;
    SuiteSlotProc putScopedObjectProc;
};

struct PIDescriptorParameters {
    int16_t descriptorParametersVersion;
    int16_t playInfo;    // plugInDialogDontDisplay / Display / Silent
    int16_t recordInfo;  // plugInDialogOptional / Required / None
    Handle descriptor;   // may be null
    WriteDescriptorProcs* writeDescriptorProcs;
    ReadDescriptorProcs* readDescriptorProcs;
};
