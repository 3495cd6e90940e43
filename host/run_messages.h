// The captions and texts of the messages the filtering run shows before it
// gives up. Hosts and users know them word for word.
#pragma once

constexpr char kPluginErrorCaption[] = "LUMISTRA Plug-In - ERROR";
constexpr char kModeErrorCaption[] = "VLK QNT Error";

constexpr char kDisplayTooSmallMessage[] = "Display resolution must at least be 800x600";
constexpr char kAreaTooSmallMessage[] =
    "Image (or selection) must be at least 256x256.  Use your imaging application to "
    "increase the image size (or select a larger area).";
constexpr char kRgbOnlyMessage[] = "This plug-in only works on RGB data";
constexpr char kEightBitOnlyMessage[] = "This plug-in only works on 8-bit images";
