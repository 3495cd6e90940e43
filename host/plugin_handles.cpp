#include "host/plugin_handles.h"

#include "host/offered_routines.h"
#include "host/plugin_state.h"

namespace {
Handle DataHandle() { return reinterpret_cast<Handle>(*State().dataSlot); }

// A handle smaller than its record would be written past its end. Hosts that
// cannot tell a handle's size are trusted.
bool HandleHolds(Handle handle, std::size_t recordSize) {
    GetPIHandleSizeProc sizeOf = HostHandleSize(State().filter);
    return sizeOf == nullptr || sizeOf(handle) >= static_cast<int32_t>(recordSize);
}
}  // namespace

void CreateParametersHandle(int32_t size) {
    FilterRecord* filter = State().filter;
    NewPIHandleProc newHandle = HostNewHandle(filter);
    if (newHandle == nullptr) {
        SetResult(errPlugInHostInsufficient);
        return;
    }
    filter->parameters = newHandle(size);
    if (filter->parameters == nullptr) SetResult(memFullErr);
}

void CreateDataHandle(int32_t size) {
    NewPIHandleProc newHandle = HostNewHandle(State().filter);
    if (newHandle == nullptr) {
        SetResult(errPlugInHostInsufficient);
        return;
    }
    Handle handle = newHandle(size);
    if (handle == nullptr) {
        SetResult(memFullErr);
        return;
    }
    *State().dataSlot = reinterpret_cast<intptr_t>(handle);
}

bool LockHandles() {
    PluginState& state = State();
    FilterRecord* filter = state.filter;
    if (filter->parameters == nullptr || *state.dataSlot == 0) {
        SetResult(filterBadParameters);
        return false;
    }
    LockPIHandleProc lock = HostLockHandle(filter);
    if (lock == nullptr) {
        SetResult(errPlugInHostInsufficient);
        return false;
    }
    if (!HandleHolds(filter->parameters, sizeof(FilterParameters)) ||
        !HandleHolds(DataHandle(), sizeof(RunData))) {
        SetResult(filterBadParameters);
        return false;
    }
    Ptr parameters = lock(filter->parameters, true);
    if (parameters == nullptr) {
        SetResult(memFullErr);
        return false;
    }
    state.parametersLocked = true;
    Ptr runData = lock(DataHandle(), true);
    if (runData == nullptr) {
        SetResult(memFullErr);
        UnlockHandles();
        return false;
    }
    state.dataLocked = true;
    state.parameters = reinterpret_cast<FilterParameters*>(parameters);
    state.runData = reinterpret_cast<RunData*>(runData);
    return true;
}

void UnlockHandles() {
    PluginState& state = State();
    UnlockPIHandleProc unlock = HostUnlockHandle(state.filter);
    if (state.dataLocked && unlock != nullptr) unlock(DataHandle());
    if (state.parametersLocked && unlock != nullptr) unlock(state.filter->parameters);
    state.dataLocked = false;
    state.parametersLocked = false;
    state.parameters = nullptr;
    state.runData = nullptr;
}

void DisposeHandles() {
    UnlockHandles();
    PluginState& state = State();
    DisposePIHandleProc dispose = HostDisposeHandle(state.filter);
    if (state.filter->parameters != nullptr) {
        if (dispose != nullptr) dispose(state.filter->parameters);
        state.filter->parameters = nullptr;
    }
    if (*state.dataSlot != 0) {
        if (dispose != nullptr) dispose(DataHandle());
        *state.dataSlot = 0;
    }
}

void ClearRects(FilterRecord& filter) {
    filter.inRect = Rect{};
    filter.outRect = Rect{};
    filter.maskRect = Rect{};
}
