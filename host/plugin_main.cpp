#include "host/plugin_main.h"

#include <new>

#include "host/plugin_alloc.h"
#include "host/plugin_handles.h"
#include "host/plugin_state.h"
#include "host/selectors.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {
// After a failed call nothing may stay behind: engine blocks go back to their
// pools, both handles are disposed and the host is asked for nothing more.
// The about selector's record has no handles or rectangles to clean.
void CleanUpAfterFailure() noexcept {
    try {
        const PluginState& state = State();
        if (state.filter == nullptr || state.dataSlot == nullptr) return;
        PluginFreeAll();
        DisposeHandles();
        ClearRects(*state.filter);
    } catch (...) {
        // A host routine threw; the failure code already in the result word stands.
    }
}
}  // namespace

LUMISTRA_EXPORT void PLUGIN_CALLBACK PluginMain(int16_t selector, void* paramBlock, intptr_t* data,
                                                int16_t* result) {
    BeginCall(selector, paramBlock, data, result);
    // No exception may reach the host, whose frames know nothing of them.
    try {
        DispatchSelector(selector);
    } catch (const std::bad_alloc&) {
        SetResult(memFullErr);
    } catch (...) {
        SetResult(filterBadParameters);
    }
    if (Result() != noErr) CleanUpAfterFailure();
}

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) State().moduleHandle = instance;
    return TRUE;
}
#endif
