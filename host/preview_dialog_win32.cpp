// In a Windows host the dialog is a dialog box owned by the host's window
// (PlatformData's window member), run by the Win32 layer of ui/.
#include <windows.h>

#include "host/filter_record_port.h"
#include "host/plugin_state.h"
#include "host/preview_dialog.h"
#include "ui/win32/preview_dialog.h"

int32_t RunPreviewDialog() {
    PluginState& state = State();
    if (state.filter == nullptr || state.parameters == nullptr || state.runData == nullptr) {
        return kNoDialogView;
    }
    const PlatformData* platform = state.filter->platformData;
    const HWND hostWindow = platform != nullptr ? reinterpret_cast<HWND>(platform->hwnd) : nullptr;
    FilterRecordPort port(*state.filter, state.runData->planeCount);
    return ShowPreviewDialog(static_cast<HINSTANCE>(state.moduleHandle), hostWindow, port,
                             state.parameters, state.runData->planeCount);
}
