#include "app/host_callback.h"

const char* HostCallbackName(HostCallback callback) {
    switch (callback) {
        case HostCallback::kAbort:
            return "abortProc";
        case HostCallback::kProgress:
            return "progressProc";
        case HostCallback::kAdvanceState:
            return "advanceState";
        case HostCallback::kDisplayPixels:
            return "displayPixels";
        case HostCallback::kHandleNew:
            return "handle newProc";
        case HostCallback::kHandleDispose:
            return "handle disposeProc";
        case HostCallback::kHandleGetSize:
            return "handle getSizeProc";
        case HostCallback::kHandleSetSize:
            return "handle setSizeProc";
        case HostCallback::kHandleLock:
            return "handle lockProc";
        case HostCallback::kHandleUnlock:
            return "handle unlockProc";
        case HostCallback::kHandleRecoverSpace:
            return "handle recoverSpaceProc";
        case HostCallback::kHandleDisposeRegular:
            return "handle disposeRegularHandleProc";
        case HostCallback::kBufferAllocate:
            return "buffer allocateProc";
        case HostCallback::kBufferLock:
            return "buffer lockProc";
        case HostCallback::kBufferUnlock:
            return "buffer unlockProc";
        case HostCallback::kBufferFree:
            return "buffer freeProc";
        case HostCallback::kBufferSpace:
            return "buffer spaceProc";
        case HostCallback::kBufferReserve:
            return "buffer reserveProc";
        case HostCallback::kBufferAllocate64:
            return "buffer allocateProc64";
        case HostCallback::kBufferSpace64:
            return "buffer spaceProc64";
        case HostCallback::kPropertyGet:
            return "getPropertyProc";
        case HostCallback::kPropertySet:
            return "setPropertyProc";
        case HostCallback::kReadOpen:
            return "openReadDescriptorProc";
        case HostCallback::kReadClose:
            return "closeReadDescriptorProc";
        case HostCallback::kReadGetKey:
            return "getKeyProc";
        case HostCallback::kReadGetFloat:
            return "getFloatProc";
        case HostCallback::kReadOther:
            return "other read descriptor procs";
        case HostCallback::kWriteOpen:
            return "openWriteDescriptorProc";
        case HostCallback::kWriteClose:
            return "closeWriteDescriptorProc";
        case HostCallback::kWritePutFloat:
            return "putFloatProc";
        case HostCallback::kWriteOther:
            return "other write descriptor procs";
        case HostCallback::kAcquireSuite:
            return "AcquireSuite";
        case HostCallback::kReleaseSuite:
            return "ReleaseSuite";
        case HostCallback::kBasicOther:
            return "other basic suite routines";
        case HostCallback::kRegistryRegister:
            return "registry Register";
        case HostCallback::kRegistryErase:
            return "registry Erase";
        case HostCallback::kRegistryGet:
            return "registry Get";
        case HostCallback::kDescriptorMake:
            return "descriptor Make";
        case HostCallback::kDescriptorFree:
            return "descriptor Free";
        case HostCallback::kDescriptorPutFloat:
            return "descriptor PutFloat";
        case HostCallback::kDescriptorGetFloat:
            return "descriptor GetFloat";
        case HostCallback::kDescriptorHasKey:
            return "descriptor HasKey";
        case HostCallback::kDescriptorOther:
            return "other action descriptor routines";
        case HostCallback::kCount:
            break;
    }
    return "unknown callback";
}

bool HostCallbackCanFail(HostCallback callback) {
    switch (callback) {
        case HostCallback::kProgress:
        case HostCallback::kHandleDispose:
        case HostCallback::kHandleUnlock:
        case HostCallback::kHandleRecoverSpace:
        case HostCallback::kHandleDisposeRegular:
        case HostCallback::kBufferUnlock:
        case HostCallback::kBufferFree:
            return false;
        default:
            return true;
    }
}
