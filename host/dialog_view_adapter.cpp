#include "host/dialog_view_adapter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Addresses below this are small integers (such as a window id a host may
// keep in the member), never a table.
constexpr uintptr_t kLowestTableAddress = 0x10000;

// The module's string table as the Windows resources have it.
constexpr int32_t kSubtitleStringId = 1;
constexpr const char kSubtitleString[] = "Automatically Reduces Image Noise";

bool AllOperationsPresent(const LumistraDialogView& table) {
    const void* operations[] = {
        reinterpret_cast<const void*>(table.runModal),
        reinterpret_cast<const void*>(table.setItemText),
        reinterpret_cast<const void*>(table.getItemText),
        reinterpret_cast<const void*>(table.setSliderRange),
        reinterpret_cast<const void*>(table.setSliderPageSize),
        reinterpret_cast<const void*>(table.setSliderLineSize),
        reinterpret_cast<const void*>(table.setSliderTickFrequency),
        reinterpret_cast<const void*>(table.setSliderPosition),
        reinterpret_cast<const void*>(table.enableItem),
        reinterpret_cast<const void*>(table.focusItem),
        reinterpret_cast<const void*>(table.checkButton),
        reinterpret_cast<const void*>(table.isButtonChecked),
        reinterpret_cast<const void*>(table.setCaption),
        reinterpret_cast<const void*>(table.startTimer),
        reinterpret_cast<const void*>(table.killTimer),
        reinterpret_cast<const void*>(table.invalidateArea),
        reinterpret_cast<const void*>(table.hasUpdateRegion),
        reinterpret_cast<const void*>(table.validateUpdateRegion),
        reinterpret_cast<const void*>(table.beginPaint),
        reinterpret_cast<const void*>(table.endPaint),
        reinterpret_cast<const void*>(table.frameBlack),
        reinterpret_cast<const void*>(table.frameRed),
        reinterpret_cast<const void*>(table.captureMouse),
        reinterpret_cast<const void*>(table.releaseMouse),
        reinterpret_cast<const void*>(table.showCursor),
        reinterpret_cast<const void*>(table.restoreCursor),
        reinterpret_cast<const void*>(table.endDialog),
        reinterpret_cast<const void*>(table.showErrorMessage),
        reinterpret_cast<const void*>(table.screenSize),
        reinterpret_cast<const void*>(table.clientRect),
        reinterpret_cast<const void*>(table.itemWindowRect),
        reinterpret_cast<const void*>(table.screenToClient),
        reinterpret_cast<const void*>(table.clientToScreen),
        reinterpret_cast<const void*>(table.openHelp),
    };
    for (const void* operation : operations) {
        if (operation == nullptr) return false;
    }
    return true;
}

