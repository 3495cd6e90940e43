#include "gimp/gtk2/gtk2_dialog_view.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "app/dialog_view_table.h"
#include "gimp/dialog_layout.h"
#include "ui/dialog_controls.h"
#include "ui/dialog_view.h"

namespace {

// What a trackbar tells its owner for each of GTK's ways of moving a scale.
int32_t TrackCodeOf(GtkScrollType scroll) {
    switch (scroll) {
        case GTK_SCROLL_STEP_BACKWARD:
        case GTK_SCROLL_STEP_LEFT:
        case GTK_SCROLL_STEP_UP:
            return kTrackLineUp;
        case GTK_SCROLL_STEP_FORWARD:
        case GTK_SCROLL_STEP_RIGHT:
        case GTK_SCROLL_STEP_DOWN:
            return kTrackLineDown;
        case GTK_SCROLL_PAGE_BACKWARD:
        case GTK_SCROLL_PAGE_LEFT:
        case GTK_SCROLL_PAGE_UP:
            return kTrackPageUp;
        case GTK_SCROLL_PAGE_FORWARD:
        case GTK_SCROLL_PAGE_RIGHT:
        case GTK_SCROLL_PAGE_DOWN:
            return kTrackPageDown;
        case GTK_SCROLL_START:
            return kTrackTop;
        case GTK_SCROLL_END:
            return kTrackBottom;
        default:
            return kTrackThumbTrack;
    }
}

// The template marks mnemonics with '&', GTK with '_'.
std::string MnemonicText(const char* text) {
    std::string converted = text;
    std::replace(converted.begin(), converted.end(), '&', '_');
    return converted;
}

GdkCursor* CursorFor(int32_t cursor) {
    GdkDisplay* display = gdk_display_get_default();
    const auto named = [display](const char* name, GdkCursorType fallback) {
        GdkCursor* themed = gdk_cursor_new_from_name(display, name);
        return themed != nullptr ? themed : gdk_cursor_new_for_display(display, fallback);
    };
    switch (static_cast<CursorKind>(cursor)) {
        case CursorKind::OpenHand:
            return named("openhand", GDK_HAND1);
        case CursorKind::ClosedHand:
            return named("closedhand", GDK_FLEUR);
        case CursorKind::PointingHand:
            return gdk_cursor_new_for_display(display, GDK_HAND2);
        case CursorKind::AppStarting:
            return named("left_ptr_watch", GDK_WATCH);
        case CursorKind::HostClassCursor:
            break;
    }
    return nullptr;  // the window's own
}

struct SignalTarget {
    Gtk2DialogView* view;
    int32_t id;
};

int32_t IdOf(gpointer data) { return static_cast<int32_t>(GPOINTER_TO_INT(data)); }

// ---- GTK's C callbacks: each hands its signal to the view.

void ButtonClicked(GtkWidget* button, gpointer data) {
    auto* view = static_cast<Gtk2DialogView*>(g_object_get_data(G_OBJECT(button), "view"));
    view->OnButtonClicked(IdOf(data), button);
}

void EditChanged(GtkEditable* edit, gpointer data) {
    auto* view = static_cast<Gtk2DialogView*>(g_object_get_data(G_OBJECT(edit), "view"));
    view->OnEditChanged(IdOf(data));
}

// The edits take digits only, as the template's number fields do.
void EditInsertText(GtkEditable* edit, gchar* text, gint length, gint*, gpointer) {
    const std::size_t count = length < 0 ? std::strlen(text) : static_cast<std::size_t>(length);
    if (std::all_of(text, text + count, [](char c) { return c >= '0' && c <= '9'; })) return;
    gdk_beep();
    g_signal_stop_emission_by_name(edit, "insert-text");
}

gboolean SliderChangeValue(GtkRange* range, GtkScrollType scroll, gdouble value, gpointer data) {
    auto* view = static_cast<Gtk2DialogView*>(g_object_get_data(G_OBJECT(range), "view"));
    view->OnSliderMoved(IdOf(data), scroll, value);
    return TRUE;
}

gboolean SliderReleased(GtkWidget* slider, GdkEvent*, gpointer data) {
    auto* view = static_cast<Gtk2DialogView*>(g_object_get_data(G_OBJECT(slider), "view"));
    view->OnSliderReleased(IdOf(data));
    return FALSE;
}

gboolean ClientExposed(GtkWidget*, GdkEventExpose* event, gpointer data) {
    static_cast<Gtk2DialogView*>(data)->OnExpose(event->area);
    return FALSE;  // the controls draw themselves afterwards
}

gboolean ClientButton(GtkWidget*, GdkEventButton* event, gpointer data) {
    static_cast<Gtk2DialogView*>(data)->OnPointer(event->type, event, nullptr);
    return TRUE;
}

gboolean ClientMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    static_cast<Gtk2DialogView*>(data)->OnPointer(event->type, nullptr, event);
    return TRUE;
}

