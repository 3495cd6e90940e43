#include "app/buffer_registry.h"

#include <algorithm>

#include "app/large_page_memory.h"
#include "interface/plugin_constants.h"

namespace {

std::size_t BlockSize(int64_t size) { return static_cast<std::size_t>(std::max<int64_t>(size, 1)); }

}  // namespace

BufferRegistry::Record::~Record() { ReleaseLargePages(block, BlockSize(size)); }

OSErr BufferRegistry::Allocate(int64_t size, BufferID* id) {
    *id = nullptr;
    if (size < 0 || size > Space()) return memFullErr;
    char* const block = static_cast<char*>(AllocateLargePages(BlockSize(size)));
    if (block == nullptr) return memFullErr;
    auto record = std::make_unique<Record>(block, size);
    *id = reinterpret_cast<BufferID>(record.get());
    live_[*id] = std::move(record);
    used_ += size;
    return noErr;
}

BufferRegistry::Record* BufferRegistry::Find(BufferID id) {
    const auto found = live_.find(id);
    if (found != live_.end()) return found->second.get();
    ++misuse_;
    return nullptr;
}

Ptr BufferRegistry::Lock(BufferID id) {
    Record* record = Find(id);
    if (record == nullptr) return nullptr;
    ++record->lockCount;
    return record->block;
}

void BufferRegistry::Unlock(BufferID id) {
    Record* record = Find(id);
    if (record == nullptr) return;
    if (record->lockCount == 0) {
        ++misuse_;
        return;
    }
    --record->lockCount;
}

void BufferRegistry::Free(BufferID id) {
    Record* record = Find(id);
    if (record == nullptr) return;
    used_ -= record->size;
    live_.erase(id);
}

std::size_t BufferRegistry::LockedCount() const {
    return static_cast<std::size_t>(std::count_if(
        live_.begin(), live_.end(), [](const auto& entry) { return entry.second->lockCount > 0; }));
}
