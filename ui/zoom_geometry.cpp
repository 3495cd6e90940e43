#include "ui/zoom_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ui/dialog_controls.h"
#include "ui/value_rules.h"

namespace {
int32_t Nearest(int32_t numerator, int32_t denominator) {
    if (denominator <= 0) return 1;
    return int32_t(double(numerator) / double(denominator) + 0.5);
}

int32_t CeilLog2(int32_t value) {
    const float logarithm = std::log2(float(value));
    const int32_t whole = FloorToInt(logarithm);
    return float(whole) == logarithm ? whole : whole + 1;
}
}  // namespace

void BuildZoomLevels(const Rect& filterRect, ZoomState& zoom, const PaneView& previewPane) {
    const int32_t ih = int32_t(filterRect.bottom) - filterRect.top;
    const int32_t iw = int32_t(filterRect.right) - filterRect.left;
    const int32_t dh = int32_t(previewPane.display.bottom) - previewPane.display.top;
    const int32_t dw = int32_t(previewPane.display.right) - previewPane.display.left;
    const int32_t largest = std::max(Nearest(ih, dh), Nearest(iw, dw));
    // A fit of one (or less) has a single level; the logarithm of it would be 0 or
    // undefined.
    int32_t highest = largest <= 1 ? 0 : CeilLog2(largest);
    if (highest > kHighestZoomLimit - 1) highest = kHighestZoomLimit;
    zoom.highest = int16_t(highest);

    for (int32_t k = 0; k < kZoomLevelCount; ++k) {
        zoom.regionH[k] = 0;
        zoom.regionW[k] = 0;
        zoom.halfStepV[k] = 0;
        zoom.halfStepH[k] = 0;
    }
    zoom.regionH[highest] = previewPane.height;
    zoom.regionW[highest] = previewPane.width;
    for (int32_t k = highest - 1; k >= 1; --k) {
        zoom.regionH[k] = int16_t(2 * zoom.regionH[k + 1]);
        zoom.regionW[k] = int16_t(2 * zoom.regionW[k + 1]);
    }
    zoom.regionH[0] = int16_t(ih);
    zoom.regionW[0] = int16_t(iw);
    for (int32_t i = 1; i <= highest; ++i) {
        zoom.halfStepV[i] = int16_t((zoom.regionH[i - 1] - zoom.regionH[i]) / 2);
        zoom.halfStepH[i] = int16_t((zoom.regionW[i - 1] - zoom.regionW[i]) / 2);
    }
}

void SetInitialView(const Rect& filterRect, ZoomState& zoom) {
    zoom.viewTop = int16_t(filterRect.top + zoom.regionH[0] / 2 - zoom.halfStepV[zoom.highest]);
    zoom.viewLeft = int16_t(filterRect.left + zoom.regionW[0] / 2 - zoom.halfStepH[zoom.highest]);
}

void PlaceRegion(const Rect& filterRect, ZoomState& zoom, PaneView& previewPane) {
    const int32_t regionH = zoom.regionH[zoom.level];
    const int32_t regionW = zoom.regionW[zoom.level];
    int32_t top = zoom.viewTop;
    int32_t left = zoom.viewLeft;
    const auto outside = [](int32_t edge, int32_t low, int32_t high) {
        return edge < low || edge > high;
    };
    if (outside(top, filterRect.top, filterRect.bottom) ||
        outside(top + regionH, filterRect.top, filterRect.bottom) ||
        outside(left, filterRect.left, filterRect.right) ||
        outside(left + regionW, filterRect.left, filterRect.right)) {
        top =
            std::max<int32_t>(filterRect.top, std::min<int32_t>(top, filterRect.bottom - regionH));
        left =
            std::max<int32_t>(filterRect.left, std::min<int32_t>(left, filterRect.right - regionW));
    }
    const int32_t displayW = int32_t(previewPane.display.right) - previewPane.display.left;
    const int32_t displayH = int32_t(previewPane.display.bottom) - previewPane.display.top;
    const int32_t rate = std::max(Nearest(regionW, displayW), Nearest(regionH, displayH));
    // Clearing the lowest bit rounds toward minus infinity in two's complement.
    top &= ~1;
    left &= ~1;
    Rect source;
    source.top = int16_t(top / rate);
    source.left = int16_t(left / rate);
    source.bottom = int16_t(source.top + previewPane.height);
    source.right = int16_t(source.left + previewPane.width);
    previewPane.source = source;
    previewPane.rate = Fixed(rate) << 16;
    zoom.viewTop = int16_t(top);
    zoom.viewLeft = int16_t(left);
}

Rect RequestRect(const Rect& filterRect, const PaneView& pane) {
    const int32_t rate = std::max(1, WholeRate(pane.rate));
    Rect request = pane.source;
    request.bottom = int16_t(std::min<int32_t>(request.bottom, filterRect.bottom / rate));
    request.right = int16_t(std::min<int32_t>(request.right, filterRect.right / rate));
    request.bottom = std::max(request.bottom, request.top);
    request.right = std::max(request.right, request.left);
    return request;
}

void FormatZoomLabel(int16_t level, int16_t highest, char* text, size_t capacity) {
    const int32_t d = int32_t(highest) - level;
    switch (d) {
        case 0:
            std::snprintf(text, capacity, "%3.f%%", 100.0);
            break;
        case 1:
            std::snprintf(text, capacity, "%2.f%%", 50.0);
            break;
        case 2:
            std::snprintf(text, capacity, "%2.f%%", 25.0);
            break;
        case 3:
            std::snprintf(text, capacity, "%3.1f%%", 12.5);
            break;
        case 4:
            std::snprintf(text, capacity, "%3.2f%%", 6.25);
            break;
        case 5:
            std::snprintf(text, capacity, "%3.2f%%", 3.12);
            break;
        case 6:
            std::snprintf(text, capacity, "%3.2f%%", 1.56);
            break;
        case 7:
            std::snprintf(text, capacity, "%3.2f%%", 0.78);
            break;
        case 8:
            std::snprintf(text, capacity, "%3.2f%%", 0.39);
            break;
        case 9:
            std::snprintf(text, capacity, "%3.2f%%", 0.2);
            break;
        default:
            std::snprintf(text, capacity, "%3.2f%%", 0.1);
            break;
    }
}

ZoomButtons StepZoomIn(ZoomState& zoom) {
    ZoomButtons buttons{true, true, 0};
    zoom.level = int16_t(zoom.level + 1);
    if (zoom.level >= zoom.highest) {
        zoom.level = zoom.highest;
        buttons.zoomInEnabled = false;
        buttons.focusId = kZoomOutButton;
    }
    zoom.viewTop = int16_t(zoom.viewTop + zoom.halfStepV[zoom.level]);
    zoom.viewLeft = int16_t(zoom.viewLeft + zoom.halfStepH[zoom.level]);
    return buttons;
}

ZoomButtons StepZoomOut(ZoomState& zoom) {
    ZoomButtons buttons{true, true, 0};
    zoom.level = int16_t(zoom.level - 1);
    if (zoom.level <= 0) {
        zoom.level = 0;
        buttons.zoomOutEnabled = false;
        buttons.focusId = kZoomInButton;
    }
    zoom.viewTop = int16_t(zoom.viewTop - zoom.halfStepV[zoom.level + 1]);
    zoom.viewLeft = int16_t(zoom.viewLeft - zoom.halfStepH[zoom.level + 1]);
    return buttons;
}

int32_t PreviewStartLevel(const ZoomState& zoom) {
    return std::min(zoom.highest - zoom.level + 1, 3);
}