gboolean WindowDelete(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<Gtk2DialogView*>(data)->OnCloseRequest();
    return TRUE;  // the dialog decides when the window goes
}

gboolean WindowKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    if (event->keyval != GDK_KEY_Escape) return FALSE;
    static_cast<Gtk2DialogView*>(data)->OnCloseRequest();
    return TRUE;
}

// The font for the widget and everything inside it.
void UseFont(GtkWidget* widget, gpointer font) {
    gtk_widget_modify_font(widget, static_cast<PangoFontDescription*>(font));
    if (GTK_IS_CONTAINER(widget)) gtk_container_forall(GTK_CONTAINER(widget), UseFont, font);
}

gboolean TimerFired(gpointer data) {
    auto* target = static_cast<SignalTarget*>(data);
    target->view->OnTimer(target->id);
    return TRUE;
}

}  // namespace

Gtk2DialogView::Gtk2DialogView(HostViewImage& surface, std::string helpPage)
    : surface_(surface), helpPage_(std::move(helpPage)), table_(MakeDialogViewTable(this)) {}

Gtk2DialogView::~Gtk2DialogView() {
    for (const auto& timer : timers_) g_source_remove(timer.second);
    if (window_ != nullptr) gtk_widget_destroy(window_);
}

GtkWidget* Gtk2DialogView::Widget(int32_t id) const {
    const auto found = widgets_.find(id);
    return found == widgets_.end() ? nullptr : found->second;
}

