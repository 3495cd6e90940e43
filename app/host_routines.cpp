#include "app/host_routines.h"

#include <algorithm>
#include <cstdint>

namespace {

// ---- Direct routines of the record

Boolean PLUGIN_CALLBACK TestAbort() {
    // An injected fault is the user asking to stop.
    const RoutineCall call = EnterRoutine(HostCallback::kAbort);
    return call.fail || call.host->UserAsksToStop() ? 1 : 0;
}

void PLUGIN_CALLBACK UpdateProgress(int32_t done, int32_t total) {
    const RoutineCall call = EnterRoutine(HostCallback::kProgress);
    if (call.host != nullptr) call.host->ReportProgress(done, total);
}

OSErr PLUGIN_CALLBACK AdvanceState() {
    const RoutineCall call = EnterRoutine(HostCallback::kAdvanceState);
    if (call.host == nullptr) return filterBadParameters;
    if (call.fail) return call.host->injectedError();
    return call.host->AdvanceState();
}

OSErr PLUGIN_CALLBACK DisplayPixels(const PSPixelMap* source, const VRect* sourceRect, int32_t row,
                                    int32_t column, void* platformContext) {
    const RoutineCall call = EnterRoutine(HostCallback::kDisplayPixels);
    if (call.host == nullptr) return filterBadParameters;
    if (call.fail) return call.host->injectedError();
    return call.host->DisplayPixels(source, sourceRect, row, column, platformContext);
}

void PLUGIN_CALLBACK ProcessEvent(void* /*event*/) {}

// ---- Handles

Handle PLUGIN_CALLBACK NewHandle(int32_t size) {
    const RoutineCall call = EnterRoutine(HostCallback::kHandleNew);
    return call.fail ? nullptr : call.host->handles().New(size);
}

void PLUGIN_CALLBACK DisposeHandle(Handle handle) {
    const RoutineCall call = EnterRoutine(HostCallback::kHandleDispose);
    if (call.host != nullptr) call.host->handles().Dispose(handle);
}

void PLUGIN_CALLBACK DisposeRegularHandle(Handle handle) {
    const RoutineCall call = EnterRoutine(HostCallback::kHandleDisposeRegular);
    if (call.host != nullptr) call.host->handles().Dispose(handle);
}

int32_t PLUGIN_CALLBACK GetHandleSize(Handle handle) {
    const RoutineCall call = EnterRoutine(HostCallback::kHandleGetSize);
    return call.fail ? 0 : std::max(call.host->handles().Size(handle), 0);
}

OSErr PLUGIN_CALLBACK SetHandleSize(Handle handle, int32_t size) {
    const RoutineCall call = EnterRoutine(HostCallback::kHandleSetSize);
    return call.fail ? memFullErr : call.host->handles().SetSize(handle, size);
}

Ptr PLUGIN_CALLBACK LockHandle(Handle handle, Boolean /*moveHigh*/) {
    const RoutineCall call = EnterRoutine(HostCallback::kHandleLock);
    return call.fail ? nullptr : call.host->handles().Lock(handle);
}

void PLUGIN_CALLBACK UnlockHandle(Handle handle) {
    const RoutineCall call = EnterRoutine(HostCallback::kHandleUnlock);
    if (call.host != nullptr) call.host->handles().Unlock(handle);
}

void PLUGIN_CALLBACK RecoverSpace(int32_t /*size*/) {
    EnterRoutine(HostCallback::kHandleRecoverSpace);
}

// ---- Buffers

OSErr AllocateFrom(HostCallback callback, int64_t size, BufferID* id) {
    const RoutineCall call = EnterRoutine(callback);
    if (call.fail) {
        if (id != nullptr) *id = nullptr;
        return memFullErr;
    }
    if (id == nullptr) return paramErr;
    return call.host->buffers().Allocate(size, id);
}

OSErr PLUGIN_CALLBACK AllocateBuffer(int32_t size, BufferID* id) {
    return AllocateFrom(HostCallback::kBufferAllocate, size, id);
}

OSErr PLUGIN_CALLBACK AllocateBuffer64(int64_t size, BufferID* id) {
    return AllocateFrom(HostCallback::kBufferAllocate64, size, id);
}

Ptr PLUGIN_CALLBACK LockBuffer(BufferID id, Boolean /*moveHigh*/) {
    const RoutineCall call = EnterRoutine(HostCallback::kBufferLock);
    return call.fail ? nullptr : call.host->buffers().Lock(id);
}

void PLUGIN_CALLBACK UnlockBuffer(BufferID id) {
    const RoutineCall call = EnterRoutine(HostCallback::kBufferUnlock);
    if (call.host != nullptr) call.host->buffers().Unlock(id);
}

void PLUGIN_CALLBACK FreeBuffer(BufferID id) {
    const RoutineCall call = EnterRoutine(HostCallback::kBufferFree);
    if (call.host != nullptr) call.host->buffers().Free(id);
}

int32_t PLUGIN_CALLBACK BufferSpace() {
    const RoutineCall call = EnterRoutine(HostCallback::kBufferSpace);
    if (call.fail) return 0;
    const int64_t space = call.host->buffers().Space();
    return space > INT32_MAX ? INT32_MAX : static_cast<int32_t>(space);
}

int64_t PLUGIN_CALLBACK BufferSpace64() {
    const RoutineCall call = EnterRoutine(HostCallback::kBufferSpace64);
    return call.fail ? 0 : call.host->buffers().Space();
}

OSErr PLUGIN_CALLBACK ReserveBufferSpace(int32_t size) {
    const RoutineCall call = EnterRoutine(HostCallback::kBufferReserve);
    return call.fail || size > call.host->buffers().Space() ? memFullErr : noErr;
}

// ---- Properties

OSErr PLUGIN_CALLBACK GetPropertyRoutine(PIType signature, PIType key, int32_t index,
                                         intptr_t* simple, Handle* complex) {
    const RoutineCall call = EnterRoutine(HostCallback::kPropertyGet);
    if (call.fail) return errPlugInPropertyUndefined;
    return call.host->GetProperty(signature, key, index, simple, complex);
}

OSErr PLUGIN_CALLBACK SetPropertyRoutine(PIType signature, PIType key, int32_t index,
                                         intptr_t simple, Handle /*complex*/) {
    const RoutineCall call = EnterRoutine(HostCallback::kPropertySet);
    if (call.fail) return errPlugInPropertyUndefined;
    return call.host->SetProperty(signature, key, index, simple);
}

}  // namespace

