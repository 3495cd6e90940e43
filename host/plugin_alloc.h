// The accounted allocator behind the engine's allocate and release callbacks.
// A block comes from the host's buffers when the host grants one, from the
// heap otherwise; every live block is recorded so that a release goes back to
// the right pool and so that whatever a stopped run left behind can be
// returned at once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "interface/plugin_interface.h"

// One live block, owned by the AllocationList.
struct AllocationRecord {
    AllocationRecord* next;      // appended after this one
    AllocationRecord* previous;  // appended before this one
    void* address;
    BufferID bufferId;  // only for a host block
    uint32_t size;
    int32_t fromHeap;  // 1 heap block, 0 host block
};

// Oldest at the head, newest at the tail.
struct AllocationList {
    AllocationRecord* head = nullptr;
    AllocationRecord* tail = nullptr;
};

// A zero-filled block of at least size bytes, or null. A failure of the
// host's buffers is merged into the result word with a bitwise OR and the
// block then comes from the heap; while the result word holds a failure every
// block comes from the heap.
void* PluginAlloc(uint32_t size);

// Returns a block obtained from PluginAlloc to its pool; null or an unknown
// address is ignored.
void PluginFree(void* address);

// Returns every recorded block, newest first.
void PluginFreeAll();

// Number of blocks handed out and not yet returned.
std::size_t LiveBlockCount();