void Gtk2DialogView::BuildWindow() {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
    gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
    g_signal_connect(window_, "delete-event", G_CALLBACK(WindowDelete), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(WindowKey), this);

    client_ = gtk_fixed_new();
    // A window of its own, so that the panes and the mouse messages are the
    // client area's and not the toplevel's.
    gtk_widget_set_has_window(client_, TRUE);
    gtk_widget_set_size_request(client_, kDialogClientWidth, kDialogClientHeight);
    gtk_widget_add_events(client_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                       GDK_POINTER_MOTION_MASK | GDK_EXPOSURE_MASK);
    g_signal_connect(client_, "expose-event", G_CALLBACK(ClientExposed), this);
    g_signal_connect(client_, "button-press-event", G_CALLBACK(ClientButton), this);
    g_signal_connect(client_, "button-release-event", G_CALLBACK(ClientButton), this);
    g_signal_connect(client_, "motion-notify-event", G_CALLBACK(ClientMotion), this);
    gtk_container_add(GTK_CONTAINER(window_), client_);

    GSList* radioGroup = nullptr;
    for (const DialogItem& item : DialogItems()) {
        const gpointer id = GINT_TO_POINTER(item.id);
        GtkWidget* widget = nullptr;
        switch (item.kind) {
            case DialogItemKind::kButton:
            case DialogItemKind::kDefaultButton:
                widget = gtk_button_new_with_mnemonic(MnemonicText(item.text).c_str());
                g_signal_connect(widget, "clicked", G_CALLBACK(ButtonClicked), id);
                break;
            case DialogItemKind::kRadio:
                widget =
                    gtk_radio_button_new_with_mnemonic(radioGroup, MnemonicText(item.text).c_str());
                radioGroup = gtk_radio_button_get_group(GTK_RADIO_BUTTON(widget));
                g_signal_connect(widget, "clicked", G_CALLBACK(ButtonClicked), id);
                break;
            case DialogItemKind::kSlider:
                widget = gtk_hscale_new_with_range(0, 100, 1);
                gtk_scale_set_draw_value(GTK_SCALE(widget), FALSE);
                g_signal_connect(widget, "change-value", G_CALLBACK(SliderChangeValue), id);
                g_signal_connect(widget, "button-release-event", G_CALLBACK(SliderReleased), id);
                g_signal_connect(widget, "key-release-event", G_CALLBACK(SliderReleased), id);
                break;
            case DialogItemKind::kEdit:
                widget = gtk_entry_new();
                gtk_entry_set_alignment(GTK_ENTRY(widget), 0.5f);
                gtk_entry_set_width_chars(GTK_ENTRY(widget), 3);
                gtk_entry_set_activates_default(GTK_ENTRY(widget), TRUE);
                g_signal_connect(widget, "insert-text", G_CALLBACK(EditInsertText), nullptr);
                g_signal_connect(widget, "changed", G_CALLBACK(EditChanged), id);
                break;
            case DialogItemKind::kLabelLeft:
            case DialogItemKind::kLabelCentre:
            case DialogItemKind::kLabelRight: {
                widget = gtk_label_new(item.text);
                const float across = item.kind == DialogItemKind::kLabelLeft    ? 0.0f
                                     : item.kind == DialogItemKind::kLabelRight ? 1.0f
                                                                                : 0.5f;
                gtk_misc_set_alignment(GTK_MISC(widget), across, 0.0f);
                gtk_label_set_justify(GTK_LABEL(widget), item.kind == DialogItemKind::kLabelRight
                                                             ? GTK_JUSTIFY_RIGHT
                                                             : GTK_JUSTIFY_CENTER);
                gtk_label_set_line_wrap(GTK_LABEL(widget), TRUE);
                break;
            }
            case DialogItemKind::kFramedLabel: {
                widget = gtk_frame_new(nullptr);
                gtk_frame_set_shadow_type(GTK_FRAME(widget), GTK_SHADOW_IN);
                GtkWidget* label = gtk_label_new(item.text);
                gtk_container_add(GTK_CONTAINER(widget), label);
                // The text belongs to the label inside.
                if (item.id != kStaticItem) widgets_[item.id] = label;
                break;
            }
            case DialogItemKind::kGroup:
                widget = gtk_frame_new(item.text);
                break;
            case DialogItemKind::kPane:
                continue;  // drawn from the surface, no widget of its own
        }
        g_object_set_data(G_OBJECT(widget), "view", this);
        gtk_widget_set_size_request(widget, item.rect.right - item.rect.left,
                                    item.rect.bottom - item.rect.top);
        gtk_fixed_put(GTK_FIXED(client_), widget, item.rect.left, item.rect.top);
        if (item.id != kStaticItem && widgets_.count(item.id) == 0) widgets_[item.id] = widget;
        if (item.kind == DialogItemKind::kDefaultButton) {
            gtk_widget_set_can_default(widget, TRUE);
            gtk_window_set_default(GTK_WINDOW(window_), widget);
        }
    }
    // The template's rectangles are made for its small font; the desktop's
    // usual one (or GIMP's theme) would not fit them.
    PangoFontDescription* font = pango_font_description_from_string("Sans 7");
    UseFont(client_, font);
    pango_font_description_free(font);
    gtk_widget_realize(window_);
}

int32_t Gtk2DialogView::RunModal(const LumistraDialogEvents* events) {
    if (events == nullptr || events->size < sizeof(LumistraDialogEvents) || window_ != nullptr) {
        return -1;
    }
    BuildWindow();
    events_ = events;
    ended_ = false;
    result_ = 0;
    events_->initDialog(events_->dialog);
    if (!ended_) {
        gtk_widget_show_all(window_);
        if (shown) shown(window_);
        looping_ = true;
        gtk_main();
        looping_ = false;
    }
    if (captured_) ReleaseMouse();
    for (const auto& timer : timers_) g_source_remove(timer.second);
    timers_.clear();
    events_ = nullptr;
    gtk_widget_destroy(window_);
    window_ = nullptr;
    client_ = nullptr;
    widgets_.clear();
    paneFrames_.clear();
    return result_;
}

