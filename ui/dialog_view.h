// The window the preview dialog's model acts on, free of any toolkit's types. A Win32
// layer implements it over the dialog window (every call maps onto one or two Win32
// operations named beside it), a GTK layer and test fakes likewise. The model calls it
// only from inside one of its event entries, on the dialog's thread.
#pragma once

#include <cstdint>

// A point in screen or dialog client coordinates (pixels, y downward).
struct ViewPoint {
    int32_t x;
    int32_t y;
};

// A rectangle in Win32 order and meaning: right and bottom are exclusive.
struct ViewRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct ViewSize {
    int32_t width;
    int32_t height;
};

// The cursors the dialog shows. The three hands are the module's cursor resources of
// the same number; HostClassCursor is the host window's class cursor that
// ShowPreviewDialog saved before the dialog ran; AppStarting is the system's
// application-starting cursor (IDC_APPSTARTING).
enum class CursorKind : int32_t {
    HostClassCursor = 0,
    OpenHand = 109,
    ClosedHand = 110,
    PointingHand = 111,
    AppStarting = 32650,
};

// The platform's own cursor handle, only handed back to RestoreCursor.
using PlatformCursor = intptr_t;

// The platform's paint device context (an HDC on Windows), handed unchanged to the
// host's displayPixels and back to the view.
using PaintContext = void*;

class DialogView {
public:
    virtual ~DialogView() = default;

    // SetDlgItemText. For the three edits the change notification (EN_CHANGE) is raised
    // synchronously inside this call, that is, the model's OnCommand(id, kEditChanged)
    // has run when it returns; the model relies on that order.
    virtual void SetItemText(int32_t id, const char* text) = 0;
    // GetDlgItemText: copies at most capacity - 1 characters and a terminating zero;
    // returns the number of characters copied.
    virtual int32_t GetItemText(int32_t id, char* buffer, int32_t capacity) = 0;
    // SetDlgItemInt: writes value as a decimal number, signed (value taken as int32)
    // or unsigned; raises the change notification as SetItemText does.
    virtual void SetItemInt(int32_t id, uint32_t value, bool isSigned) = 0;
    // GetDlgItemInt: the field read as a signed or unsigned decimal number; an empty or
    // unreadable field (or one out of range) reads 0.
    virtual uint32_t GetItemInt(int32_t id, bool isSigned) = 0;

    // Trackbar messages TBM_SETRANGE, TBM_SETPAGESIZE, TBM_SETLINESIZE, TBM_SETTICFREQ
    // and TBM_SETPOS.
    virtual void SetSliderRange(int32_t id, int32_t minimum, int32_t maximum, bool redraw) = 0;
    virtual void SetSliderPageSize(int32_t id, int32_t size) = 0;
    virtual void SetSliderLineSize(int32_t id, int32_t size) = 0;
    virtual void SetSliderTickFrequency(int32_t id, int32_t frequency) = 0;
    virtual void SetSliderPosition(int32_t id, int32_t position, bool redraw) = 0;

    // EnableWindow, SetFocus, CheckDlgButton, IsDlgButtonChecked. The Before and After
    // radio buttons are automatic: a click checks the clicked one and unchecks the other
    // before its command reaches the model.
    virtual void EnableItem(int32_t id, bool enabled) = 0;
    virtual void FocusItem(int32_t id) = 0;
    virtual void CheckButton(int32_t id, bool checked) = 0;
    virtual bool IsButtonChecked(int32_t id) = 0;

    // SetWindowText of the dialog window.
    virtual void SetCaption(const char* text) = 0;

    // SetTimer / KillTimer. Starting a running timer restarts it with the new period.
    virtual void StartTimer(int32_t timerId, uint32_t periodMs) = 0;
    virtual void KillTimer(int32_t timerId) = 0;

    // InvalidateRect without erasing the background (client coordinates).
    virtual void InvalidateArea(const ViewRect& area) = 0;
    // GetUpdateRect(window, null, false) != 0.
    virtual bool HasUpdateRegion() = 0;
    // ValidateRect(window, null): the update region is emptied without painting, so no
    // further paint comes until something is invalidated again.
    virtual void ValidateUpdateRegion() = 0;
    // BeginPaint / EndPaint; the context is valid between the two (EndPaint validates).
    virtual PaintContext BeginPaint() = 0;
    virtual void EndPaint(PaintContext context) = 0;
    // FrameRect with the stock black brush on the paint context, one pixel wide.
    virtual void FrameBlack(PaintContext context, const ViewRect& area) = 0;
    // FrameRect in pure red (255, 0, 0), one pixel wide, on the window's own device
    // context (GetDC ... ReleaseDC). False when no device context could be obtained;
    // nothing is drawn then.
    virtual bool FrameRed(const ViewRect& area) = 0;

    // SetCapture / ReleaseCapture.
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // SetCursor: shows the cursor and returns the one shown before.
    virtual PlatformCursor ShowCursor(CursorKind cursor) = 0;
    // SetCursor with a cursor ShowCursor returned earlier.
    virtual void RestoreCursor(PlatformCursor previous) = 0;

    // EndDialog: the dialog call returns result once the current message is handled.
    virtual void EndDialog(int32_t result) = 0;
    // MessageBox with no owner window, the error icon, brought to the foreground.
    virtual void ShowErrorMessage(const char* caption, const char* text) = 0;

    // GetSystemMetrics(SM_CXSCREEN, SM_CYSCREEN).
    virtual ViewSize ScreenSize() = 0;
    // GetClientRect of the dialog window.
    virtual ViewRect ClientRect() = 0;
    // GetWindowRect of a control: its rectangle in SCREEN coordinates.
    virtual ViewRect ItemWindowRect(int32_t id) = 0;
    // ScreenToClient / ClientToScreen of the dialog window.
    virtual ViewPoint ScreenToClient(ViewPoint screenPoint) = 0;
    virtual ViewPoint ClientToScreen(ViewPoint clientPoint) = 0;

    // LoadString from the module's string table; copies at most capacity - 1
    // characters and a terminating zero, returns the number copied (0 if none).
    virtual int32_t LoadModuleString(int32_t stringId, char* buffer, int32_t capacity) = 0;

    // The Help command: opens the product's help page. True when the page was handed
    // to the system; false after the view has shown its own failure message (or when
    // the platform has no help to open).
    virtual bool OpenHelp() = 0;
};
