#include "host/plugin_alloc.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "host/offered_routines.h"
#include "host/plugin_state.h"

namespace {
AllocationList gAllocations;

// A host block, or null with the reason merged into the result word.
void* AllocateHostBlock(const BufferProcs& buffers, uint32_t size, BufferID& bufferId) {
    if (size > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) return nullptr;
    const bool failurePending = Result() != noErr;
    BufferID granted = nullptr;
    const OSErr allocated = buffers.allocateProc(static_cast<int32_t>(size), &granted);
    MergeResult(allocated);
    if (allocated != noErr) return nullptr;
    if (granted == nullptr) {
        MergeResult(memFullErr);
        return nullptr;
    }
    if (failurePending) {
        // The block comes from the heap while an earlier failure of this call
        // is pending; a buffer kept unrecorded could never be freed.
        buffers.freeProc(granted);
        return nullptr;
    }
    Ptr address = buffers.lockProc(granted, true);
    if (address == nullptr) {
        buffers.freeProc(granted);
        MergeResult(memFullErr);
        return nullptr;
    }
    std::memset(address, 0, size);
    bufferId = granted;
    return address;
}

void ReturnBlock(void* address, BufferID bufferId, bool fromHeap) {
    if (fromHeap) {
        std::free(address);
        return;
    }
    // Without the host's buffer routines in this call the block cannot be
    // returned; the host reclaims its buffers when the invocation ends.
    if (const BufferProcs* buffers = HostBuffers(State().filter)) {
        buffers->unlockProc(bufferId);
        buffers->freeProc(bufferId);
    }
}

void Unlink(AllocationRecord* record) {
    (record->previous != nullptr ? record->previous->next : gAllocations.head) = record->next;
    (record->next != nullptr ? record->next->previous : gAllocations.tail) = record->previous;
}
}  // namespace

void* PluginAlloc(uint32_t size) {
    BufferID bufferId = nullptr;
    void* address = nullptr;
    if (const BufferProcs* buffers = HostBuffers(State().filter)) {
        address = AllocateHostBlock(*buffers, size, bufferId);
    }
    const bool fromHeap = address == nullptr;
    if (fromHeap) {
        // calloc(0) may legitimately yield null; a zero-size request still
        // gets a distinct block.
        address = std::calloc(size != 0 ? size : 1, 1);
        if (address == nullptr) {
            MergeResult(memFullErr);
            return nullptr;
        }
    }
    auto* record = new (std::nothrow)
        AllocationRecord{nullptr, gAllocations.tail, address, bufferId, size, fromHeap ? 1 : 0};
    if (record == nullptr) {
        ReturnBlock(address, bufferId, fromHeap);
        MergeResult(memFullErr);
        return nullptr;
    }
    (gAllocations.tail != nullptr ? gAllocations.tail->next : gAllocations.head) = record;
    gAllocations.tail = record;
    return address;
}

void PluginFree(void* address) {
    if (address == nullptr) return;
    AllocationRecord* record = gAllocations.head;
    while (record != nullptr && record->address != address) record = record->next;
    if (record == nullptr) return;
    Unlink(record);
    ReturnBlock(record->address, record->bufferId, record->fromHeap != 0);
    delete record;
}

void PluginFreeAll() {
    while (gAllocations.tail != nullptr) PluginFree(gAllocations.tail->address);
}

std::size_t LiveBlockCount() {
    std::size_t count = 0;
    for (const AllocationRecord* record = gAllocations.head; record != nullptr;
         record = record->next) {
        ++count;
    }
    return count;
}
