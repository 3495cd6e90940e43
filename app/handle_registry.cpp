#include "app/handle_registry.h"

#include <algorithm>
#include <cstring>

#include "interface/plugin_constants.h"

namespace {

// A zero-sized handle still gets a distinct, valid block address.
std::unique_ptr<char[]> MakeBlock(int32_t size) {
    return std::unique_ptr<char[]>(new char[std::max<int32_t>(size, 1)]());
}

}  // namespace

HandleRegistry::~HandleRegistry() = default;

Handle HandleRegistry::New(int32_t size) {
    if (size < 0) return nullptr;
    auto record = std::make_unique<Record>();
    record->block = MakeBlock(size);
    record->master = record->block.get();
    record->size = size;
    const Handle handle = &record->master;
    live_[handle] = std::move(record);
    return handle;
}

void HandleRegistry::Dispose(Handle handle) {
    const auto found = live_.find(handle);
    if (found == live_.end()) {
        // Disposing of null is harmless; anything else is a fault of the caller.
        if (handle != nullptr) ++misuse_;
        return;
    }
    disposed_[handle] = std::move(found->second);
    live_.erase(found);
}

int32_t HandleRegistry::Size(Handle handle) const {
    const auto found = live_.find(handle);
    return found == live_.end() ? -1 : found->second->size;
}

OSErr HandleRegistry::SetSize(Handle handle, int32_t size) {
    const auto found = live_.find(handle);
    if (found == live_.end()) {
        ++misuse_;
        return nilHandleErr;
    }
    Record& record = *found->second;
    if (size < 0 || record.lockCount > 0) return memFullErr;
    std::unique_ptr<char[]> block = MakeBlock(size);
    std::memcpy(block.get(), record.block.get(),
                static_cast<std::size_t>(std::min(size, record.size)));
    record.block = std::move(block);
    record.master = record.block.get();
    record.size = size;
    return 0;
}

Ptr HandleRegistry::Lock(Handle handle) {
    const auto found = live_.find(handle);
    if (found == live_.end()) {
        ++misuse_;
        return nullptr;
    }
    ++found->second->lockCount;
    return found->second->master;
}

void HandleRegistry::Unlock(Handle handle) {
    const auto found = live_.find(handle);
    if (found == live_.end() || found->second->lockCount == 0) {
        ++misuse_;
        return;
    }
    --found->second->lockCount;
}

std::vector<uint8_t> HandleRegistry::Contents(Handle handle) const {
    auto found = live_.find(handle);
    if (found == live_.end()) {
        found = disposed_.find(handle);
        if (found == disposed_.end()) return {};
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(found->second->block.get());
    return std::vector<uint8_t>(bytes, bytes + found->second->size);
}

bool HandleRegistry::WasDisposed(Handle handle) const { return disposed_.count(handle) != 0; }

std::size_t HandleRegistry::LockedCount() const {
    return static_cast<std::size_t>(std::count_if(
        live_.begin(), live_.end(), [](const auto& entry) { return entry.second->lockCount > 0; }));
}

std::string HandleRegistry::DescribeLive() const {
    std::string text;
    for (const auto& entry : live_) {
        text += "handle of " + std::to_string(entry.second->size) + " bytes, locked " +
                std::to_string(entry.second->lockCount) + " times\n";
    }
    return text;
}
