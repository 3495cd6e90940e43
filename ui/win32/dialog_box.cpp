#include "ui/win32/dialog_box.h"

#include <commctrl.h>

namespace {

// The manifest resource a module names for its own activation context.
constexpr WORD kModuleManifestId = 3;

// The context of the module's manifest, created once and kept for the process.
// kNoManifest when the module carries none (or the context cannot be made).
const HANDLE kNotTried = nullptr;
const HANDLE kNoManifest = INVALID_HANDLE_VALUE;
HANDLE moduleContext = kNotTried;

bool IsMissingResourceError(DWORD error) {
    return error >= ERROR_RESOURCE_DATA_NOT_FOUND && error <= ERROR_RESOURCE_LANG_NOT_FOUND;
}

HANDLE ModuleActivationContext(HINSTANCE module) {
    if (moduleContext != kNotTried) return moduleContext;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return kNoManifest;  // tried again next time
    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    request.lpSource = path;
    request.lpResourceName = MAKEINTRESOURCEW(kModuleManifestId);
    request.hModule = module;
    HANDLE context = CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE && !IsMissingResourceError(GetLastError())) {
        // Any other failure may pass (a locked file); the next dialog tries again.
        return kNoManifest;
    }
    moduleContext = context;
    return moduleContext;
}

// Dialogs with sliders cannot be created where the trackbar class is unknown. A
// host that has not registered it gets it registered; nothing else is touched.
void EnsureTrackbarClass(HINSTANCE module) {
    WNDCLASSEXW info = {};
    info.cbSize = sizeof info;
    if (GetClassInfoExW(module, TRACKBAR_CLASSW, &info)) return;
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
}

}  // namespace

INT_PTR DialogBoxInModuleContext(HINSTANCE module, const char* templateName, HWND parent,
                                 DLGPROC procedure, LPARAM parameter) {
    const HANDLE context = ModuleActivationContext(module);
    ULONG_PTR cookie = 0;
    const bool activated = context != kNoManifest && ActivateActCtx(context, &cookie);
    EnsureTrackbarClass(module);
    SetLastError(ERROR_SUCCESS);
    const INT_PTR result = DialogBoxParamA(module, templateName, parent, procedure, parameter);
    const DWORD dialogError = GetLastError();
    if (activated) DeactivateActCtx(0, cookie);
    SetLastError(dialogError);
    return result;
}
