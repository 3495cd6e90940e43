#include "ui/win32/win32_dialog_view.h"

#include <commctrl.h>

#include "ui/win32/help_command.h"

namespace {

RECT ToRect(const ViewRect& area) { return RECT{area.left, area.top, area.right, area.bottom}; }

ViewRect ToViewRect(const RECT& rect) {
    return ViewRect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void Win32DialogView::SetItemText(int32_t id, const char* text) {
    SetDlgItemTextA(dialog_, id, text);
}

int32_t Win32DialogView::GetItemText(int32_t id, char* buffer, int32_t capacity) {
    return static_cast<int32_t>(GetDlgItemTextA(dialog_, id, buffer, capacity));
}

void Win32DialogView::SetItemInt(int32_t id, uint32_t value, bool isSigned) {
    SetDlgItemInt(dialog_, id, value, isSigned);
}

uint32_t Win32DialogView::GetItemInt(int32_t id, bool isSigned) {
    BOOL translated = FALSE;
    const UINT value = GetDlgItemInt(dialog_, id, &translated, isSigned);
    return translated ? value : 0;
}

void Win32DialogView::SetSliderRange(int32_t id, int32_t minimum, int32_t maximum, bool redraw) {
    SendDlgItemMessageA(dialog_, id, TBM_SETRANGE, redraw, MAKELPARAM(minimum, maximum));
}

void Win32DialogView::SetSliderPageSize(int32_t id, int32_t size) {
    SendDlgItemMessageA(dialog_, id, TBM_SETPAGESIZE, 0, size);
}

void Win32DialogView::SetSliderLineSize(int32_t id, int32_t size) {
    SendDlgItemMessageA(dialog_, id, TBM_SETLINESIZE, 0, size);
}

void Win32DialogView::SetSliderTickFrequency(int32_t id, int32_t frequency) {
    SendDlgItemMessageA(dialog_, id, TBM_SETTICFREQ, frequency, 0);
}

void Win32DialogView::SetSliderPosition(int32_t id, int32_t position, bool redraw) {
    SendDlgItemMessageA(dialog_, id, TBM_SETPOS, redraw, position);
}

void Win32DialogView::EnableItem(int32_t id, bool enabled) {
    EnableWindow(GetDlgItem(dialog_, id), enabled);
}

void Win32DialogView::FocusItem(int32_t id) { SetFocus(GetDlgItem(dialog_, id)); }

void Win32DialogView::CheckButton(int32_t id, bool checked) {
    CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogView::IsButtonChecked(int32_t id) {
    return IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
}

void Win32DialogView::SetCaption(const char* text) { SetWindowTextA(dialog_, text); }

void Win32DialogView::StartTimer(int32_t timerId, uint32_t periodMs) {
    SetTimer(dialog_, static_cast<UINT_PTR>(timerId), periodMs, nullptr);
}

void Win32DialogView::KillTimer(int32_t timerId) {
    ::KillTimer(dialog_, static_cast<UINT_PTR>(timerId));
}

void Win32DialogView::InvalidateArea(const ViewRect& area) {
    const RECT rect = ToRect(area);
    InvalidateRect(dialog_, &rect, FALSE);
}

bool Win32DialogView::HasUpdateRegion() { return GetUpdateRect(dialog_, nullptr, FALSE) != 0; }

void Win32DialogView::ValidateUpdateRegion() { ValidateRect(dialog_, nullptr); }

PaintContext Win32DialogView::BeginPaint() { return ::BeginPaint(dialog_, &paint_); }

void Win32DialogView::EndPaint(PaintContext) { ::EndPaint(dialog_, &paint_); }

void Win32DialogView::FrameBlack(PaintContext context, const ViewRect& area) {
    const RECT rect = ToRect(area);
    FrameRect(static_cast<HDC>(context), &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

bool Win32DialogView::FrameRed(const ViewRect& area) {
    const HDC context = GetDC(dialog_);
    if (context == nullptr) return false;
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const HGDIOBJ previous = SelectObject(context, red);
    const RECT rect = ToRect(area);
    FrameRect(context, &rect, red);
    SelectObject(context, previous);
    DeleteObject(red);
    ReleaseDC(dialog_, context);
    return true;
}

void Win32DialogView::CaptureMouse() { SetCapture(dialog_); }

void Win32DialogView::ReleaseMouse() { ReleaseCapture(); }

HCURSOR Win32DialogView::CursorOf(CursorKind cursor) const {
    switch (cursor) {
        case CursorKind::OpenHand:
            return cursors_.openHand;
        case CursorKind::ClosedHand:
            return cursors_.closedHand;
        case CursorKind::PointingHand:
            return cursors_.pointingHand;
        case CursorKind::AppStarting:
            return cursors_.appStarting;
        case CursorKind::HostClassCursor:
            break;
    }
    return cursors_.hostClassCursor;
}

PlatformCursor Win32DialogView::ShowCursor(CursorKind cursor) {
    return reinterpret_cast<PlatformCursor>(SetCursor(CursorOf(cursor)));
}

void Win32DialogView::RestoreCursor(PlatformCursor previous) {
    SetCursor(reinterpret_cast<HCURSOR>(previous));
}

void Win32DialogView::EndDialog(int32_t result) { ::EndDialog(dialog_, result); }

void Win32DialogView::ShowErrorMessage(const char* caption, const char* text) {
    MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

ViewSize Win32DialogView::ScreenSize() {
    return ViewSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

ViewRect Win32DialogView::ClientRect() {
    RECT rect = {};
    GetClientRect(dialog_, &rect);
    return ToViewRect(rect);
}

ViewRect Win32DialogView::ItemWindowRect(int32_t id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog_, id), &rect);
    return ToViewRect(rect);
}

ViewPoint Win32DialogView::ScreenToClient(ViewPoint screenPoint) {
    POINT point = {screenPoint.x, screenPoint.y};
    ::ScreenToClient(dialog_, &point);
    return ViewPoint{point.x, point.y};
}

ViewPoint Win32DialogView::ClientToScreen(ViewPoint clientPoint) {
    POINT point = {clientPoint.x, clientPoint.y};
    ::ClientToScreen(dialog_, &point);
    return ViewPoint{point.x, point.y};
}

int32_t Win32DialogView::LoadModuleString(int32_t stringId, char* buffer, int32_t capacity) {
    return LoadStringA(module_, static_cast<UINT>(stringId), buffer, capacity);
}

bool Win32DialogView::OpenHelp() { return RunHelpCommand(); }
