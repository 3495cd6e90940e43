// A dialog window without a window system: it keeps the controls' state, records what
// the model does, and raises an edit's change notification inside the call that writes
// the field, as Win32 does.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ui/dialog_view.h"

class DialogModel;

struct FramedRect {
    ViewRect area;
    bool red;
};

class FakeView : public DialogView {
public:
    // Where the client area's origin lies on the screen.
    static constexpr int32_t kClientOriginX = 100;
    static constexpr int32_t kClientOriginY = 50;

    FakeView();

    // Edit change notifications go to this model (none before it is set).
    void Attach(DialogModel* model) { model_ = model; }
    // A control's rectangle in client coordinates; stored as the window rectangle on the
    // screen.
    void PlaceControl(int32_t id, ViewRect client);
    // A user typing a field's whole text, or clicking a radio button.
    void Type(int32_t editId, const std::string& text);
    void ClickRadio(int32_t radioId);

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

    std::map<int32_t, std::string> texts;
    std::map<int32_t, int32_t> sliderPositions;
    std::map<int32_t, int32_t> sliderRangeMax;
    std::map<int32_t, bool> enabled;
    std::map<int32_t, bool> checked;
    std::vector<int32_t> focusHistory;
    std::string caption;
    bool timerRunning = false;
    int32_t timerStarts = 0;
    std::vector<ViewRect> invalidated;
    bool updateRegion = false;
    int32_t paints = 0;
    int32_t validations = 0;
    std::vector<FramedRect> frames;
    bool redFrameAvailable = true;
    bool captured = false;
    CursorKind shownCursor = CursorKind::HostClassCursor;
    std::vector<CursorKind> cursorHistory;
    bool ended = false;
    int32_t endResult = 0;
    std::vector<std::string> messages;
    ViewSize screen{1280, 1024};
    ViewRect client{0, 0, 760, 500};
    bool helpSucceeds = false;
    int32_t helpCalls = 0;

private:
    DialogModel* model_ = nullptr;
    std::map<int32_t, ViewRect> windowRects_;
};