void Gtk2DialogView::SetItemText(int32_t id, const char* text) {
    GtkWidget* widget = Widget(id);
    const char* newText = text != nullptr ? text : "";
    if (widget == nullptr) return;
    if (GTK_IS_ENTRY(widget)) {
        updating_ = true;
        gtk_entry_set_text(GTK_ENTRY(widget), newText);
        updating_ = false;
        // A window's edit tells of a new text once, even of the same text.
        if (events_ != nullptr) events_->command(events_->dialog, id, kEditChanged);
    } else if (GTK_IS_LABEL(widget)) {
        gtk_label_set_text(GTK_LABEL(widget), newText);
    } else if (GTK_IS_BUTTON(widget)) {
        gtk_button_set_label(GTK_BUTTON(widget), MnemonicText(newText).c_str());
    }
}

int32_t Gtk2DialogView::GetItemText(int32_t id, char* buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return 0;
    GtkWidget* widget = Widget(id);
    const char* text = widget == nullptr       ? ""
                       : GTK_IS_ENTRY(widget)  ? gtk_entry_get_text(GTK_ENTRY(widget))
                       : GTK_IS_LABEL(widget)  ? gtk_label_get_text(GTK_LABEL(widget))
                       : GTK_IS_BUTTON(widget) ? gtk_button_get_label(GTK_BUTTON(widget))
                                               : "";
    const std::size_t length = std::min(std::strlen(text), static_cast<std::size_t>(capacity - 1));
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<int32_t>(length);
}

void Gtk2DialogView::SetSliderRange(int32_t id, int32_t minimum, int32_t maximum) {
    GtkWidget* widget = Widget(id);
    if (widget == nullptr || !GTK_IS_RANGE(widget)) return;
    updating_ = true;
    gtk_range_set_range(GTK_RANGE(widget), minimum, std::max(minimum + 1, maximum));
    updating_ = false;
}

void Gtk2DialogView::SetSliderIncrements(int32_t id, int32_t line, int32_t page) {
    GtkWidget* widget = Widget(id);
    if (widget == nullptr || !GTK_IS_RANGE(widget)) return;
    GtkAdjustment* adjustment = gtk_range_get_adjustment(GTK_RANGE(widget));
    gtk_range_set_increments(GTK_RANGE(widget),
                             line >= 0 ? line : gtk_adjustment_get_step_increment(adjustment),
                             page >= 0 ? page : gtk_adjustment_get_page_increment(adjustment));
}

void Gtk2DialogView::SetSliderTickFrequency(int32_t id, int32_t frequency) {
    GtkWidget* widget = Widget(id);
    if (widget == nullptr || !GTK_IS_SCALE(widget) || frequency <= 0) return;
    GtkAdjustment* adjustment = gtk_range_get_adjustment(GTK_RANGE(widget));
    gtk_scale_clear_marks(GTK_SCALE(widget));
    const double upper = gtk_adjustment_get_upper(adjustment);
    for (double tick = gtk_adjustment_get_lower(adjustment); tick <= upper; tick += frequency) {
        gtk_scale_add_mark(GTK_SCALE(widget), tick, GTK_POS_BOTTOM, nullptr);
    }
}

void Gtk2DialogView::SetSliderPosition(int32_t id, int32_t position) {
    GtkWidget* widget = Widget(id);
    if (widget == nullptr || !GTK_IS_RANGE(widget)) return;
    updating_ = true;
    gtk_range_set_value(GTK_RANGE(widget), position);
    updating_ = false;
}

int32_t Gtk2DialogView::SliderPosition(int32_t id) const {
    GtkWidget* widget = Widget(id);
    if (widget == nullptr || !GTK_IS_RANGE(widget)) return 0;
    return static_cast<int32_t>(std::lround(gtk_range_get_value(GTK_RANGE(widget))));
}

