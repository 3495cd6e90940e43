// A dialog window without a window system: the host library's side of the
// Linux dialog view table (interface/dialog_view_abi.h), played by a script
// of user actions instead of a person.
//
// Geometry: the dialog's client area is clientSize pixels with its origin on
// the "screen" at clientOrigin (by default centred on the screen); control
// rectangles are given in client coordinates and reported to the plug-in in
// screen coordinates, as GetWindowRect does. Events follow Win32's habits:
// setting an edit's text raises its change event before the call returns;
// timers fire only when the script says so; a paint is delivered only while
// something is invalid; an auto radio button checks itself and unchecks the
// rest of its group before its click is delivered; a disabled control takes
// no clicks. Mouse capture, the cursor shown, frames drawn and messages shown
// are recorded. After each action the observer is told.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/host_view_image.h"
#include "interface/dialog_view_abi.h"

struct ScriptAction {
    enum class Kind {
        kType,
        kScroll,
        kClick,
        kPress,
        kMove,
        kRelease,
        kTimer,
        kPaint,
        kOk,
        kCancel
    };
    Kind kind = Kind::kPaint;
    int32_t id = 0;    // type, scroll, click
    std::string text;  // type
    int32_t code = 0;  // scroll: the trackbar scroll code
    bool hasPosition = false;
    int32_t position = 0;  // scroll: the thumb position
    int32_t x = 0;         // press, move, release (client coordinates)
    int32_t y = 0;
    uint32_t keys = 0;  // move: the mouse key state
    std::string line;   // the script line, for logs
};

// Parses one script line ("type ID TEXT", "scroll ID CODE [POS]", "click ID",
// "press X Y", "move X Y [BUTTONS]", "release X Y", "timer", "paint", "ok",
// "cancel"; CODE as the trackbar names them, LINEUP ... ENDTRACK; BUTTONS a
// number or "left"). Empty lines and lines starting with '#' give no action.
// False with *error set for anything else.
bool ParseScriptLine(const std::string& line, std::vector<ScriptAction>* actions,
                     std::string* error);

struct DialogControl {
    LumistraViewRect rect{};  // client coordinates
    std::string text;
    bool enabled = true;
    bool checked = false;
    int32_t sliderMinimum = 0;
    int32_t sliderMaximum = 100;
    int32_t sliderPosition = 0;
    int32_t sliderPageSize = 1;
    int32_t sliderLineSize = 1;
    int32_t tickFrequency = 0;
};

struct ScriptedViewSetup {
    int32_t clientWidth = 759;
    int32_t clientHeight = 528;
    int32_t screenWidth = 1920;
    int32_t screenHeight = 1080;
    // Where the client area's origin lies on the screen; centred when unset.
    bool clientOriginGiven = false;
    LumistraViewPoint clientOrigin{};
    std::map<int32_t, LumistraViewRect> controlRects;  // client coordinates
    std::set<int32_t> editIds;                         // raise change events
    std::vector<std::set<int32_t>> radioGroups;
    int32_t okId = 1;
    int32_t cancelId = 2;
    int32_t editChangedCode = 0x0300;
};

class ScriptedDialogView {
public:
    // view, if given, receives the frames the dialog draws.
    ScriptedDialogView(ScriptedViewSetup setup, std::vector<ScriptAction> script,
                       HostViewImage* view = nullptr);
    ScriptedDialogView(const ScriptedDialogView&) = delete;
    ScriptedDialogView& operator=(const ScriptedDialogView&) = delete;

    // The table to put into PlatformData's window member.
    const LumistraDialogView* Table() const { return &table_; }

    // Told after the dialog started (action null) and after each action.
    std::function<void(const ScriptAction* action, bool delivered)> observer;

