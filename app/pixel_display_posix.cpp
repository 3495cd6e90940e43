// No window system here: a host without a drawing surface checks the map and
// draws nothing.
#include "app/pixel_display.h"
#include "interface/plugin_constants.h"

OSErr DrawPixelMap(const PSPixelMap& source, const VRect& sourceRect, int32_t, int32_t, void*) {
    return ComposeDisplayRows(source, sourceRect).empty() ? paramErr : noErr;
}
