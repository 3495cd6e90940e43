#include "ui/win32/preview_dialog.h"

#include <windowsx.h>

#include "resources/resource_ids.h"
#include "ui/dialog_model.h"
#include "ui/win32/dialog_box.h"
#include "ui/win32/win32_dialog_view.h"

namespace {

constexpr int32_t kDialogNotCreated = -1;
constexpr int32_t kDialogCallReturnedZero = -2;

// One dialog runs at a time; its procedure finds the model and view here.
struct DialogSession {
    Win32DialogView* view;
    DialogModel* model;
};
DialogSession* currentSession = nullptr;

// The host window's class cursor is cleared while the dialog runs, so that the
// host window does not put its own cursor back over ours, and restored after.
class ClassCursorSuspension {
public:
    explicit ClassCursorSuspension(HWND window)
        : window_(window),
          saved_(reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR))) {
        SetClassLongPtrA(window_, GCLP_HCURSOR, 0);
    }
    ~ClassCursorSuspension() {
        SetClassLongPtrA(window_, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(saved_));
    }
    ClassCursorSuspension(const ClassCursorSuspension&) = delete;
    ClassCursorSuspension& operator=(const ClassCursorSuspension&) = delete;

    HCURSOR Saved() const { return saved_; }

private:
    HWND window_;
    HCURSOR saved_;
};

ViewPoint PointOf(LPARAM lParam) { return ViewPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

INT_PTR Dispatch(DialogModel& model, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return model.OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_HSCROLL:
            if (lParam == 0) return FALSE;  // a window scroll bar, not a slider
            return model.OnSliderScroll(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)),
                                        LOWORD(wParam), static_cast<int16_t>(HIWORD(wParam)));
        case WM_TIMER:
            return model.OnTimer(static_cast<int32_t>(wParam));
        case WM_PAINT:
            return model.OnPaint();
        case WM_SETCURSOR:
            return model.OnSetCursor();
        case WM_MOUSEMOVE:
            return model.OnMouseMove(PointOf(lParam), static_cast<uint32_t>(wParam));
        case WM_LBUTTONDOWN:
            return model.OnLeftButtonDown(PointOf(lParam));
        case WM_LBUTTONUP:
            return model.OnLeftButtonUp(PointOf(lParam));
        default:
            return FALSE;
    }
}

}  // namespace

int32_t ShowPreviewDialog(HINSTANCE module, HWND hostWindow, PreviewPort& port,
                          FilterParameters* parameters, int16_t planeCount) {
    DialogCursors cursors = {};
    cursors.openHand = LoadCursorA(module, MAKEINTRESOURCEA(IDCUR_HAND_OPEN));
    cursors.closedHand = LoadCursorA(module, MAKEINTRESOURCEA(IDCUR_HAND_CLOSED));
    cursors.pointingHand = LoadCursorA(module, MAKEINTRESOURCEA(IDCUR_HAND_POINTING));
    cursors.appStarting = LoadCursorA(nullptr, IDC_APPSTARTING);

    INT_PTR result = 0;
    {
        ClassCursorSuspension suspension(hostWindow);
        cursors.hostClassCursor = suspension.Saved();
        Win32DialogView view(module, cursors);
        // A fresh model for every dialog, so that each opens with all three pending
        // flags set.
        DialogModel model(view, port, parameters, planeCount);
        DialogSession session = {&view, &model};
        currentSession = &session;
        result = DialogBoxInModuleContext(module, LUMISTRA_MAIN_DIALOG, hostWindow, VLKQNTProc, 0);
        currentSession = nullptr;
    }
    if (result == -1) return kDialogNotCreated;
    if (result == 0) return kDialogCallReturnedZero;
    return static_cast<int32_t>(result);
}

extern "C" INT_PTR CALLBACK VLKQNTProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogSession* session = currentSession;
    if (session == nullptr) return FALSE;
    // Nothing may unwind into the dialog manager's frames.
    try {
        if (message == WM_INITDIALOG) {
            session->view->Attach(dialog);
            return session->model->OnInitDialog();
        }
        if (!session->view->IsAttached()) return FALSE;
        return Dispatch(*session->model, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}
