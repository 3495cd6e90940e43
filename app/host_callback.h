// Every routine the host offers a plug-in, named so that tests can count the
// calls to each and make any one of them fail.
#pragma once

#include <cstddef>

enum class HostCallback {
    // Direct routines of the filter record.
    kAbort,  // failing means answering "the user asked to stop"
    kProgress,
    kAdvanceState,
    kDisplayPixels,
    // Handle suite.
    kHandleNew,
    kHandleDispose,
    kHandleGetSize,
    kHandleSetSize,
    kHandleLock,
    kHandleUnlock,
    kHandleRecoverSpace,
    kHandleDisposeRegular,
    // Buffer suite.
    kBufferAllocate,
    kBufferLock,
    kBufferUnlock,
    kBufferFree,
    kBufferSpace,
    kBufferReserve,
    kBufferAllocate64,
    kBufferSpace64,
    // Property suite.
    kPropertyGet,
    kPropertySet,
    // Descriptor parameters: reading and writing.
    kReadOpen,
    kReadClose,
    kReadGetKey,
    kReadGetFloat,
    kReadOther,  // every other getter; always an error
    kWriteOpen,
    kWriteClose,
    kWritePutFloat,
    kWriteOther,  // every other putter; always an error
    // Basic suite.
    kAcquireSuite,
    kReleaseSuite,
    kBasicOther,  // IsEqual, the block routines, Undefined
    // Descriptor registry suite.
    kRegistryRegister,
    kRegistryErase,
    kRegistryGet,
    // Action descriptor suite.
    kDescriptorMake,
    kDescriptorFree,
    kDescriptorPutFloat,
    kDescriptorGetFloat,
    kDescriptorHasKey,
    kDescriptorOther,  // every other routine; always an error

    kCount
};

constexpr std::size_t kHostCallbackCount = static_cast<std::size_t>(HostCallback::kCount);

const char* HostCallbackName(HostCallback callback);

// Whether an injected fault changes what the routine reports. Routines that
// return nothing can only be counted.
bool HostCallbackCanFail(HostCallback callback);