void Gtk2DialogView::EnableItem(int32_t id, bool enabled) {
    if (GtkWidget* widget = Widget(id)) gtk_widget_set_sensitive(widget, enabled);
}

void Gtk2DialogView::FocusItem(int32_t id) {
    if (GtkWidget* widget = Widget(id)) gtk_widget_grab_focus(widget);
}

void Gtk2DialogView::CheckButton(int32_t id, bool checked) {
    GtkWidget* widget = Widget(id);
    if (widget == nullptr || !GTK_IS_TOGGLE_BUTTON(widget)) return;
    updating_ = true;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), checked);
    updating_ = false;
}

bool Gtk2DialogView::IsButtonChecked(int32_t id) {
    GtkWidget* widget = Widget(id);
    return widget != nullptr && GTK_IS_TOGGLE_BUTTON(widget) &&
           gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget));
}

void Gtk2DialogView::SetCaption(const char* text) {
    if (window_ != nullptr) gtk_window_set_title(GTK_WINDOW(window_), text != nullptr ? text : "");
}

void Gtk2DialogView::StartTimer(int32_t timerId, uint32_t periodMs) {
    KillTimer(timerId);
    // The target lives as long as the source, which frees it.
    auto* target = new SignalTarget{this, timerId};
    timers_[timerId] =
        g_timeout_add_full(G_PRIORITY_DEFAULT, periodMs, TimerFired, target,
                           [](gpointer data) { delete static_cast<SignalTarget*>(data); });
}

void Gtk2DialogView::KillTimer(int32_t timerId) {
    const auto found = timers_.find(timerId);
    if (found == timers_.end()) return;
    g_source_remove(found->second);
    timers_.erase(found);
}

void Gtk2DialogView::InvalidateArea(const LumistraViewRect* changed) {
    if (changed == nullptr) return;
    const LumistraViewRect& area = *changed;
    if (area.left >= area.right || area.top >= area.bottom) return;
    update_ = !updateValid_
                  ? area
                  : LumistraViewRect{
                        std::min(update_.left, area.left), std::min(update_.top, area.top),
                        std::max(update_.right, area.right), std::max(update_.bottom, area.bottom)};
    updateValid_ = true;
    if (client_ != nullptr) {
        gtk_widget_queue_draw_area(client_, area.left, area.top, area.right - area.left,
                                   area.bottom - area.top);
    }
}

void Gtk2DialogView::FrameOnSurface(const LumistraViewRect& area, uint8_t red) {
    surface_.DrawFrame(area.left, area.top, area.right, area.bottom, red);
}

void Gtk2DialogView::FrameBlack(const LumistraViewRect* framed) {
    if (framed == nullptr) return;
    const LumistraViewRect& area = *framed;
    FrameOnSurface(area, 0);
    const LumistraViewPoint centre = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    for (int32_t pane : {kPreviewPlaceholder, kNavigatorPlaceholder}) {
        const LumistraViewRect& placeholder = FindDialogItem(pane)->rect;
        if (centre.x >= placeholder.left && centre.x < placeholder.right &&
            centre.y >= placeholder.top && centre.y < placeholder.bottom) {
            paneFrames_[pane] = area;
        }
    }
}

bool Gtk2DialogView::FrameRed(const LumistraViewRect* area) {
    if (area == nullptr || client_ == nullptr || !gtk_widget_get_realized(client_)) return false;
    FrameOnSurface(*area, 255);
    DrawSurface(*area);
    return true;
}

void Gtk2DialogView::DrawSurface(const LumistraViewRect& area) {
    const int32_t left = std::max(area.left, 0);
    const int32_t top = std::max(area.top, 0);
    const int32_t right = std::min(area.right, surface_.width());
    const int32_t bottom = std::min(area.bottom, surface_.height());
    if (left >= right || top >= bottom || !gtk_widget_get_realized(client_)) return;
    const int rowBytes = surface_.width() * 3;
    const guchar* first = surface_.rgb().data() + top * rowBytes + left * 3;
    gdk_draw_rgb_image(gtk_widget_get_window(client_), client_->style->black_gc, left, top,
                       right - left, bottom - top, GDK_RGB_DITHER_NONE, first, rowBytes);
}

