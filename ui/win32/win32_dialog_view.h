// The dialog model's view over a Win32 dialog window: each call is the Win32
// operation the view interface names, on the window given at WM_INITDIALOG.
#pragma once

#include <windows.h>

#include "ui/dialog_view.h"

// The cursors the view shows, loaded by whoever runs the dialog.
struct DialogCursors {
    HCURSOR openHand;
    HCURSOR closedHand;
    HCURSOR pointingHand;
    HCURSOR appStarting;
    HCURSOR hostClassCursor;  // the host window's class cursor, saved before the dialog
};

class Win32DialogView : public DialogView {
public:
    Win32DialogView(HINSTANCE module, const DialogCursors& cursors)
        : module_(module), cursors_(cursors) {}

    void Attach(HWND dialog) { dialog_ = dialog; }
    bool IsAttached() const { return dialog_ != nullptr; }

    void SetItemText(int32_t id, const char* text) override;
    int32_t GetItemText(int32_t id, char* buffer, int32_t capacity) override;
    void SetItemInt(int32_t id, uint32_t value, bool isSigned) override;
    uint32_t GetItemInt(int32_t id, bool isSigned) override;
    void SetSliderRange(int32_t id, int32_t minimum, int32_t maximum, bool redraw) override;
    void SetSliderPageSize(int32_t id, int32_t size) override;
    void SetSliderLineSize(int32_t id, int32_t size) override;
    void SetSliderTickFrequency(int32_t id, int32_t frequency) override;
    void SetSliderPosition(int32_t id, int32_t position, bool redraw) override;
    void EnableItem(int32_t id, bool enabled) override;
    void FocusItem(int32_t id) override;
    void CheckButton(int32_t id, bool checked) override;
    bool IsButtonChecked(int32_t id) override;
    void SetCaption(const char* text) override;
    void StartTimer(int32_t timerId, uint32_t periodMs) override;
    void KillTimer(int32_t timerId) override;
    void InvalidateArea(const ViewRect& area) override;
    bool HasUpdateRegion() override;
    void ValidateUpdateRegion() override;
    PaintContext BeginPaint() override;
    void EndPaint(PaintContext context) override;
    void FrameBlack(PaintContext context, const ViewRect& area) override;
    bool FrameRed(const ViewRect& area) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    PlatformCursor ShowCursor(CursorKind cursor) override;
    void RestoreCursor(PlatformCursor previous) override;
    void EndDialog(int32_t result) override;
    void ShowErrorMessage(const char* caption, const char* text) override;
    ViewSize ScreenSize() override;
    ViewRect ClientRect() override;
    ViewRect ItemWindowRect(int32_t id) override;
    ViewPoint ScreenToClient(ViewPoint screenPoint) override;
    ViewPoint ClientToScreen(ViewPoint clientPoint) override;
    int32_t LoadModuleString(int32_t stringId, char* buffer, int32_t capacity) override;
    bool OpenHelp() override;

private:
    HCURSOR CursorOf(CursorKind cursor) const;

    HINSTANCE module_;
    DialogCursors cursors_;
    HWND dialog_ = nullptr;
    PAINTSTRUCT paint_ = {};
};
