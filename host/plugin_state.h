// Process-wide state of the plug-in. The host calls the entry point from one
// thread, one selector at a time, so nothing here is guarded.
#pragma once

#include <cstdint>

#include "engine/filter_parameters.h"
#include "host/run_data.h"
#include "interface/plugin_interface.h"

struct PluginState {
    // The block of the current call: exactly one of the two is set. The about
    // selector gets an AboutRecord, which has none of the filter's fields.
    FilterRecord* filter = nullptr;
    AboutRecord* about = nullptr;
    intptr_t* dataSlot = nullptr;  // holds the RunData handle between calls
    int16_t* result = nullptr;     // the host's result word; read it through Result()

    // Valid only while the handles are locked.
    FilterParameters* parameters = nullptr;
    RunData* runData = nullptr;
    bool parametersLocked = false;
    bool dataLocked = false;

    void* moduleHandle = nullptr;  // instance handle on Windows, for the dialogs' resources
};

PluginState& State();

// Records the pointers of a new call and starts it with noErr.
void BeginCall(int16_t selector, void* paramBlock, intptr_t* dataSlot, int16_t* result);

OSErr Result();
void SetResult(OSErr code);
// Keeps any earlier failure of the same call visible (the allocator's rule).
void MergeResult(OSErr code);
