// The C table a Linux host hands the plug-in for its dialog, over a C++ view
// object: every entry forwards to the view's member of the same name, with
// the same arguments, so that a view only implements the operations.
#pragma once

#include <cstdint>

#include "interface/dialog_view_abi.h"

template <class View>
View& ViewAt(void* host) {
    return *static_cast<View*>(host);
}

template <class View>
LumistraDialogView MakeDialogViewTable(View* view) {
    LumistraDialogView table{};
    table.magic = LUMISTRA_DIALOG_VIEW_MAGIC;
    table.version = LUMISTRA_DIALOG_VIEW_VERSION;
    table.size = sizeof(LumistraDialogView);
    table.host = view;
    table.runModal = [](void* h, const LumistraDialogEvents* e) {
        return ViewAt<View>(h).RunModal(e);
    };
    table.setItemText = [](void* h, int32_t id, const char* t) {
        ViewAt<View>(h).SetItemText(id, t);
    };
    table.getItemText = [](void* h, int32_t id, char* b, int32_t c) {
        return ViewAt<View>(h).GetItemText(id, b, c);
    };
    table.setSliderRange = [](void* h, int32_t id, int32_t lo, int32_t hi, int32_t) {
        ViewAt<View>(h).SetSliderRange(id, lo, hi);
    };
    table.setSliderPageSize = [](void* h, int32_t id, int32_t s) {
        ViewAt<View>(h).SetSliderPageSize(id, s);
    };
    table.setSliderLineSize = [](void* h, int32_t id, int32_t s) {
        ViewAt<View>(h).SetSliderLineSize(id, s);
    };
    table.setSliderTickFrequency = [](void* h, int32_t id, int32_t f) {
        ViewAt<View>(h).SetSliderTickFrequency(id, f);
    };
    table.setSliderPosition = [](void* h, int32_t id, int32_t p, int32_t) {
        ViewAt<View>(h).SetSliderPosition(id, p);
    };
    table.enableItem = [](void* h, int32_t id, int32_t e) {
        ViewAt<View>(h).EnableItem(id, e != 0);
    };
    table.focusItem = [](void* h, int32_t id) { ViewAt<View>(h).FocusItem(id); };
    table.checkButton = [](void* h, int32_t id, int32_t c) {
        ViewAt<View>(h).CheckButton(id, c != 0);
    };
    table.isButtonChecked = [](void* h, int32_t id) {
        return ViewAt<View>(h).IsButtonChecked(id) ? 1 : 0;
    };
    table.setCaption = [](void* h, const char* t) { ViewAt<View>(h).SetCaption(t); };
    table.startTimer = [](void* h, int32_t id, uint32_t p) { ViewAt<View>(h).StartTimer(id, p); };
    table.killTimer = [](void* h, int32_t id) { ViewAt<View>(h).KillTimer(id); };
    table.invalidateArea = [](void* h, const LumistraViewRect* a) {
        ViewAt<View>(h).InvalidateArea(a);
    };
    table.hasUpdateRegion = [](void* h) { return ViewAt<View>(h).HasUpdateRegion() ? 1 : 0; };
    table.validateUpdateRegion = [](void* h) { ViewAt<View>(h).ValidateUpdateRegion(); };
    table.beginPaint = [](void* h) { return ViewAt<View>(h).BeginPaint(); };
    table.endPaint = [](void* h, void*) { ViewAt<View>(h).EndPaint(); };
    table.frameBlack = [](void* h, void*, const LumistraViewRect* a) {
        ViewAt<View>(h).FrameBlack(a);
    };
    table.frameRed = [](void* h, const LumistraViewRect* a) {
        return ViewAt<View>(h).FrameRed(a) ? 1 : 0;
    };
    table.captureMouse = [](void* h) { ViewAt<View>(h).CaptureMouse(); };
    table.releaseMouse = [](void* h) { ViewAt<View>(h).ReleaseMouse(); };
    table.showCursor = [](void* h, int32_t c) { return ViewAt<View>(h).ShowCursor(c); };
    table.restoreCursor = [](void* h, intptr_t p) { ViewAt<View>(h).RestoreCursor(p); };
    table.endDialog = [](void* h, int32_t r) { ViewAt<View>(h).EndDialog(r); };
    table.showErrorMessage = [](void* h, const char* c, const char* t) {
        ViewAt<View>(h).ShowErrorMessage(c, t);
    };
    table.screenSize = [](void* h, int32_t* w, int32_t* ht) { ViewAt<View>(h).ScreenSize(w, ht); };
    table.clientRect = [](void* h, LumistraViewRect* r) { ViewAt<View>(h).ClientRect(r); };
    table.itemWindowRect = [](void* h, int32_t id, LumistraViewRect* r) {
        ViewAt<View>(h).ItemWindowRect(id, r);
    };
    table.screenToClient = [](void* h, LumistraViewPoint p) {
        return ViewAt<View>(h).ScreenToClient(p);
    };
    table.clientToScreen = [](void* h, LumistraViewPoint p) {
        return ViewAt<View>(h).ClientToScreen(p);
    };
    table.openHelp = [](void* h) { return ViewAt<View>(h).OpenHelp() ? 1 : 0; };
    return table;
}
