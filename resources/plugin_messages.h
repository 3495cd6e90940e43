// The captions and texts of the messages the filtering run shows before it
// gives up, and the limits they state. Hosts and users know them word for
// word; the command-line tool gives the same reasons when it refuses an image
// before the plug-in runs, as a host's menu does.
#pragma once

#include <cstdint>

constexpr char kPluginErrorCaption[] = "LUMISTRA Plug-In - ERROR";
constexpr char kModeErrorCaption[] = "VLK QNT Error";

constexpr int32_t kMinimumScreenWidth = 800;
constexpr int32_t kMinimumScreenHeight = 600;
constexpr char kDisplayTooSmallMessage[] = "Display resolution must at least be 800x600";

// The smallest width and height of the filtered area (the image or the
// bounding rectangle of its selection).
constexpr int32_t kMinimumAreaSide = 256;
constexpr char kAreaTooSmallMessage[] =
    "Image (or selection) must be at least 256x256.  Use your imaging application to "
    "increase the image size (or select a larger area).";

constexpr char kRgbOnlyMessage[] = "This plug-in only works on RGB data";
constexpr char kEightBitOnlyMessage[] = "This plug-in only works on 8-bit images";