void InstallHostRoutines(FilterRecord* record, const HostRoutineTables& tables) {
    record->abortProc = TestAbort;
    record->progressProc = UpdateProgress;
    record->advanceState = AdvanceState;
    record->displayPixels = DisplayPixels;
    record->processEvent = ProcessEvent;
    record->getPropertyObsolete = GetPropertyRoutine;

    *tables.bufferProcs = {kCurrentBufferProcsVersion,
                           kCurrentBufferProcsCount,
                           AllocateBuffer,
                           LockBuffer,
                           UnlockBuffer,
                           FreeBuffer,
                           BufferSpace,
                           ReserveBufferSpace,
                           AllocateBuffer64,
                           BufferSpace64};
    *tables.handleProcs = {kCurrentHandleProcsVersion,
                           kCurrentHandleProcsCount,
                           NewHandle,
                           DisposeHandle,
                           GetHandleSize,
                           SetHandleSize,
                           LockHandle,
                           UnlockHandle,
                           RecoverSpace,
                           DisposeRegularHandle};
    *tables.propertyProcs = {kCurrentPropertyProcsVersion, kCurrentPropertyProcsCount,
                             GetPropertyRoutine, SetPropertyRoutine};
    InstallScriptingRoutines(tables.readProcs, tables.writeProcs, tables.basicSuite);
}
