// The host routines the plug-in calls, each looked up the same careful way: a
// routine counts as offered only when its table exists, the table's routine
// count reaches the routine's slot (hosts fill different counts), and the slot
// is not empty. Every accessor returns null for a routine not offered.
#pragma once

#include "interface/plugin_interface.h"

namespace offered_routines {
// slot is the routine's 0-based position in its table.
template <class Proc>
Proc IfCounted(int16_t routineCount, int slot, Proc routine) {
    return routineCount > slot ? routine : nullptr;
}
}  // namespace offered_routines

inline DisposePIHandleProc HostDisposeHandle(const FilterRecord* filter) {
    const HandleProcs* procs = filter != nullptr ? filter->handleProcs : nullptr;
    return procs != nullptr
               ? offered_routines::IfCounted(procs->numHandleProcs, 1, procs->disposeProc)
               : nullptr;
}

// Creating a handle needs the routine that gives it back as well: a handle
// that could not be disposed of must never be taken.
inline NewPIHandleProc HostNewHandle(const FilterRecord* filter) {
    const HandleProcs* procs = filter != nullptr ? filter->handleProcs : nullptr;
    if (procs == nullptr || HostDisposeHandle(filter) == nullptr) return nullptr;
    return offered_routines::IfCounted(procs->numHandleProcs, 0, procs->newProc);
}

inline GetPIHandleSizeProc HostHandleSize(const FilterRecord* filter) {
    const HandleProcs* procs = filter != nullptr ? filter->handleProcs : nullptr;
    return procs != nullptr
               ? offered_routines::IfCounted(procs->numHandleProcs, 2, procs->getSizeProc)
               : nullptr;
}

inline LockPIHandleProc HostLockHandle(const FilterRecord* filter) {
    const HandleProcs* procs = filter != nullptr ? filter->handleProcs : nullptr;
    return procs != nullptr ? offered_routines::IfCounted(procs->numHandleProcs, 4, procs->lockProc)
                            : nullptr;
}

inline UnlockPIHandleProc HostUnlockHandle(const FilterRecord* filter) {
    const HandleProcs* procs = filter != nullptr ? filter->handleProcs : nullptr;
    return procs != nullptr
               ? offered_routines::IfCounted(procs->numHandleProcs, 5, procs->unlockProc)
               : nullptr;
}

// The buffer table, only when it offers all four routines a block's life
// needs (allocate, lock, unlock, free): a buffer that could not be given back
// must never be taken.
inline const BufferProcs* HostBuffers(const FilterRecord* filter) {
    const BufferProcs* procs = filter != nullptr ? filter->bufferProcs : nullptr;
    if (procs == nullptr || procs->numBufferProcs < 4) return nullptr;
    if (procs->allocateProc == nullptr || procs->lockProc == nullptr ||
        procs->unlockProc == nullptr || procs->freeProc == nullptr) {
        return nullptr;
    }
    return procs;
}

inline SetPropertyProc HostSetProperty(const FilterRecord* filter) {
    const PropertyProcs* procs = filter != nullptr ? filter->propertyProcs : nullptr;
    return procs != nullptr
               ? offered_routines::IfCounted(procs->numPropertyProcs, 1, procs->setPropertyProc)
               : nullptr;
}

// The reading table, only when it offers open, close, getKey and getFloat.
inline const ReadDescriptorProcs* HostDescriptorReader(const PIDescriptorParameters* script) {
    const ReadDescriptorProcs* procs = script != nullptr ? script->readDescriptorProcs : nullptr;
    if (procs == nullptr || procs->numReadDescriptorProcs < 5) return nullptr;
    if (procs->openReadDescriptorProc == nullptr || procs->closeReadDescriptorProc == nullptr ||
        procs->getKeyProc == nullptr || procs->getFloatProc == nullptr) {
        return nullptr;
    }
    return procs;
}

// The writing table, only when it offers open, close and putFloat.
inline const WriteDescriptorProcs* HostDescriptorWriter(const PIDescriptorParameters* script) {
    const WriteDescriptorProcs* procs = script != nullptr ? script->writeDescriptorProcs : nullptr;
    if (procs == nullptr || procs->numWriteDescriptorProcs < 4) return nullptr;
    if (procs->openWriteDescriptorProc == nullptr || procs->closeWriteDescriptorProc == nullptr ||
        procs->putFloatProc == nullptr) {
        return nullptr;
    }
    return procs;
}