    // ---- State, for logs and tests
    const std::map<int32_t, DialogControl>& controls() const { return controls_; }
    // Null for a control the dialog never touched and the setup did not name.
    const DialogControl* Find(int32_t id) const;
    const std::string& caption() const { return caption_; }
    int32_t focus() const { return focus_; }
    int32_t cursor() const { return cursor_; }
    bool captured() const { return captured_; }
    const std::map<int32_t, uint32_t>& timers() const { return timers_; }
    bool HasUpdateRegion() const { return updateValid_; }
    const LumistraViewRect& updateRegion() const { return update_; }
    bool ended() const { return ended_; }
    int32_t result() const { return result_; }
    // The dialog ran out of script and was closed as the close box does.
    bool closedAtEndOfScript() const { return closedAtEnd_; }
    bool lastRedFrameDrawn() const { return redFrameDrawn_; }
    const LumistraViewRect& lastRedFrame() const { return redFrame_; }
    uint32_t paints() const { return paints_; }
    uint32_t modalRuns() const { return modalRuns_; }
    const std::vector<std::string>& messages() const { return messages_; }
    LumistraViewPoint clientOrigin() const { return origin_; }

    // ---- The table's operations (public for the C trampolines)
    int32_t RunModal(const LumistraDialogEvents* events);
    void SetItemText(int32_t id, const char* text);
    int32_t GetItemText(int32_t id, char* buffer, int32_t capacity);
    void SetSliderRange(int32_t id, int32_t minimum, int32_t maximum);
    void SetSliderPageSize(int32_t id, int32_t size) { Item(id).sliderPageSize = size; }
    void SetSliderLineSize(int32_t id, int32_t size) { Item(id).sliderLineSize = size; }
    void SetSliderTickFrequency(int32_t id, int32_t frequency) {
        Item(id).tickFrequency = frequency;
    }
    void SetSliderPosition(int32_t id, int32_t position);
    void EnableItem(int32_t id, bool enabled) { Item(id).enabled = enabled; }
    void FocusItem(int32_t id) { focus_ = id; }
    void CheckButton(int32_t id, bool checked) { Item(id).checked = checked; }
    bool IsButtonChecked(int32_t id) { return Item(id).checked; }
    void SetCaption(const char* text) { caption_ = text != nullptr ? text : ""; }
    void StartTimer(int32_t timerId, uint32_t periodMs) { timers_[timerId] = periodMs; }
    void KillTimer(int32_t timerId) { timers_.erase(timerId); }
    void InvalidateArea(const LumistraViewRect* area);
    void ValidateUpdateRegion() { updateValid_ = false; }
    void* BeginPaint();
    void EndPaint();
    void FrameBlack(const LumistraViewRect* area);
    bool FrameRed(const LumistraViewRect* area);
    void CaptureMouse() { captured_ = true; }
    void ReleaseMouse() { captured_ = false; }
    intptr_t ShowCursor(int32_t cursor);
    void RestoreCursor(intptr_t previous) { cursor_ = static_cast<int32_t>(previous); }
    void EndDialog(int32_t result);
    void ShowErrorMessage(const char* caption, const char* text);
    void ScreenSize(int32_t* width, int32_t* height) const;
    void ClientRect(LumistraViewRect* rect) const;
    void ItemWindowRect(int32_t id, LumistraViewRect* rect) const;
    LumistraViewPoint ScreenToClient(LumistraViewPoint point) const;
    LumistraViewPoint ClientToScreen(LumistraViewPoint point) const;
    // There is no help to open without a window system.
    bool OpenHelp() const { return false; }

private:
    // Delivers one action; false when the window would not deliver it (a
    // disabled control, nothing to paint, no timer running).
    bool Perform(const ScriptAction& action);
    bool Click(int32_t id);
    void Frame(const LumistraViewRect& area, uint8_t red);
    DialogControl& Item(int32_t id) { return controls_[id]; }

    ScriptedViewSetup setup_;
    std::vector<ScriptAction> script_;
    HostViewImage* view_;
    LumistraDialogView table_{};
    const LumistraDialogEvents* events_ = nullptr;

    std::map<int32_t, DialogControl> controls_;
    std::string caption_;
    int32_t focus_ = 0;
    int32_t cursor_ = 0;
    bool captured_ = false;
    std::map<int32_t, uint32_t> timers_;
    bool updateValid_ = false;
    LumistraViewRect update_{};
    bool painting_ = false;
    bool ended_ = false;
    int32_t result_ = 0;
    bool closedAtEnd_ = false;
    bool redFrameDrawn_ = false;
    LumistraViewRect redFrame_{};
    uint32_t paints_ = 0;
    uint32_t modalRuns_ = 0;
    std::vector<std::string> messages_;
    LumistraViewPoint origin_{};
};
