// The preview's zoom levels and the placement of its region in the filter area, in the
// host's 16-bit coordinates.
#pragma once

#include <cstddef>
#include <cstdint>

#include "interface/plugin_types.h"
#include "ui/pane_view.h"

// Sets highest, regionH, regionW, halfStepV and halfStepH from the filter area and the
// preview's display rectangle.
void BuildZoomLevels(const Rect& filterRect, ZoomState& zoom, const PaneView& previewPane);

// The view origin that centres the highest level's region on the filter area.
void SetInitialView(const Rect& filterRect, ZoomState& zoom);

// Keeps the region of the current level inside the filter area, rounds its origin
// down to even values, sets the preview's source rectangle (one buffer's worth of
// samples) and rate, and writes the origin back to the view.
void PlaceRegion(const Rect& filterRect, ZoomState& zoom, PaneView& previewPane);

// The rectangle actually asked of the host for a pane: its source rectangle held
// inside the filter area at the pane's rate, so that no sample beyond the filter area
// is requested; the buffer's remainder is then filled by repeating the edges.
Rect RequestRect(const Rect& filterRect, const PaneView& pane);

// The label of a zoom level, for example "100%" or "12.5%".
void FormatZoomLabel(int16_t level, int16_t highest, char* text, size_t capacity);

// What a zoom button leaves enabled and focused.
struct ZoomButtons {
    bool zoomInEnabled;
    bool zoomOutEnabled;
    int32_t focusId;  // 0: the focus stays where it is
};

// One level in or out with the view moved so that the region keeps its centre.
ZoomButtons StepZoomIn(ZoomState& zoom);
ZoomButtons StepZoomOut(ZoomState& zoom);

// The engine's first level for the preview: 1 at 100 %, 2 one level out, 3 further out.
int32_t PreviewStartLevel(const ZoomState& zoom);
