// lumistra-gtk-dialog: the plug-in's preview dialog on its own, drawn by the
// GTK 2 dialog view on the generated sample photo, for a person or xdotool to
// use. It writes into the output folder:
//   ready         once the dialog is shown: the client area's screen origin
//                 ("origin X Y") and each control's screen rectangle
//                 ("item ID LEFT TOP RIGHT BOTTOM")
//   snap-N.png    on each SIGUSR1: the dialog window as the screen shows it
//   snap-N.state  the controls' state then ("NAME VALUE" lines), and in how
//                 many pixels each pane on the screen differs from what the
//                 plug-in handed to displayPixels
//   result.state  once the dialog ended: the run's result, recorded values
//                 and what the host still held
//
//   lumistra-gtk-dialog --out DIR [--values H,S,C] [--size W,H]
#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "app/cli/strict_number.h"
#include "app/filter_host.h"
#include "app/plugin_module.h"
#include "gimp/dialog_layout.h"
#include "gimp/gtk2/gtk2_dialog_view.h"
#include "resources/plugin_identity.h"
#include "tools/sample_image/sample_image.h"
#include "ui/dialog_controls.h"

namespace {

struct Options {
    std::string out;
    bool valuesGiven = false;
    int32_t values[3] = {};
    int32_t width = 1200;
    int32_t height = 800;
};

bool ParseNumbers(const std::string& text, int32_t* numbers, int count) {
    std::size_t start = 0;
    for (int k = 0; k < count; ++k) {
        const std::size_t comma = text.find(',', start);
        const bool last = k == count - 1;
        if (last != (comma == std::string::npos)) return false;
        const std::string part = text.substr(start, last ? std::string::npos : comma - start);
        if (!lumistra::ParseInt32(part, numbers[k]).empty()) return false;
        start = comma + 1;
    }
    return true;
}

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--out") {
            options->out = value;
        } else if (option == "--values") {
            if (!ParseNumbers(value, options->values, 3)) return false;
            options->valuesGiven = true;
        } else if (option == "--size") {
            int32_t size[2] = {};
            if (!ParseNumbers(value, size, 2) || !Document::IsValidSize(size[0], size[1])) {
                return false;
            }
            options->width = size[0];
            options->height = size[1];
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && !options->out.empty();
}

Document SamplePhoto(int32_t width, int32_t height) {
    Document document(ColourMode::kRgb, width, height);
    for (int plane = 0; plane < 3; ++plane) {
        const std::vector<uint8_t> samples = lumistra::MakeSamplePlane(
            uint32_t(width), uint32_t(height), static_cast<lumistra::SampleChannel>(plane));
        document.Plane(plane).assign(samples.begin(), samples.end());
    }
    return document;
}

struct Session {
    Options options;
    Gtk2DialogView* view = nullptr;
    HostViewImage* surface = nullptr;
    int snapshots = 0;
};

// The pixels inside a pane's frame on the screen against the surface the
// plug-in drew into.
std::size_t PaneMismatches(GdkPixbuf* screen, const HostViewImage& surface,
                           const LumistraViewRect& frame) {
    const int rowBytes = gdk_pixbuf_get_rowstride(screen);
    const int channels = gdk_pixbuf_get_n_channels(screen);
    const guchar* pixels = gdk_pixbuf_get_pixels(screen);
    std::size_t mismatches = 0;
    for (int32_t y = frame.top; y < frame.bottom; ++y) {
        for (int32_t x = frame.left; x < frame.right; ++x) {
            const guchar* shown = pixels + y * rowBytes + x * channels;
            const std::array<uint8_t, 3> drawn = surface.At(x, y);
            mismatches += shown[0] != drawn[0] || shown[1] != drawn[1] || shown[2] != drawn[2];
        }
    }
    return mismatches;
}

