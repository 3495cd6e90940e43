// The plug-in's own words for the images it refuses. The tool refuses such
// images before the plug-in runs, as a host's menu does, and gives the
// plug-in's reason; a test keeps these equal to the plug-in's texts.
#pragma once

constexpr char kRgbOnlyReason[] = "This plug-in only works on RGB data";
constexpr char kEightBitOnlyReason[] = "This plug-in only works on 8-bit images";
constexpr char kAreaTooSmallReason[] =
    "Image (or selection) must be at least 256x256.  Use your imaging application to "
    "increase the image size (or select a larger area).";
constexpr int kMinimumFilterSide = 256;
