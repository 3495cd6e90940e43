// lumistra-gimp: GIMP 2.10's procedure plug-in-lumistra, under Filters >
// Enhance. It loads the LUMISTRA filter module that lies beside it and drives
// it through the host library, as the command-line tool does.
#include <libgimp/gimp.h>
#include <libgimp/gimpui.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "app/plugin_module.h"
#include "gimp/drawable_filter.h"

namespace {

constexpr char kProcedureName[] = "plug-in-lumistra";
constexpr gint kValueCount = 3;
constexpr gint kParameterCount = 3 + kValueCount;
constexpr int32_t kHighestValue = 100;

// The module the installation puts beside this program.
std::string ModulePath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : (self.parent_path() / LUMISTRA_PLUGIN_FILE_NAME).string();
}

// Kept in GIMP's folder of the user, beside GIMP's own settings, so that the
// values outlive GIMP's session (GIMP's own store for plug-in data does not).
std::string LastUsedValuesPath() {
    return (std::filesystem::path(gimp_directory()) / "lumistra" / "last-used.json").string();
}

void Query() {
    static const GimpParamDef arguments[] = {
        {GIMP_PDB_INT32, const_cast<gchar*>("run-mode"),
         const_cast<gchar*>("The run mode { RUN-INTERACTIVE (0), RUN-NONINTERACTIVE (1), "
                            "RUN-WITH-LAST-VALS (2) }")},
        {GIMP_PDB_IMAGE, const_cast<gchar*>("image"), const_cast<gchar*>("Input image")},
        {GIMP_PDB_DRAWABLE, const_cast<gchar*>("drawable"), const_cast<gchar*>("Input drawable")},
        {GIMP_PDB_INT32, const_cast<gchar*>("highlight"),
         const_cast<gchar*>("Highlight Noise Reduction (0 to 100)")},
        {GIMP_PDB_INT32, const_cast<gchar*>("shadow"),
         const_cast<gchar*>("Shadow Noise Reduction (0 to 100)")},
        {GIMP_PDB_INT32, const_cast<gchar*>("clarity"),
         const_cast<gchar*>("Clarity (0 to 100): 0 softens, 100 sharpens")},
    };
    gimp_install_procedure(
        kProcedureName, "Reduces noise and film grain in photographs",
        "Filters an RGB layer, or the selection on it, with the LUMISTRA noise-reduction "
        "filter. Highlight and Shadow set how strongly noise is reduced in the bright and "
        "the dark parts of the image, Clarity how much detail is kept. Non-interactive runs "
        "take the three values given; runs with the last values take those of the last run, "
        "also from an earlier GIMP session.",
        "Lumistra developers", "Copyright (C) 2026 Lumistra developers", "2026",
        "LUMISTRA\xE2\x80\xA6", "RGB*", GIMP_PLUGIN, G_N_ELEMENTS(arguments), 0, arguments,
        nullptr);
    gimp_plugin_menu_register(kProcedureName, "<Image>/Filters/Enhance");
}

// The values of a non-interactive call; false when one lies outside 0 to 100.
bool ReadValues(const GimpParam* parameters, std::array<int32_t, 3>* values) {
    for (gint k = 0; k < kValueCount; ++k) {
        const int32_t value = parameters[3 + k].data.d_int32;
        if (value < 0 || value > kHighestValue) return false;
        (*values)[std::size_t(k)] = value;
    }
    return true;
}

void Run(const gchar* /*name*/, gint count, const GimpParam* parameters, gint* returnCount,
         GimpParam** returned) {
    static GimpParam answer[2];
    static std::string message;
    *returned = answer;
    *returnCount = 1;
    answer[0].type = GIMP_PDB_STATUS;
    const auto finish = [&](GimpPDBStatusType status, const std::string& why) {
        answer[0].data.d_status = status;
        if (why.empty()) return;
        message = why;
        answer[1].type = GIMP_PDB_STRING;
        answer[1].data.d_string = const_cast<gchar*>(message.c_str());
        *returnCount = 2;
    };
    if (count < 3) {
        finish(GIMP_PDB_CALLING_ERROR,
               "plug-in-lumistra needs a run mode, an image and a drawable");
        return;
    }
    DrawableFilterRequest request;
    request.image = parameters[1].data.d_image;
    request.drawable = parameters[2].data.d_drawable;
    request.lastUsedPath = LastUsedValuesPath();
    switch (static_cast<GimpRunMode>(parameters[0].data.d_int32)) {
        case GIMP_RUN_INTERACTIVE:
            request.source = ValueSource::kDialog;
            break;
        case GIMP_RUN_NONINTERACTIVE:
            if (count != kParameterCount || !ReadValues(parameters, &request.values)) {
                finish(GIMP_PDB_CALLING_ERROR,
                       "plug-in-lumistra takes highlight, shadow and clarity, each 0 to 100");
                return;
            }
            request.source = ValueSource::kGiven;
            break;
        case GIMP_RUN_WITH_LAST_VALS:
            request.source = ValueSource::kLastUsed;
            break;
        default:
            finish(GIMP_PDB_CALLING_ERROR, "unknown run mode");
            return;
    }

    gegl_init(nullptr, nullptr);
    if (request.source == ValueSource::kDialog) gimp_ui_init("lumistra-gimp", TRUE);
    std::string error;
    const std::string modulePath = ModulePath();
    const std::unique_ptr<PluginModule> module = PluginModule::Load(modulePath, &error);
    if (!module) {
        finish(GIMP_PDB_EXECUTION_ERROR, "cannot load the filter " + modulePath + ": " + error);
    } else {
        const DrawableFilterOutcome outcome = FilterDrawable(*module, request);
        // GIMP shows the message of a failed run itself, from the menu as in scripts.
        finish(outcome.status, outcome.message);
        if (outcome.status == GIMP_PDB_SUCCESS && request.source != ValueSource::kGiven) {
            gimp_displays_flush();
        }
    }
}

}  // namespace

const GimpPlugInInfo PLUG_IN_INFO = {nullptr, nullptr, Query, Run};

MAIN()