LumistraViewRect ToTable(const ViewRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

ViewRect FromTable(const LumistraViewRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

const LumistraDialogView* OfferedDialogView(const PlatformData* platformData) {
    if (platformData == nullptr) return nullptr;
    const auto address = static_cast<uintptr_t>(platformData->hwnd);
    if (address < kLowestTableAddress || address % alignof(LumistraDialogView) != 0) {
        return nullptr;
    }
    const auto* table = reinterpret_cast<const LumistraDialogView*>(address);
    if (table->magic != LUMISTRA_DIALOG_VIEW_MAGIC ||
        table->version != LUMISTRA_DIALOG_VIEW_VERSION ||
        table->size < sizeof(LumistraDialogView)) {
        return nullptr;
    }
    return AllOperationsPresent(*table) ? table : nullptr;
}

void DialogViewAdapter::SetItemText(int32_t id, const char* text) {
    table_.setItemText(table_.host, id, text);
}

int32_t DialogViewAdapter::GetItemText(int32_t id, char* buffer, int32_t capacity) {
    return table_.getItemText(table_.host, id, buffer, capacity);
}

void DialogViewAdapter::SetItemInt(int32_t id, uint32_t value, bool isSigned) {
    char text[16];
    if (isSigned) {
        std::snprintf(text, sizeof text, "%d", static_cast<int32_t>(value));
    } else {
        std::snprintf(text, sizeof text, "%u", value);
    }
    SetItemText(id, text);
}

uint32_t DialogViewAdapter::GetItemInt(int32_t id, bool isSigned) {
    // As GetDlgItemInt reads a field: leading blanks, an optional minus for a
    // signed read, digits to the end; anything else or out of range reads 0.
    char text[32] = {};
    GetItemText(id, text, static_cast<int32_t>(sizeof text));
    const char* digits = text;
    while (*digits == ' ') ++digits;
    bool negative = false;
    if (isSigned && *digits == '-') {
        negative = true;
        ++digits;
    }
    if (*digits < '0' || *digits > '9') return 0;
    uint64_t value = 0;
    for (; *digits != '\0'; ++digits) {
        if (*digits < '0' || *digits > '9') return 0;
        value = value * 10 + static_cast<uint64_t>(*digits - '0');
        if (value > 0xFFFFFFFFull) return 0;
    }
    if (isSigned) {
        if (value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return 0;
        return negative ? static_cast<uint32_t>(-static_cast<int64_t>(value))
                        : static_cast<uint32_t>(value);
    }
    return static_cast<uint32_t>(value);
}

void DialogViewAdapter::SetSliderRange(int32_t id, int32_t minimum, int32_t maximum, bool redraw) {
    table_.setSliderRange(table_.host, id, minimum, maximum, redraw ? 1 : 0);
}

void DialogViewAdapter::SetSliderPageSize(int32_t id, int32_t size) {
    table_.setSliderPageSize(table_.host, id, size);
}

void DialogViewAdapter::SetSliderLineSize(int32_t id, int32_t size) {
    table_.setSliderLineSize(table_.host, id, size);
}

void DialogViewAdapter::SetSliderTickFrequency(int32_t id, int32_t frequency) {
    table_.setSliderTickFrequency(table_.host, id, frequency);
}

void DialogViewAdapter::SetSliderPosition(int32_t id, int32_t position, bool redraw) {
    table_.setSliderPosition(table_.host, id, position, redraw ? 1 : 0);
}

void DialogViewAdapter::EnableItem(int32_t id, bool enabled) {
    table_.enableItem(table_.host, id, enabled ? 1 : 0);
}

void DialogViewAdapter::FocusItem(int32_t id) { table_.focusItem(table_.host, id); }

void DialogViewAdapter::CheckButton(int32_t id, bool checked) {
    table_.checkButton(table_.host, id, checked ? 1 : 0);
}

bool DialogViewAdapter::IsButtonChecked(int32_t id) {
    return table_.isButtonChecked(table_.host, id) != 0;
}

void DialogViewAdapter::SetCaption(const char* text) { table_.setCaption(table_.host, text); }

void DialogViewAdapter::StartTimer(int32_t timerId, uint32_t periodMs) {
    table_.startTimer(table_.host, timerId, periodMs);
}

void DialogViewAdapter::KillTimer(int32_t timerId) { table_.killTimer(table_.host, timerId); }

void DialogViewAdapter::InvalidateArea(const ViewRect& area) {
    const LumistraViewRect rect = ToTable(area);
    table_.invalidateArea(table_.host, &rect);
}

bool DialogViewAdapter::HasUpdateRegion() { return table_.hasUpdateRegion(table_.host) != 0; }

void DialogViewAdapter::ValidateUpdateRegion() { table_.validateUpdateRegion(table_.host); }

PaintContext DialogViewAdapter::BeginPaint() { return table_.beginPaint(table_.host); }

void DialogViewAdapter::EndPaint(PaintContext context) { table_.endPaint(table_.host, context); }

void DialogViewAdapter::FrameBlack(PaintContext context, const ViewRect& area) {
    const LumistraViewRect rect = ToTable(area);
    table_.frameBlack(table_.host, context, &rect);
}

bool DialogViewAdapter::FrameRed(const ViewRect& area) {
    const LumistraViewRect rect = ToTable(area);
    return table_.frameRed(table_.host, &rect) != 0;
}

void DialogViewAdapter::CaptureMouse() { table_.captureMouse(table_.host); }

void DialogViewAdapter::ReleaseMouse() { table_.releaseMouse(table_.host); }

PlatformCursor DialogViewAdapter::ShowCursor(CursorKind cursor) {
    return table_.showCursor(table_.host, static_cast<int32_t>(cursor));
}

void DialogViewAdapter::RestoreCursor(PlatformCursor previous) {
    table_.restoreCursor(table_.host, previous);
}

void DialogViewAdapter::EndDialog(int32_t result) { table_.endDialog(table_.host, result); }

void DialogViewAdapter::ShowErrorMessage(const char* caption, const char* text) {
    table_.showErrorMessage(table_.host, caption, text);
}

ViewSize DialogViewAdapter::ScreenSize() {
    ViewSize size{0, 0};
    table_.screenSize(table_.host, &size.width, &size.height);
    return size;
}

ViewRect DialogViewAdapter::ClientRect() {
    LumistraViewRect rect{};
    table_.clientRect(table_.host, &rect);
    return FromTable(rect);
}

ViewRect DialogViewAdapter::ItemWindowRect(int32_t id) {
    LumistraViewRect rect{};
    table_.itemWindowRect(table_.host, id, &rect);
    return FromTable(rect);
}

ViewPoint DialogViewAdapter::ScreenToClient(ViewPoint screenPoint) {
    const LumistraViewPoint point =
        table_.screenToClient(table_.host, {screenPoint.x, screenPoint.y});
    return {point.x, point.y};
}

ViewPoint DialogViewAdapter::ClientToScreen(ViewPoint clientPoint) {
    const LumistraViewPoint point =
        table_.clientToScreen(table_.host, {clientPoint.x, clientPoint.y});
    return {point.x, point.y};
}

int32_t DialogViewAdapter::LoadModuleString(int32_t stringId, char* buffer, int32_t capacity) {
    if (stringId != kSubtitleStringId || buffer == nullptr || capacity <= 0) return 0;
    const std::size_t length =
        std::min(std::strlen(kSubtitleString), static_cast<std::size_t>(capacity - 1));
    std::memcpy(buffer, kSubtitleString, length);
    buffer[length] = '\0';
    return static_cast<int32_t>(length);
}

bool DialogViewAdapter::OpenHelp() { return table_.openHelp(table_.host) != 0; }
