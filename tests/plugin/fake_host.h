// A small stand-in host for unit tests of the plug-in's parts: a FilterRecord
// wired to buffer, handle and property routines that log what they are asked.
// One host at a time: the routines are plain functions and find it through
// FakeHost::current.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "interface/plugin_interface.h"

class FakeHost {
public:
    FakeHost();
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // Starts a plug-in call on this host's record, data slot and result word.
    void BeginCall(int16_t selector);
    // Calls the real entry point the way a host does.
    OSErr Call(int16_t selector);

    // Events in order: "allocate <size>", "lock <id>", "unlock <id>",
    // "free <id>", "watch <value>", "newHandle <size>", "disposeHandle", "advance".
    std::vector<std::string> events;
    int Count(const std::string& event) const;

    // Buffer routines' behaviour.
    OSErr allocateResult = noErr;
    bool lockFails = false;

    FilterRecord filter{};
    BufferProcs buffers{};
    HandleProcs handles{};
    PropertyProcs properties{};
    intptr_t dataSlot = 0;
    int16_t result = 0;
    int liveHandles = 0;

    static FakeHost* current;

private:
    static OSErr Allocate(int32_t size, BufferID* id);
    static Ptr LockBuffer(BufferID id, Boolean moveHigh);
    static void UnlockBuffer(BufferID id);
    static void FreeBuffer(BufferID id);
    static Handle NewHandle(int32_t size);
    static void DisposeHandle(Handle handle);
    static int32_t HandleSize(Handle handle);
    static Ptr LockHandle(Handle handle, Boolean moveHigh);
    static void UnlockHandle(Handle handle);
    static OSErr SetProperty(PIType signature, PIType key, int32_t index, intptr_t value,
                             Handle complex);
    static OSErr AdvanceState();

    struct HostHandle {
        Ptr master;  // first member: a Handle points here
        std::vector<char> bytes;
    };
    std::map<intptr_t, std::vector<uint8_t>> buffers_;
    intptr_t nextBufferId_ = 1;
    std::map<Handle, std::unique_ptr<HostHandle>> handles_;
};

// A record with an RGB area of width by height and every routine the run needs.
void DescribeRgbDocument(FilterRecord& filter, int16_t width, int16_t height);
