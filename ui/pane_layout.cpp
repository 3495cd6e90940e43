#include "ui/pane_layout.h"

#include <algorithm>

#include "interface/plugin_constants.h"

void LayoutPane(DialogView& view, const Rect& filterRect, PaneView& pane) {
    const ViewRect window = view.ItemWindowRect(pane.controlId);
    const ViewPoint topLeft = view.ScreenToClient(ViewPoint{window.left, window.top});
    const ViewPoint bottomRight = view.ScreenToClient(ViewPoint{window.right, window.bottom});
    // A control too small for its inset still divides by at least one pixel.
    const int32_t areaWidth = std::max(1, (bottomRight.x - 2) - (topLeft.x + 2));
    const int32_t areaHeight = std::max(1, (bottomRight.y - 2) - (topLeft.y + 2));

    const int32_t imageWidth = int32_t(filterRect.right) - filterRect.left;
    const int32_t imageHeight = int32_t(filterRect.bottom) - filterRect.top;
    const int32_t fit = std::max(imageWidth / areaWidth + 1, imageHeight / areaHeight + 1);

    pane.source.top = int16_t(filterRect.top / fit);
    pane.source.left = int16_t(filterRect.left / fit);
    pane.source.bottom = int16_t(filterRect.bottom / fit);
    pane.source.right = int16_t(filterRect.right / fit);
    pane.rate = Fixed(fit) << 16;

    const int32_t sourceWidth = int32_t(pane.source.right) - pane.source.left;
    const int32_t sourceHeight = int32_t(pane.source.bottom) - pane.source.top;
    // Centred in screen coordinates on the whole control, halves truncated toward zero.
    const ViewPoint centredScreen{(window.left + window.right - sourceWidth) / 2,
                                  (window.top + window.bottom - sourceHeight) / 2};
    const ViewPoint centred = view.ScreenToClient(centredScreen);
    pane.display.top = int16_t(centred.y);
    pane.display.left = int16_t(centred.x);
    pane.display.bottom = int16_t(centred.y + sourceHeight);
    pane.display.right = int16_t(centred.x + sourceWidth);
    pane.width = int16_t(sourceWidth);
    pane.height = int16_t(sourceHeight);
}

bool PointInside(const Rect& rect, ViewPoint point) {
    return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y &&
           point.y <= rect.bottom;
}

ViewPoint LimitToRect(const Rect& rect, ViewPoint point) {
    return ViewPoint{std::min<int32_t>(std::max<int32_t>(point.x, rect.left), rect.right),
                     std::min<int32_t>(std::max<int32_t>(point.y, rect.top), rect.bottom)};
}

ViewPoint NavigatorToImage(ViewPoint point, const Rect& filterRect, const PaneView& navigatorPane) {
    const int32_t rate = WholeRate(navigatorPane.rate);
    return ViewPoint{filterRect.left + rate * (point.x - navigatorPane.display.left),
                     filterRect.top + rate * (point.y - navigatorPane.display.top)};
}

Rect NavigatorFrameRect(const Rect& filterRect, const PaneView& previewPane,
                        const PaneView& navigatorPane) {
    const int32_t previewRate = WholeRate(previewPane.rate);
    int32_t top = previewPane.source.top * previewRate;
    int32_t left = previewPane.source.left * previewRate;
    int32_t bottom = previewPane.source.bottom * previewRate;
    int32_t right = previewPane.source.right * previewRate;
    if (filterRect.top != 0 || filterRect.left != 0) {
        bottom -= filterRect.top;
        right -= filterRect.left;
        top -= filterRect.top;
        left -= filterRect.left;
    }
    const int32_t navigatorRate = std::max(1, WholeRate(navigatorPane.rate));
    top /= navigatorRate;
    left /= navigatorRate;
    bottom /= navigatorRate;
    right /= navigatorRate;
    const Rect& nav = navigatorPane.display;
    const int32_t placedTop = std::max<int32_t>(nav.top, nav.top + top);
    const int32_t placedLeft = std::max<int32_t>(nav.left, nav.left + left);
    Rect frame;
    frame.top = int16_t(placedTop);
    frame.left = int16_t(placedLeft);
    frame.bottom = int16_t(placedTop + (bottom - top));
    frame.right = int16_t(placedLeft + (right - left));
    return frame;
}

int32_t DisplayModeFor(int16_t imageMode) {
    switch (imageMode) {
        case plugInModeGray16:
            return plugInModeGrayScale;
        case plugInModeRGB48:
            return plugInModeRGBColor;
        case plugInModeLab48:
            return plugInModeLabColor;
        case plugInModeCMYK64:
            return plugInModeCMYKColor;
        case plugInModeDeepMultichannel:
            return plugInModeMultichannel;
        case plugInModeDuotone16:
            return plugInModeDuotone;
        default:
            return imageMode;
    }
}

ViewRect ToViewRect(const Rect& rect) {
    return ViewRect{rect.left, rect.top, rect.right, rect.bottom};
}
