// The host's buffers: blocks a plug-in allocates, locks, unlocks and frees
// through the buffer suite, within a budget of bytes. Every live buffer and
// any use of an unknown one is counted.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "interface/host_suites.h"

class BufferRegistry {
public:
    explicit BufferRegistry(int64_t budget) : budget_(budget) {}

    // memFullErr when the size is negative or does not fit the budget.
    OSErr Allocate(int64_t size, BufferID* id);
    Ptr Lock(BufferID id);
    void Unlock(BufferID id);
    void Free(BufferID id);
    // Bytes that could still be allocated.
    int64_t Space() const { return budget_ - used_; }

    std::size_t LiveCount() const { return live_.size(); }
    std::size_t LockedCount() const;
    uint32_t MisuseCount() const { return misuse_; }

private:
    struct Record {
        Record(char* memory, int64_t bytes) : block(memory), size(bytes) {}
        Record(const Record&) = delete;
        Record& operator=(const Record&) = delete;
        ~Record();

        char* block;
        int64_t size;
        int32_t lockCount = 0;
    };

    Record* Find(BufferID id);

    int64_t budget_;
    int64_t used_ = 0;
    std::unordered_map<BufferID, std::unique_ptr<Record>> live_;
    uint32_t misuse_ = 0;
};
