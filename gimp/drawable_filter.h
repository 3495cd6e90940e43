// One run of the filter on a GIMP drawable: the drawable's pixels inside the
// selection's bounds go to the plug-in as a host's document, and the result
// comes back through the drawable's shadow buffer, which GIMP merges through
// the selection (feathering included) as one undo step.
#pragma once

#include <libgimp/gimp.h>

#include <array>
#include <optional>
#include <string>

#include "app/plugin_module.h"

// How the values of the run are settled, after GIMP's run modes.
enum class ValueSource {
    kGiven,     // the three values, the dialog suppressed
    kLastUsed,  // the last-used values, the dialog suppressed
    kDialog,    // the dialog, opening on the last-used values
};

struct DrawableFilterRequest {
    gint32 image = -1;
    gint32 drawable = -1;
    ValueSource source = ValueSource::kGiven;
    std::array<int32_t, 3> values{};  // Highlight, Shadow, Clarity for kGiven
    // Where the last-used values are kept; none: they are neither read nor kept.
    std::optional<std::string> lastUsedPath;
};

struct DrawableFilterOutcome {
    GimpPDBStatusType status = GIMP_PDB_SUCCESS;
    std::string message;  // why the run failed or was refused; empty otherwise
};

DrawableFilterOutcome FilterDrawable(const PluginModule& module,
                                     const DrawableFilterRequest& request);
