#include "tests/plugin/fake_host.h"

#include <algorithm>

#include "host/plugin_main.h"
#include "host/plugin_state.h"

FakeHost* FakeHost::current = nullptr;

FakeHost::FakeHost() {
    buffers = BufferProcs{kCurrentBufferProcsVersion,
                          4,
                          Allocate,
                          LockBuffer,
                          UnlockBuffer,
                          FreeBuffer,
                          nullptr,
                          nullptr,
                          nullptr,
                          nullptr};
    handles = HandleProcs{kCurrentHandleProcsVersion,
                          kCurrentHandleProcsCount,
                          NewHandle,
                          DisposeHandle,
                          HandleSize,
                          nullptr,
                          LockHandle,
                          UnlockHandle,
                          nullptr,
                          nullptr};
    properties = PropertyProcs{kCurrentPropertyProcsVersion, kCurrentPropertyProcsCount, nullptr,
                               SetProperty};
    filter.handleProcs = &handles;
    filter.propertyProcs = &properties;
    filter.advanceState = AdvanceState;
    current = this;
}

FakeHost::~FakeHost() { current = nullptr; }

void FakeHost::BeginCall(int16_t selector) { ::BeginCall(selector, &filter, &dataSlot, &result); }

OSErr FakeHost::Call(int16_t selector) {
    PluginMain(selector, &filter, &dataSlot, &result);
    return result;
}

int FakeHost::Count(const std::string& event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}

OSErr FakeHost::Allocate(int32_t size, BufferID* id) {
    current->events.push_back("allocate " + std::to_string(size));
    if (current->allocateResult != noErr) return current->allocateResult;
    const intptr_t bufferId = current->nextBufferId_++;
    // Dirty on purpose: the plug-in must zero what it hands out.
    current->buffers_[bufferId].assign(static_cast<std::size_t>(size), 0xCD);
    *id = reinterpret_cast<BufferID>(bufferId);
    return noErr;
}

Ptr FakeHost::LockBuffer(BufferID id, Boolean) {
    const intptr_t bufferId = reinterpret_cast<intptr_t>(id);
    current->events.push_back("lock " + std::to_string(bufferId));
    if (current->lockFails) return nullptr;
    return reinterpret_cast<Ptr>(current->buffers_.at(bufferId).data());
}

void FakeHost::UnlockBuffer(BufferID id) {
    current->events.push_back("unlock " + std::to_string(reinterpret_cast<intptr_t>(id)));
}

void FakeHost::FreeBuffer(BufferID id) {
    const intptr_t bufferId = reinterpret_cast<intptr_t>(id);
    current->events.push_back("free " + std::to_string(bufferId));
    current->buffers_.erase(bufferId);
}

Handle FakeHost::NewHandle(int32_t size) {
    current->events.push_back("newHandle " + std::to_string(size));
    auto handle = std::make_unique<HostHandle>();
    handle->bytes.assign(static_cast<std::size_t>(size), 0);
    handle->master = handle->bytes.data();
    Handle key = &handle->master;
    current->handles_[key] = std::move(handle);
    ++current->liveHandles;
    return key;
}

void FakeHost::DisposeHandle(Handle handle) {
    current->events.push_back("disposeHandle");
    current->handles_.erase(handle);
    --current->liveHandles;
}

int32_t FakeHost::HandleSize(Handle handle) {
    return static_cast<int32_t>(current->handles_.at(handle)->bytes.size());
}

Ptr FakeHost::LockHandle(Handle handle, Boolean) { return *handle; }

void FakeHost::UnlockHandle(Handle) {}

OSErr FakeHost::SetProperty(PIType, PIType key, int32_t, intptr_t value, Handle) {
    if (key == propWatchSuspension) current->events.push_back("watch " + std::to_string(value));
    return noErr;
}

OSErr FakeHost::AdvanceState() {
    current->events.push_back("advance");
    return noErr;
}

void DescribeRgbDocument(FilterRecord& filter, int16_t width, int16_t height) {
    filter.planes = 3;
    filter.filterCase = filterCaseFlatImageNoSelection;
    filter.filterRect = Rect{0, 0, height, width};
    filter.imageSize = Point{height, width};
    filter.depth = 8;
}
