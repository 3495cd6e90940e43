// The parameters handle and the data handle: creating, locking, unlocking and
// disposing them through the host's handle routines. All work on the current
// call's state, which must hold a filter record and a data slot, and report
// through its result word.
#pragma once

#include <cstdint>

#include "interface/plugin_interface.h"

// newProc with size; the handle goes into the filter record's parameters.
// memFullErr when the host yields none, errPlugInHostInsufficient when the
// host offers no way to make one.
void CreateParametersHandle(int32_t size);

// newProc with size; the handle goes into the data slot, which is left as it
// was when the host yields none (memFullErr).
void CreateDataHandle(int32_t size);

// Locks the parameters handle, then the data handle, and publishes the two
// records. Returns false, with the reason in the result word and nothing left
// locked, when a handle is missing or too small (filterBadParameters), cannot
// be locked (memFullErr) or the host offers no lock routine.
bool LockHandles();

// Unlocks the data handle, then the parameters handle, each only if this call
// locked it.
void UnlockHandles();

// Disposes both handles (unlocking them first if needed) and empties the
// parameters field and the data slot.
void DisposeHandles();

// Empties inRect, outRect and maskRect: the host then wants nothing more.
void ClearRects(FilterRecord& filter);
