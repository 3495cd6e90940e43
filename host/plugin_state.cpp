#include "host/plugin_state.h"

namespace {
PluginState gState;
// Stands in for a result word the host did not provide (or before the first
// call), so that every routine can write its outcome unconditionally.
int16_t gUnreportedResult = 0;

int16_t& ResultWord() { return gState.result != nullptr ? *gState.result : gUnreportedResult; }
}  // namespace

PluginState& State() { return gState; }

void BeginCall(int16_t selector, void* paramBlock, intptr_t* dataSlot, int16_t* result) {
    if (selector == filterSelectorAbout) {
        gState.filter = nullptr;
        gState.about = static_cast<AboutRecord*>(paramBlock);
    } else {
        gState.filter = static_cast<FilterRecord*>(paramBlock);
        gState.about = nullptr;
    }
    gState.dataSlot = dataSlot;
    gState.result = result;
    ResultWord() = noErr;
    gState.parameters = nullptr;
    gState.runData = nullptr;
    gState.parametersLocked = false;
    gState.dataLocked = false;
}

OSErr Result() { return ResultWord(); }

void SetResult(OSErr code) { ResultWord() = code; }

void MergeResult(OSErr code) { ResultWord() = static_cast<OSErr>(ResultWord() | code); }
