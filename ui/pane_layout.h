// Where the two panes sit in the dialog and how their coordinates relate to the filter
// area.
#pragma once

#include <cstdint>

#include "interface/plugin_types.h"
#include "ui/dialog_view.h"
#include "ui/pane_view.h"

// Sets the pane's source rectangle, rate, display rectangle and buffer size from its
// control's window rectangle: the filter area reduced by the smallest whole factor that
// fits it strictly into the control less a 2-pixel inset, centred in the control.
void LayoutPane(DialogView& view, const Rect& filterRect, PaneView& pane);

// Inclusive on all four sides.
bool PointInside(const Rect& rect, ViewPoint point);
// The point moved onto the rectangle (inclusive bounds).
ViewPoint LimitToRect(const Rect& rect, ViewPoint point);

// A navigator point (client coordinates) in document coordinates.
ViewPoint NavigatorToImage(ViewPoint point, const Rect& filterRect, const PaneView& navigatorPane);

// The navigator's red frame: the preview's source rectangle in document coordinates,
// made relative to the filter area, reduced by the navigator's rate and placed in the
// navigator's display rectangle.
Rect NavigatorFrameRect(const Rect& filterRect, const PaneView& previewPane,
                        const PaneView& navigatorPane);

// The 8-bit display mode for the host's image mode (16-bit modes map to their 8-bit
// counterparts).
int32_t DisplayModeFor(int16_t imageMode);

ViewRect ToViewRect(const Rect& rect);