void Gtk2DialogView::OnExpose(const GdkRectangle& area) {
    if (updateValid_ && events_ != nullptr) events_->paint(events_->dialog);
    for (const auto& frame : paneFrames_) {
        const LumistraViewRect& pane = frame.second;
        DrawSurface({std::max(pane.left, area.x), std::max(pane.top, area.y),
                     std::min(pane.right, area.x + area.width),
                     std::min(pane.bottom, area.y + area.height)});
    }
}

void Gtk2DialogView::CaptureMouse() {
    if (client_ == nullptr || !gtk_widget_get_realized(client_)) return;
    const GdkEventMask mask = static_cast<GdkEventMask>(
        GDK_POINTER_MOTION_MASK | GDK_BUTTON_RELEASE_MASK | GDK_BUTTON_PRESS_MASK);
    captured_ = gdk_pointer_grab(gtk_widget_get_window(client_), FALSE, mask, nullptr, nullptr,
                                 GDK_CURRENT_TIME) == GDK_GRAB_SUCCESS;
}

void Gtk2DialogView::ReleaseMouse() {
    if (captured_) gdk_pointer_ungrab(GDK_CURRENT_TIME);
    captured_ = false;
}

intptr_t Gtk2DialogView::ShowCursor(int32_t cursor) {
    const int32_t previous = cursor_;
    cursor_ = cursor;
    if (client_ != nullptr && gtk_widget_get_realized(client_)) {
        GdkCursor* shape = CursorFor(cursor);
        gdk_window_set_cursor(gtk_widget_get_window(client_), shape);
        if (shape != nullptr) gdk_cursor_unref(shape);
    }
    return previous;
}

void Gtk2DialogView::EndDialog(int32_t result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
    if (looping_) gtk_main_quit();
}

void Gtk2DialogView::ShowErrorMessage(const char* caption, const char* text) {
    GtkWidget* box = gtk_message_dialog_new(window_ != nullptr ? GTK_WINDOW(window_) : nullptr,
                                            GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK,
                                            "%s", text != nullptr ? text : "");
    gtk_window_set_title(GTK_WINDOW(box), caption != nullptr ? caption : "");
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
}

void Gtk2DialogView::ScreenSize(int32_t* width, int32_t* height) const {
    if (width != nullptr) *width = gdk_screen_width();
    if (height != nullptr) *height = gdk_screen_height();
}

LumistraViewPoint Gtk2DialogView::Origin() const {
    if (client_ != nullptr && gtk_widget_get_realized(client_)) {
        gint x = 0;
        gint y = 0;
        gdk_window_get_origin(gtk_widget_get_window(client_), &x, &y);
        return {x, y};
    }
    return {(gdk_screen_width() - kDialogClientWidth) / 2,
            (gdk_screen_height() - kDialogClientHeight) / 2};
}

void Gtk2DialogView::ClientRect(LumistraViewRect* rect) const {
    if (rect != nullptr) *rect = {0, 0, kDialogClientWidth, kDialogClientHeight};
}

LumistraViewPoint Gtk2DialogView::ScreenToClient(LumistraViewPoint point) const {
    const LumistraViewPoint origin = Origin();
    return {point.x - origin.x, point.y - origin.y};
}

LumistraViewPoint Gtk2DialogView::ClientToScreen(LumistraViewPoint point) const {
    const LumistraViewPoint origin = Origin();
    return {point.x + origin.x, point.y + origin.y};
}

void Gtk2DialogView::ItemWindowRect(int32_t id, LumistraViewRect* rect) const {
    if (rect == nullptr) return;
    const DialogItem* item = FindDialogItem(id);
    const LumistraViewRect client = item != nullptr ? item->rect : LumistraViewRect{};
    const LumistraViewPoint origin = Origin();
    *rect = {client.left + origin.x, client.top + origin.y, client.right + origin.x,
             client.bottom + origin.y};
}