gboolean TakeSnapshot(gpointer data) {
    Session& session = *static_cast<Session*>(data);
    GtkWidget* client = session.view->client();
    if (client == nullptr) return TRUE;
    gdk_window_process_all_updates();
    gdk_flush();
    const std::string stem = session.options.out + "/snap-" + std::to_string(++session.snapshots);
    GdkPixbuf* screen =
        gdk_pixbuf_get_from_drawable(nullptr, gtk_widget_get_window(client), nullptr, 0, 0, 0, 0,
                                     kDialogClientWidth, kDialogClientHeight);
    std::ofstream state(stem + ".tmp");
    const LumistraDialogView& table = *session.view->Table();
    const auto text = [&](int32_t id) {
        char buffer[64] = {};
        table.getItemText(table.host, id, buffer, sizeof(buffer));
        return std::string(buffer);
    };
    for (const auto& [name, edit, slider] :
         {std::tuple{"highlight", kHighlightEdit, kHighlightSlider},
          std::tuple{"shadow", kShadowEdit, kShadowSlider},
          std::tuple{"clarity", kClarityEdit, kClaritySlider}}) {
        state << name << ".edit " << text(edit) << "\n";
        state << name << ".slider " << session.view->SliderPosition(slider) << "\n";
    }
    state << "zoom " << text(kZoomLabel) << "\n";
    state << "before " << table.isButtonChecked(table.host, kBeforeRadio) << "\n";
    state << "after " << table.isButtonChecked(table.host, kAfterRadio) << "\n";
    for (const auto& [pane, frame] : session.view->paneFrames()) {
        const char* name = pane == kPreviewPlaceholder ? "preview" : "navigator";
        state << name << ".mismatches "
              << (screen != nullptr ? PaneMismatches(screen, *session.surface, frame) : 0) << "\n";
    }
    if (screen != nullptr) {
        gdk_pixbuf_save(screen, (stem + ".png").c_str(), "png", nullptr, nullptr);
        g_object_unref(screen);
    }
    state.close();
    // Whoever waits for the state finds it complete.
    std::rename((stem + ".tmp").c_str(), (stem + ".state").c_str());
    return TRUE;
}

// Where the controls are on the screen, for whoever drives the dialog.
gboolean AnnounceReady(gpointer data) {
    Session& session = *static_cast<Session*>(data);
    const LumistraViewPoint origin = session.view->Origin();
    std::ofstream ready(session.options.out + "/ready.tmp");
    ready << "origin " << origin.x << " " << origin.y << "\n";
    for (const DialogItem& item : DialogItems()) {
        if (item.id == kStaticItem) continue;
        ready << "item " << item.id << " " << origin.x + item.rect.left << " "
              << origin.y + item.rect.top << " " << origin.x + item.rect.right << " "
              << origin.y + item.rect.bottom << "\n";
    }
    ready.close();
    std::rename((session.options.out + "/ready.tmp").c_str(),
                (session.options.out + "/ready").c_str());
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    Session session;
    if (!ParseOptions(argc, argv, &session.options)) {
        std::fprintf(stderr,
                     "usage: lumistra-gtk-dialog --out DIR [--values H,S,C] [--size W,H]\n");
        return 2;
    }
    g_mkdir_with_parents(session.options.out.c_str(), 0777);
    std::string error;
    const std::unique_ptr<PluginModule> module =
        PluginModule::Load(LUMISTRA_GTK_DIALOG_MODULE, &error);
    if (!module) {
        std::fprintf(stderr, "lumistra-gtk-dialog: %s\n", error.c_str());
        return 1;
    }
    Document document = SamplePhoto(session.options.width, session.options.height);
    HostOptions hostOptions;
    hostOptions.viewWidth = kDialogClientWidth;
    hostOptions.viewHeight = kDialogClientHeight;
    FilterHost host(*module, document, hostOptions);
    Gtk2DialogView view(host.viewImage(), {});
    session.view = &view;
    session.surface = &host.viewImage();
    // The window is mapped and drawn a moment after it is shown.
    view.shown = [&](GtkWidget*) { g_timeout_add(500, AnnounceReady, &session); };
    g_unix_signal_add(SIGUSR1, TakeSnapshot, &session);
    host.SetPlatformWindow(reinterpret_cast<intptr_t>(view.Table()));

    InvocationOptions invocation;
    if (session.options.valuesGiven) {
        // Values to open with travel as a recorded action that asks for the dialog.
        const int32_t* values = session.options.values;
        invocation.replay = Descriptor{{keyNoiseHighAmount, double(values[0])},
                                       {keyNoiseLowAmount, double(values[1])},
                                       {keyClarityAmount, double(values[2])}};
    }
    const InvocationReport report = host.Invoke(invocation);
    std::ofstream result(session.options.out + "/result.state");
    result << "result " << report.result << "\n";
    result << "imageChanged " << report.imageChanged << "\n";
    if (report.recorded) {
        for (const auto& [name, key] :
             {std::pair{"highlight", keyNoiseHighAmount}, std::pair{"shadow", keyNoiseLowAmount},
              std::pair{"clarity", keyClarityAmount}}) {
            result << "recorded." << name << " " << report.recorded->GetFloat(key).value_or(-1)
                   << "\n";
        }
    }
    const HostLeaks leaks = host.Leaks();
    result << "hostLeaks " << (leaks.None() ? "none" : leaks.Describe()) << "\n";
    return 0;
}
