// Fills the panes' buffers from the host's samples and the engine's result.
#pragma once

#include <cstdint>

#include "engine/filter_parameters.h"
#include "interface/plugin_types.h"
#include "ui/pane_view.h"
#include "ui/preview_port.h"

struct PendingFlags {
    bool displayPending = false;  // the next paint must call ComputePreview
    bool fetchPending = false;    // ask the host for the region again
    bool filterPending = false;   // run the engine again
};

// What a preview computation works with; all of it belongs to the dialog.
struct PreviewContext {
    PreviewPort& port;
    PendingFlags& pending;
    const ZoomState& zoom;
    const FilterParameters& parameters;
    Rect filterRect;
    int16_t planeCount;
};

// The samples of one host request and the size of the block they cover (at most the
// pane's buffer size; less where the pane's region reaches past the filter area).
struct DeliveredSamples {
    PaneSamples samples;
    int32_t width;
    int32_t height;
};

// Asks the host for the pane's region (and its mask when the host has one), stores the
// host's answer in its result word and copies the mask into the pane's mask buffer.
// Returns the host's error, or 0.
OSErr RequestPaneSamples(PreviewContext& context, PaneView& pane, DeliveredSamples& delivered);

// Refreshes the preview's display buffer in the given mode, fetching and filtering as
// the pending flags say. Returns 0, or the host's error from its request.
OSErr ComputePreview(PreviewContext& context, PreviewMode mode, PaneView& previewPane);

// Fills the navigator's display and mask buffers with the whole filter area. Returns 0,
// or the host's error.
OSErr FetchNavigatorImage(PreviewContext& context, PaneView& navigatorPane);

// A size rounded up to a multiple of 64 (the engine's working plane).
int32_t RoundUpTo64(int32_t size);
