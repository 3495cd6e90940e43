#include "host/selectors.h"

#include <iterator>

#include "host/filter_run.h"
#include "host/last_parameters.h"
#include "host/plugin_alloc.h"
#include "host/plugin_handles.h"
#include "host/plugin_state.h"
#include "host/script_parameters.h"
#include "host/user_interface.h"

namespace {
constexpr int32_t kParametersSize = sizeof(FilterParameters);
constexpr int32_t kRunDataSize = sizeof(RunData);

bool HaveBothHandles() { return State().filter->parameters != nullptr && *State().dataSlot != 0; }

void CreateMissingHandles() {
    if (State().filter->parameters == nullptr) CreateParametersHandle(kParametersSize);
    if (*State().dataSlot == 0) CreateDataHandle(kRunDataSize);
}

void RunAbout() {
    const AboutRecord* about = State().about;
    SetResult(about != nullptr ? DoAbout(*about) : filterBadParameters);
}

void RunParameters() {
    DoParameters();
    UnlockHandles();
}

void RunPrepare() {
    DoPrepare();
    UnlockHandles();
}

void RunStart() {
    if (!LockHandles()) return;
    DoStart();
    UnlockHandles();
}

// The whole image was filtered in the start selector: nothing more is wanted.
void RunContinue() { ClearRects(*State().filter); }

void RunFinish() {
    if (!LockHandles()) return;
    if (State().filter->descriptorParameters != nullptr) WriteScriptParameters();
    SaveLastParameters();
    PluginFreeAll();
    UnlockHandles();
    DisposeHandles();
}

using SelectorRoutine = void (*)();
// Indexed by selector, filterSelectorAbout to filterSelectorFinish.
constexpr SelectorRoutine kSelectorTable[] = {RunAbout, RunParameters, RunPrepare,
                                              RunStart, RunContinue,   RunFinish};
}  // namespace

void WriteDefaults() {
    PluginState& state = State();
    *state.parameters = FilterParameters{kDefaultAmount, kDefaultAmount, kDefaultAmount};
    state.runData->inputWidth = 0;
    state.runData->inputHeight = 0;
}

void DoParameters() {
    CreateMissingHandles();
    if (Result() != noErr) {
        DisposeHandles();
        return;
    }
    if (LockHandles()) WriteDefaults();
}

void DoPrepare() {
    State().filter->bufferSpace = 0;
    if (HaveBothHandles()) {
        LockHandles();
        return;
    }
    CreateMissingHandles();
    if (Result() != noErr) {
        DisposeHandles();
        return;
    }
    if (LockHandles()) WriteDefaults();
}

void DispatchSelector(int16_t selector) {
    if (selector < 0 || selector >= static_cast<int16_t>(std::size(kSelectorTable))) {
        SetResult(filterBadParameters);
        return;
    }
    const PluginState& state = State();
    if (selector != filterSelectorAbout && (state.filter == nullptr || state.dataSlot == nullptr)) {
        SetResult(filterBadParameters);
        return;
    }
    kSelectorTable[selector]();
}