bool Gtk2DialogView::OpenHelp() {
    GError* error = nullptr;
    gchar* address =
        helpPage_.empty() ? nullptr : g_filename_to_uri(helpPage_.c_str(), nullptr, &error);
    const bool opened = address != nullptr &&
                        g_file_test(helpPage_.c_str(), G_FILE_TEST_IS_REGULAR) &&
                        gtk_show_uri(nullptr, address, GDK_CURRENT_TIME, &error);
    g_free(address);
    if (!opened) {
        const std::string reason = error != nullptr ? error->message : "the page is missing";
        ShowErrorMessage(kErrorCaption,
                         ("The help page " + helpPage_ + " cannot be opened: " + reason).c_str());
    }
    if (error != nullptr) g_error_free(error);
    return opened;
}

void Gtk2DialogView::OnButtonClicked(int32_t id, GtkWidget* button) {
    if (updating_ || events_ == nullptr) return;
    // A radio button that a click in its group turned off is not the one clicked.
    if (GTK_IS_RADIO_BUTTON(button) && !gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button))) {
        return;
    }
    events_->command(events_->dialog, id, kButtonClicked);
}

void Gtk2DialogView::OnEditChanged(int32_t id) {
    if (updating_ || events_ == nullptr) return;
    events_->command(events_->dialog, id, kEditChanged);
}

void Gtk2DialogView::OnSliderMoved(int32_t id, GtkScrollType scroll, double value) {
    GtkWidget* widget = Widget(id);
    if (events_ == nullptr || widget == nullptr) return;
    GtkAdjustment* adjustment = gtk_range_get_adjustment(GTK_RANGE(widget));
    const double limited = std::clamp(value, gtk_adjustment_get_lower(adjustment),
                                      gtk_adjustment_get_upper(adjustment));
    const int32_t position = static_cast<int32_t>(std::lround(limited));
    // The trackbar moves itself before it tells its owner.
    SetSliderPosition(id, position);
    events_->sliderScroll(events_->dialog, id, TrackCodeOf(scroll), position);
}

void Gtk2DialogView::OnSliderReleased(int32_t id) {
    GtkWidget* widget = Widget(id);
    if (events_ == nullptr || widget == nullptr) return;
    const int32_t position =
        static_cast<int32_t>(std::lround(gtk_range_get_value(GTK_RANGE(widget))));
    events_->sliderScroll(events_->dialog, id, kTrackThumbPosition, position);
    if (events_ != nullptr) events_->sliderScroll(events_->dialog, id, kTrackEndTrack, position);
}

void Gtk2DialogView::OnPointer(GdkEventType type, const GdkEventButton* button,
                               const GdkEventMotion* motion) {
    if (events_ == nullptr) return;
    void* dialog = events_->dialog;
    if (button != nullptr) {
        if (button->button != 1) return;
        const LumistraViewPoint point = {static_cast<int32_t>(button->x),
                                         static_cast<int32_t>(button->y)};
        if (type == GDK_BUTTON_PRESS) {
            events_->setCursor(dialog);
            events_->leftButtonDown(dialog, point);
        } else if (type == GDK_BUTTON_RELEASE) {
            events_->leftButtonUp(dialog, point);
        }
        return;
    }
    const LumistraViewPoint point = {static_cast<int32_t>(motion->x),
                                     static_cast<int32_t>(motion->y)};
    // A window with the capture gets no cursor message of its own.
    if (!captured_) events_->setCursor(dialog);
    const uint32_t keys = (motion->state & GDK_BUTTON1_MASK) != 0 ? kMouseLeftButton : 0;
    if (events_ != nullptr) events_->mouseMove(dialog, point, keys);
}

void Gtk2DialogView::OnTimer(int32_t timerId) {
    if (events_ != nullptr && !ended_) events_->timer(events_->dialog, timerId);
}

void Gtk2DialogView::OnCloseRequest() {
    // The close box and Escape cancel, as the dialog's own Cancel does.
    if (events_ != nullptr && !ended_) events_->command(events_->dialog, kCancelButton, 0);
}
