// The plug-in's preview dialog drawn with GTK 2, GIMP 2.10's toolkit: the
// dialog view table (interface/dialog_view_abi.h) over a window built from the
// template's layout. Each operation is the GTK counterpart of the window call
// the table names; what the plug-in hands to displayPixels lands in the host's
// view image, from which the panes are drawn.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "app/host_view_image.h"
#include "interface/dialog_view_abi.h"

class Gtk2DialogView {
public:
    // surface: the host's view image of the client area's size, into which
    // displayPixels draws. helpPage: the help page's file; empty when there is none.
    Gtk2DialogView(HostViewImage& surface, std::string helpPage);
    ~Gtk2DialogView();
    Gtk2DialogView(const Gtk2DialogView&) = delete;
    Gtk2DialogView& operator=(const Gtk2DialogView&) = delete;

    // The table to put into PlatformData's window member.
    const LumistraDialogView* Table() const { return &table_; }
    // Told once the window is on the screen, with the window.
    std::function<void(GtkWidget* window)> shown;

    // ---- State, for logs and tests
    int32_t SliderPosition(int32_t id) const;
    // The black frame last drawn in each pane's placeholder, by placeholder id:
    // inside it the window shows the surface.
    const std::map<int32_t, LumistraViewRect>& paneFrames() const { return paneFrames_; }
    // The client area's window; null while the dialog is not running.
    GtkWidget* client() const { return client_; }

    // ---- The table's operations (public for the C trampolines)
    int32_t RunModal(const LumistraDialogEvents* events);
    void SetItemText(int32_t id, const char* text);
    int32_t GetItemText(int32_t id, char* buffer, int32_t capacity);
    void SetSliderRange(int32_t id, int32_t minimum, int32_t maximum);
    void SetSliderPageSize(int32_t id, int32_t size) { SetSliderIncrements(id, -1, size); }
    void SetSliderLineSize(int32_t id, int32_t size) { SetSliderIncrements(id, size, -1); }
    void SetSliderTickFrequency(int32_t id, int32_t frequency);
    void SetSliderPosition(int32_t id, int32_t position);
    void EnableItem(int32_t id, bool enabled);
    void FocusItem(int32_t id);
    void CheckButton(int32_t id, bool checked);
    bool IsButtonChecked(int32_t id);
    void SetCaption(const char* text);
    void StartTimer(int32_t timerId, uint32_t periodMs);
    void KillTimer(int32_t timerId);
    void InvalidateArea(const LumistraViewRect* area);
    bool HasUpdateRegion() const { return updateValid_; }
    void ValidateUpdateRegion() { updateValid_ = false; }
    // The surface the panes are drawn on is the host's view image, which the
    // host's displayPixels finds on its own: the context only marks a paint.
    void* BeginPaint() { return this; }
    void EndPaint() { updateValid_ = false; }
    void FrameBlack(const LumistraViewRect* area);
    bool FrameRed(const LumistraViewRect* area);
    void CaptureMouse();
    void ReleaseMouse();
    intptr_t ShowCursor(int32_t cursor);
    void RestoreCursor(intptr_t previous) { ShowCursor(static_cast<int32_t>(previous)); }
    void EndDialog(int32_t result);
    void ShowErrorMessage(const char* caption, const char* text);
    void ScreenSize(int32_t* width, int32_t* height) const;
    void ClientRect(LumistraViewRect* rect) const;
    void ItemWindowRect(int32_t id, LumistraViewRect* rect) const;
    // The client area's top left corner on the screen.
    LumistraViewPoint Origin() const;
    LumistraViewPoint ScreenToClient(LumistraViewPoint point) const;
    LumistraViewPoint ClientToScreen(LumistraViewPoint point) const;
    bool OpenHelp();

    // ---- GTK's signals (public for the C callbacks)
    void OnButtonClicked(int32_t id, GtkWidget* button);
    void OnEditChanged(int32_t id);
    void OnSliderMoved(int32_t id, GtkScrollType scroll, double value);
    void OnSliderReleased(int32_t id);
    void OnExpose(const GdkRectangle& area);
    void OnPointer(GdkEventType type, const GdkEventButton* button, const GdkEventMotion* motion);
    void OnTimer(int32_t timerId);
    void OnCloseRequest();

private:
    void SetSliderIncrements(int32_t id, int32_t line, int32_t page);
    void BuildWindow();
    void FrameOnSurface(const LumistraViewRect& area, uint8_t red);
    void DrawSurface(const LumistraViewRect& area);
    GtkWidget* Widget(int32_t id) const;

    HostViewImage& surface_;
    std::string helpPage_;
    LumistraDialogView table_{};
    const LumistraDialogEvents* events_ = nullptr;

    GtkWidget* window_ = nullptr;
    GtkWidget* client_ = nullptr;  // the fixed container: the client area
    std::map<int32_t, GtkWidget*> widgets_;
    std::map<int32_t, guint> timers_;
    // Set while the view itself changes a control, whose signals are then no
    // user action.
    bool updating_ = false;
    bool updateValid_ = false;
    LumistraViewRect update_{};
    std::map<int32_t, LumistraViewRect> paneFrames_;
    bool captured_ = false;
    int32_t cursor_ = 0;
    bool ended_ = false;
    bool looping_ = false;
    int32_t result_ = 0;
};
