#include "app/scripted_dialog_view.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "app/dialog_view_table.h"

namespace {

// Trackbar scroll codes as Win32 numbers them.
struct NamedCode {
    const char* name;
    int32_t code;
};
constexpr NamedCode kScrollCodes[] = {
    {"LINEUP", 0},     {"LINEDOWN", 1}, {"PAGEUP", 2}, {"PAGEDOWN", 3}, {"THUMBPOSITION", 4},
    {"THUMBTRACK", 5}, {"TOP", 6},      {"BOTTOM", 7}, {"ENDTRACK", 8},
};
constexpr int32_t kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4,
                  kThumbTrack = 5, kTop = 6, kBottom = 7;
constexpr uint32_t kLeftButtonKey = 0x0001;

bool ParseInt(const std::string& word, int32_t* value) {
    if (word.empty()) return false;
    std::size_t used = 0;
    try {
        const long parsed = std::stol(word, &used, 10);
        if (used != word.size() || parsed < INT32_MIN || parsed > INT32_MAX) return false;
        *value = static_cast<int32_t>(parsed);
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace

bool ParseScriptLine(const std::string& line, std::vector<ScriptAction>* actions,
                     std::string* error) {
    std::istringstream words(line);
    std::string verb;
    if (!(words >> verb) || verb[0] == '#') return true;
    ScriptAction action;
    action.line = line;
    const auto fail = [&](const char* what) {
        *error = std::string(what) + ": " + line;
        return false;
    };
    const auto readInt = [&](int32_t* value) {
        std::string word;
        return static_cast<bool>(words >> word) && ParseInt(word, value);
    };
    std::string rest;
    if (verb == "type") {
        action.kind = ScriptAction::Kind::kType;
        if (!readInt(&action.id)) return fail("type needs a control id");
        // The text is the rest of the line after one blank; it may be empty.
        std::getline(words, rest);
        action.text = rest.empty() ? rest : rest.substr(1);
        actions->push_back(action);
        return true;
    }
    if (verb == "scroll") {
        action.kind = ScriptAction::Kind::kScroll;
        std::string code;
        if (!readInt(&action.id) || !(words >> code)) return fail("scroll needs an id and a code");
        const auto named = std::find_if(std::begin(kScrollCodes), std::end(kScrollCodes),
                                        [&](const NamedCode& c) { return code == c.name; });
        if (named == std::end(kScrollCodes)) return fail("unknown scroll code");
        action.code = named->code;
        std::string position;
        if (words >> position) {
            if (!ParseInt(position, &action.position)) return fail("bad thumb position");
            action.hasPosition = true;
        }
    } else if (verb == "click") {
        action.kind = ScriptAction::Kind::kClick;
        if (!readInt(&action.id)) return fail("click needs a control id");
    } else if (verb == "press" || verb == "move" || verb == "release") {
        action.kind = verb == "press"  ? ScriptAction::Kind::kPress
                      : verb == "move" ? ScriptAction::Kind::kMove
                                       : ScriptAction::Kind::kRelease;
        if (!readInt(&action.x) || !readInt(&action.y)) return fail("needs X and Y");
        std::string buttons;
        if (action.kind == ScriptAction::Kind::kMove && words >> buttons) {
            int32_t keys = 0;
            if (buttons == "left") {
                keys = static_cast<int32_t>(kLeftButtonKey);
            } else if (!ParseInt(buttons, &keys) || keys < 0) {
                return fail("bad BUTTONS");
            }
            action.keys = static_cast<uint32_t>(keys);
        }
    } else if (verb == "timer") {
        action.kind = ScriptAction::Kind::kTimer;
    } else if (verb == "paint") {
        action.kind = ScriptAction::Kind::kPaint;
    } else if (verb == "ok") {
        action.kind = ScriptAction::Kind::kOk;
    } else if (verb == "cancel") {
        action.kind = ScriptAction::Kind::kCancel;
    } else {
        return fail("unknown action");
    }
    if (words >> rest) return fail("unexpected words");
    actions->push_back(action);
    return true;
}

ScriptedDialogView::ScriptedDialogView(ScriptedViewSetup setup, std::vector<ScriptAction> script,
                                       HostViewImage* view)
    : setup_(std::move(setup)),
      script_(std::move(script)),
      view_(view),
      table_(MakeDialogViewTable(this)) {
    origin_ = setup_.clientOriginGiven
                  ? setup_.clientOrigin
                  : LumistraViewPoint{(setup_.screenWidth - setup_.clientWidth) / 2,
                                      (setup_.screenHeight - setup_.clientHeight) / 2};
    for (const auto& [id, rect] : setup_.controlRects) controls_[id].rect = rect;
}

const DialogControl* ScriptedDialogView::Find(int32_t id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : &found->second;
}

int32_t ScriptedDialogView::RunModal(const LumistraDialogEvents* events) {
    if (events == nullptr || events->size < sizeof(LumistraDialogEvents)) return -1;
    ++modalRuns_;
    events_ = events;
    ended_ = false;
    result_ = 0;
    events_->initDialog(events_->dialog);
    if (observer) observer(nullptr, true);
    for (const ScriptAction& action : script_) {
        if (ended_) break;
        const bool delivered = Perform(action);
        if (observer) observer(&action, delivered);
    }
    if (!ended_) {
        // A person would close the window; the close box cancels.
        closedAtEnd_ = true;
        events_->command(events_->dialog, setup_.cancelId, 0);
    }
    events_ = nullptr;
    return result_;
}

bool ScriptedDialogView::Click(int32_t id) {
    const DialogControl* control = Find(id);
    if (control != nullptr && !control->enabled) return false;
    focus_ = id;
    for (const std::set<int32_t>& group : setup_.radioGroups) {
        if (group.count(id) == 0) continue;
        for (int32_t member : group) Item(member).checked = member == id;
    }
    events_->command(events_->dialog, id, 0);
    return true;
}

bool ScriptedDialogView::Perform(const ScriptAction& action) {
    void* dialog = events_->dialog;
    switch (action.kind) {
        case ScriptAction::Kind::kType: {
            const DialogControl* control = Find(action.id);
            if (control != nullptr && !control->enabled) return false;
            focus_ = action.id;
            SetItemText(action.id, action.text.c_str());
            return true;
        }
        case ScriptAction::Kind::kScroll: {
            DialogControl& slider = Item(action.id);
            if (!slider.enabled) return false;
            focus_ = action.id;
            // The trackbar moves itself before it tells its owner.
            int32_t position = slider.sliderPosition;
            switch (action.code) {
                case kLineUp:
                    position -= slider.sliderLineSize;
                    break;
                case kLineDown:
                    position += slider.sliderLineSize;
                    break;
                case kPageUp:
                    position -= slider.sliderPageSize;
                    break;
                case kPageDown:
                    position += slider.sliderPageSize;
                    break;
                case kThumbPosition:
                case kThumbTrack:
                    position = action.position;
                    break;
                case kTop:
                    position = slider.sliderMinimum;
                    break;
                case kBottom:
                    position = slider.sliderMaximum;
                    break;
                default:
                    break;
            }
            slider.sliderPosition =
                std::clamp(position, slider.sliderMinimum,
                           std::max(slider.sliderMinimum, slider.sliderMaximum));
            const int32_t thumb = action.hasPosition ? action.position : slider.sliderPosition;
            events_->sliderScroll(dialog, action.id, action.code, thumb);
            return true;
        }
        case ScriptAction::Kind::kClick:
            return Click(action.id);
        case ScriptAction::Kind::kOk:
            return Click(setup_.okId);
        case ScriptAction::Kind::kCancel:
            // Escape cancels even when the button itself could not be clicked.
            events_->command(dialog, setup_.cancelId, 0);
            return true;
        case ScriptAction::Kind::kPress:
            events_->setCursor(dialog);
            events_->leftButtonDown(dialog, {action.x, action.y});
            return true;
        case ScriptAction::Kind::kMove:
            // A window with the capture gets no cursor message of its own.
            if (!captured_) events_->setCursor(dialog);
            events_->mouseMove(dialog, {action.x, action.y}, action.keys);
            return true;
        case ScriptAction::Kind::kRelease:
            events_->leftButtonUp(dialog, {action.x, action.y});
            return true;
        case ScriptAction::Kind::kTimer: {
            if (timers_.empty()) return false;
            const std::vector<int32_t> running = [&] {
                std::vector<int32_t> ids;
                for (const auto& timer : timers_) ids.push_back(timer.first);
                return ids;
            }();
            for (int32_t id : running) {
                if (!ended_) events_->timer(dialog, id);
            }
            return true;
        }
        case ScriptAction::Kind::kPaint:
            if (!updateValid_) return false;
            ++paints_;
            events_->paint(dialog);
            return true;
    }
    return false;
}

void ScriptedDialogView::SetItemText(int32_t id, const char* text) {
    Item(id).text = text != nullptr ? text : "";
    if (setup_.editIds.count(id) != 0 && events_ != nullptr) {
        events_->command(events_->dialog, id, setup_.editChangedCode);
    }
}

int32_t ScriptedDialogView::GetItemText(int32_t id, char* buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return 0;
    const std::string& text = Item(id).text;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int32_t>(length);
}

void ScriptedDialogView::SetSliderRange(int32_t id, int32_t minimum, int32_t maximum) {
    DialogControl& slider = Item(id);
    slider.sliderMinimum = minimum;
    slider.sliderMaximum = maximum;
    slider.sliderPosition = std::clamp(slider.sliderPosition, minimum, std::max(minimum, maximum));
}

void ScriptedDialogView::SetSliderPosition(int32_t id, int32_t position) {
    DialogControl& slider = Item(id);
    slider.sliderPosition = std::clamp(position, slider.sliderMinimum,
                                       std::max(slider.sliderMinimum, slider.sliderMaximum));
}

void ScriptedDialogView::InvalidateArea(const LumistraViewRect* area) {
    if (area == nullptr || area->left >= area->right || area->top >= area->bottom) return;
    if (!updateValid_) {
        update_ = *area;
        updateValid_ = true;
        return;
    }
    update_ = {std::min(update_.left, area->left), std::min(update_.top, area->top),
               std::max(update_.right, area->right), std::max(update_.bottom, area->bottom)};
}

void* ScriptedDialogView::BeginPaint() {
    painting_ = true;
    return this;
}

void ScriptedDialogView::EndPaint() {
    painting_ = false;
    updateValid_ = false;
}

void ScriptedDialogView::Frame(const LumistraViewRect& area, uint8_t red) {
    if (view_ != nullptr) view_->DrawFrame(area.left, area.top, area.right, area.bottom, red);
}

void ScriptedDialogView::FrameBlack(const LumistraViewRect* area) {
    if (area != nullptr && painting_) Frame(*area, 0);
}

bool ScriptedDialogView::FrameRed(const LumistraViewRect* area) {
    if (area == nullptr) return false;
    redFrame_ = *area;
    redFrameDrawn_ = true;
    Frame(*area, 255);
    return true;
}

intptr_t ScriptedDialogView::ShowCursor(int32_t cursor) {
    const int32_t previous = cursor_;
    cursor_ = cursor;
    return previous;
}

void ScriptedDialogView::EndDialog(int32_t result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
}

void ScriptedDialogView::ShowErrorMessage(const char* caption, const char* text) {
    messages_.push_back(std::string(caption != nullptr ? caption : "") + ": " +
                        (text != nullptr ? text : ""));
}

void ScriptedDialogView::ScreenSize(int32_t* width, int32_t* height) const {
    if (width != nullptr) *width = setup_.screenWidth;
    if (height != nullptr) *height = setup_.screenHeight;
}

void ScriptedDialogView::ClientRect(LumistraViewRect* rect) const {
    if (rect != nullptr) *rect = {0, 0, setup_.clientWidth, setup_.clientHeight};
}

void ScriptedDialogView::ItemWindowRect(int32_t id, LumistraViewRect* rect) const {
    if (rect == nullptr) return;
    const DialogControl* control = Find(id);
    const LumistraViewRect client = control != nullptr ? control->rect : LumistraViewRect{};
    *rect = {client.left + origin_.x, client.top + origin_.y, client.right + origin_.x,
             client.bottom + origin_.y};
}

LumistraViewPoint ScriptedDialogView::ScreenToClient(LumistraViewPoint point) const {
    return {point.x - origin_.x, point.y - origin_.y};
}

LumistraViewPoint ScriptedDialogView::ClientToScreen(LumistraViewPoint point) const {
    return {point.x + origin_.x, point.y + origin_.y};
}
