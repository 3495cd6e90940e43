// The basic suite (FilterRecord::sSPBasic, AboutRecord::sSPBasic) and the two
// suites acquired through it for scripting and last-used values. All are plain
// tables of routines with natural alignment.
#pragma once

#include "interface/host_suites.h"
#include "interface/plugin_types.h"

typedef int32_t SPErr;      // 0 = kSPNoError
typedef int32_t SPBoolean;  // 4 bytes, unlike Boolean

typedef SPErr(PLUGIN_CALLBACK* SPAcquireSuiteProc)(const char* name, int32_t version,
                                                   const void** suite);
typedef SPErr(PLUGIN_CALLBACK* SPReleaseSuiteProc)(const char* name, int32_t version);
typedef SPBoolean(PLUGIN_CALLBACK* SPIsEqualProc)(const char* token1, const char* token2);
typedef SPErr(PLUGIN_CALLBACK* SPAllocateBlockProc)(size_t size, void** block);
typedef SPErr(PLUGIN_CALLBACK* SPFreeBlockProc)(void* block);
typedef SPErr(PLUGIN_CALLBACK* SPReallocateBlockProc)(void* block, size_t newSize, void** newBlock);
typedef SPErr(PLUGIN_CALLBACK* SPUndefinedProc)();

struct SPBasicSuite {
    SPAcquireSuiteProc AcquireSuite;
    SPReleaseSuiteProc ReleaseSuite;
    SPIsEqualProc IsEqual;
    SPAllocateBlockProc AllocateBlock;
    SPFreeBlockProc FreeBlock;
    SPReallocateBlockProc ReallocateBlock;
    SPUndefinedProc Undefined;
};

constexpr const char kSPBasicSuite[] = "SP Basic Suite";
constexpr int32_t kSPBasicSuiteVersion = 4;

// ---- Action descriptor suite -------------------------------------------------

typedef struct PIOpaqueActionDescriptor* PIActionDescriptor;

typedef OSErr(PLUGIN_CALLBACK* ActionDescriptorMakeProc)(PIActionDescriptor* descriptor);
typedef OSErr(PLUGIN_CALLBACK* ActionDescriptorFreeProc)(PIActionDescriptor descriptor);
typedef OSErr(PLUGIN_CALLBACK* ActionDescriptorHasKeyProc)(PIActionDescriptor descriptor,
                                                           DescriptorKeyID key, Boolean* hasKey);
typedef OSErr(PLUGIN_CALLBACK* ActionDescriptorPutIntegerProc)(PIActionDescriptor descriptor,
                                                               DescriptorKeyID key, int32_t value);
// The value travels by value here (unlike WriteDescriptorProcs::putFloatProc).
typedef OSErr(PLUGIN_CALLBACK* ActionDescriptorPutFloatProc)(PIActionDescriptor descriptor,
                                                             DescriptorKeyID key, double value);
typedef OSErr(PLUGIN_CALLBACK* ActionDescriptorGetIntegerProc)(PIActionDescriptor descriptor,
                                                               DescriptorKeyID key, int32_t* value);
typedef OSErr(PLUGIN_CALLBACK* ActionDescriptorGetFloatProc)(PIActionDescriptor descriptor,
                                                             DescriptorKeyID key, double* value);

// The version 2 table; versions 3 and 5 append routines after GetData and
// leave these 46 slots unchanged. Version 2 is the one every host offers.
struct PSActionDescriptorProcs {
    ActionDescriptorMakeProc Make;
    ActionDescriptorFreeProc Free;
    SuiteSlotProc GetType;
    SuiteSlotProc GetKey;
    ActionDescriptorHasKeyProc HasKey;
    SuiteSlotProc GetCount;
    SuiteSlotProc IsEqual;
    SuiteSlotProc Erase;
    SuiteSlotProc Clear;
    ActionDescriptorPutIntegerProc PutInteger;
    ActionDescriptorPutFloatProc PutFloat;
    SuiteSlotProc PutUnitFloat;
    SuiteSlotProc PutString;
    SuiteSlotProc PutBoolean;
    SuiteSlotProc PutList;
    SuiteSlotProc PutObject;
    SuiteSlotProc PutGlobalObject;
    SuiteSlotProc PutEnumerated;
    SuiteSlotProc PutReference;
    SuiteSlotProc PutClass;
    SuiteSlotProc PutGlobalClass;
    SuiteSlotProc PutAlias;
    ActionDescriptorGetIntegerProc GetInteger;
    ActionDescriptorGetFloatProc GetFloat;
    SuiteSlotProc GetUnitFloat;
    SuiteSlotProc GetStringLength;
    SuiteSlotProc GetString;
    SuiteSlotProc GetBoolean;
    SuiteSlotProc GetList;
    SuiteSlotProc GetObject;
    SuiteSlotProc GetGlobalObject;
    SuiteSlotProc GetEnumerated;
    SuiteSlotProc GetReference;
    SuiteSlotProc GetClass;
    SuiteSlotProc GetGlobalClass;
    SuiteSlotProc GetAlias;
    SuiteSlotProc HasKeys;
    SuiteSlotProc PutIntegers;
    SuiteSlotProc GetIntegers;
    SuiteSlotProc AsHandle;
    SuiteSlotProc HandleToDescriptor;
    SuiteSlotProc PutZString;
    SuiteSlotProc GetZString;
    SuiteSlotProc PutData;
    SuiteSlotProc GetDataLength;
    SuiteSlotProc GetData;
};

constexpr const char kPSActionDescriptorSuite[] = "df135115-c769-11d0-8079-00c04fd7ec47";
constexpr int32_t kPSActionDescriptorSuiteVersion = 2;

// ---- Descriptor registry suite -----------------------------------------------

// isPersistent true lets the host keep the entry across application sessions.
typedef OSErr(PLUGIN_CALLBACK* DescriptorRegistryRegisterProc)(const char* key,
                                                               PIActionDescriptor descriptor,
                                                               Boolean isPersistent);
typedef OSErr(PLUGIN_CALLBACK* DescriptorRegistryEraseProc)(const char* key);
// Yields a copy that the caller must Free.
typedef OSErr(PLUGIN_CALLBACK* DescriptorRegistryGetProc)(const char* key,
                                                          PIActionDescriptor* descriptor);

struct PSDescriptorRegistryProcs {
    DescriptorRegistryRegisterProc Register;
    DescriptorRegistryEraseProc Erase;
    DescriptorRegistryGetProc Get;
};

constexpr const char kPSDescriptorRegistrySuite[] = "61e608b0-40fd-11d1-8da3-00c04fd5f7ee";
constexpr int32_t kPSDescriptorRegistrySuiteVersion = 1;
