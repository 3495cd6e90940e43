#include "tests/ui/fake_view.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ui/dialog_controls.h"
#include "ui/dialog_model.h"

namespace {
bool IsValueEdit(int32_t id) {
    return id == kHighlightEdit || id == kShadowEdit || id == kClarityEdit;
}

// GetDlgItemInt: optional blanks, an optional minus sign when signed, then digits and
// nothing else; anything else, or a number out of range, reads 0.
uint32_t ParseDialogInt(const std::string& text, bool isSigned) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (isSigned && i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == text.size()) return 0;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return 0;
        value = value * 10 + uint64_t(text[i] - '0');
        if (value > 0xFFFFFFFFull) return 0;
    }
    if (isSigned) {
        if (negative ? value > 0x80000000ull : value > 0x7FFFFFFFull) return 0;
        return negative ? uint32_t(0 - value) : uint32_t(value);
    }
    return uint32_t(value);
}
}  // namespace

FakeView::FakeView() {
    PlaceControl(kPreviewPlaceholder, ViewRect{18, 60, 18 + 414, 60 + 408});
    PlaceControl(kNavigatorPlaceholder, ViewRect{500, 60, 500 + 240, 60 + 200});
    texts[kZoomLabel] = "100 %";
}

void FakeView::PlaceControl(int32_t id, ViewRect rect) {
    windowRects_[id] = ViewRect{rect.left + kClientOriginX, rect.top + kClientOriginY,
                                rect.right + kClientOriginX, rect.bottom + kClientOriginY};
}

void FakeView::Type(int32_t editId, const std::string& text) { SetItemText(editId, text.c_str()); }

void FakeView::ClickRadio(int32_t radioId) {
    checked[kBeforeRadio] = radioId == kBeforeRadio;
    checked[kAfterRadio] = radioId == kAfterRadio;
    if (model_ != nullptr) model_->OnCommand(radioId, kButtonClicked);
}

void FakeView::SetItemText(int32_t id, const char* text) {
    texts[id] = text;
    if (IsValueEdit(id) && model_ != nullptr) model_->OnCommand(id, kEditChanged);
}

int32_t FakeView::GetItemText(int32_t id, char* buffer, int32_t capacity) {
    if (capacity <= 0) return 0;
    const std::string& text = texts[id];
    const size_t count = std::min(text.size(), size_t(capacity - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return int32_t(count);
}

void FakeView::SetItemInt(int32_t id, uint32_t value, bool isSigned) {
    const std::string text = isSigned ? std::to_string(int32_t(value)) : std::to_string(value);
    SetItemText(id, text.c_str());
}

uint32_t FakeView::GetItemInt(int32_t id, bool isSigned) {
    return ParseDialogInt(texts[id], isSigned);
}

void FakeView::SetSliderRange(int32_t id, int32_t, int32_t maximum, bool) {
    sliderRangeMax[id] = maximum;
}
void FakeView::SetSliderPageSize(int32_t, int32_t) {}
void FakeView::SetSliderLineSize(int32_t, int32_t) {}
void FakeView::SetSliderTickFrequency(int32_t, int32_t) {}
void FakeView::SetSliderPosition(int32_t id, int32_t position, bool) {
    sliderPositions[id] = position;
}
void FakeView::EnableItem(int32_t id, bool isEnabled) { enabled[id] = isEnabled; }
void FakeView::FocusItem(int32_t id) { focusHistory.push_back(id); }
void FakeView::CheckButton(int32_t id, bool isChecked) { checked[id] = isChecked; }
bool FakeView::IsButtonChecked(int32_t id) { return checked[id]; }
void FakeView::SetCaption(const char* text) { caption = text; }

void FakeView::StartTimer(int32_t timerId, uint32_t periodMs) {
    if (timerId == kRefreshTimer && periodMs == kRefreshPeriodMs) {
        timerRunning = true;
        ++timerStarts;
    }
}
void FakeView::KillTimer(int32_t timerId) {
    if (timerId == kRefreshTimer) timerRunning = false;
}

void FakeView::InvalidateArea(const ViewRect& area) {
    invalidated.push_back(area);
    updateRegion = true;
}
bool FakeView::HasUpdateRegion() { return updateRegion; }
void FakeView::ValidateUpdateRegion() {
    updateRegion = false;
    ++validations;
}
PaintContext FakeView::BeginPaint() {
    ++paints;
    return this;
}
void FakeView::EndPaint(PaintContext) { updateRegion = false; }
void FakeView::FrameBlack(PaintContext, const ViewRect& area) {
    frames.push_back(FramedRect{area, false});
}
bool FakeView::FrameRed(const ViewRect& area) {
    if (!redFrameAvailable) return false;
    frames.push_back(FramedRect{area, true});
    return true;
}
void FakeView::CaptureMouse() { captured = true; }
void FakeView::ReleaseMouse() { captured = false; }

PlatformCursor FakeView::ShowCursor(CursorKind cursor) {
    const PlatformCursor previous = PlatformCursor(shownCursor);
    shownCursor = cursor;
    cursorHistory.push_back(cursor);
    return previous;
}
void FakeView::RestoreCursor(PlatformCursor previous) { shownCursor = CursorKind(previous); }

void FakeView::EndDialog(int32_t result) {
    ended = true;
    endResult = result;
}
void FakeView::ShowErrorMessage(const char* messageCaption, const char* text) {
    messages.push_back(std::string(messageCaption) + "|" + text);
}
ViewSize FakeView::ScreenSize() { return screen; }
ViewRect FakeView::ClientRect() { return client; }
ViewRect FakeView::ItemWindowRect(int32_t id) { return windowRects_[id]; }
ViewPoint FakeView::ScreenToClient(ViewPoint point) {
    return ViewPoint{point.x - kClientOriginX, point.y - kClientOriginY};
}
ViewPoint FakeView::ClientToScreen(ViewPoint point) {
    return ViewPoint{point.x + kClientOriginX, point.y + kClientOriginY};
}
int32_t FakeView::LoadModuleString(int32_t stringId, char* buffer, int32_t capacity) {
    if (stringId != kSubtitleStringId || capacity <= 0) return 0;
    const char subtitle[] = "Automatically Reduces Image Noise";
    const int32_t count = std::min(int32_t(sizeof subtitle - 1), capacity - 1);
    std::memcpy(buffer, subtitle, size_t(count));
    buffer[count] = '\0';
    return count;
}
bool FakeView::OpenHelp() {
    ++helpCalls;
    return helpSucceeds;
}
