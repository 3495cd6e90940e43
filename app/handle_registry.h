// The host's handles: blocks the plug-in creates, locks, resizes and disposes
// only through the handle suite. Every handle's size and lock count is kept,
// disposed handles leave their final bytes behind for inspection, and any use
// of a handle the host never made (or already disposed) is counted.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "interface/plugin_types.h"

class HandleRegistry {
public:
    HandleRegistry() = default;
    ~HandleRegistry();
    HandleRegistry(const HandleRegistry&) = delete;
    HandleRegistry& operator=(const HandleRegistry&) = delete;

    // Zero-filled; null when size is negative.
    Handle New(int32_t size);
    void Dispose(Handle handle);
    // -1 for a handle the host does not know.
    int32_t Size(Handle handle) const;
    // Keeps the contents up to the smaller size, zero-fills growth. Fails
    // while the handle is locked, since the block would move under the lock.
    OSErr SetSize(Handle handle, int32_t size);
    Ptr Lock(Handle handle);
    void Unlock(Handle handle);

    bool Knows(Handle handle) const { return live_.count(handle) != 0; }
    // The bytes of a live handle, or of a disposed one as they were at disposal.
    std::vector<uint8_t> Contents(Handle handle) const;
    bool WasDisposed(Handle handle) const;

    std::size_t LiveCount() const { return live_.size(); }
    std::size_t LockedCount() const;
    // Disposals or locks of unknown handles, unlocks of unlocked ones.
    uint32_t MisuseCount() const { return misuse_; }
    // One line per live handle: its size and lock count.
    std::string DescribeLive() const;

private:
    // A Handle points at master, the block's current address.
    struct Record {
        Ptr master = nullptr;
        std::unique_ptr<char[]> block;
        int32_t size = 0;
        int32_t lockCount = 0;
    };

    std::unordered_map<Handle, std::unique_ptr<Record>> live_;
    // Handles are the addresses of records; a disposed record is kept so that
    // its address is never handed out again and its bytes stay readable.
    std::unordered_map<Handle, std::unique_ptr<Record>> disposed_;
    uint32_t misuse_ = 0;
};
