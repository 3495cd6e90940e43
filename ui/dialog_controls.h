// The main dialog's control ids, messages and the Win32 codes its events carry, so
// that the model and every window layer speak of the same controls and notifications.
#pragma once

#include <cstdint>

// Controls of the dialog template "QNT".
constexpr int32_t kCancelButton = 2;
constexpr int32_t kZoomInButton = 1025;
constexpr int32_t kZoomOutButton = 1026;
constexpr int32_t kHelpButton = 1027;
constexpr int32_t kBeforeRadio = 1030;
constexpr int32_t kAfterRadio = 1031;
constexpr int32_t kHighlightSlider = 1011;
constexpr int32_t kHighlightEdit = 1013;
constexpr int32_t kShadowSlider = 1017;
constexpr int32_t kShadowEdit = 1018;
constexpr int32_t kClaritySlider = 1016;
constexpr int32_t kClarityEdit = 1020;
constexpr int32_t kOkButton = 1056;
constexpr int32_t kDefaultButton = 1019;
constexpr int32_t kPreviewPlaceholder = 1039;
constexpr int32_t kNavigatorPlaceholder = 1028;
constexpr int32_t kZoomLabel = 1037;
constexpr int32_t kSubtitleText = 1043;

// The refresh timer: one id, one period.
constexpr int32_t kRefreshTimer = 1;
constexpr uint32_t kRefreshPeriodMs = 500;

// The module's string table entry shown as the subtitle.
constexpr int32_t kSubtitleStringId = 1;
constexpr int32_t kSubtitleCapacity = 255;

// Dialog results (ShowPreviewDialog's answer once the dialog ran).
constexpr int32_t kDialogAccepted = 1;
constexpr int32_t kDialogCancelled = 2;
constexpr int32_t kDialogScreenTooSmall = -4;
constexpr int32_t kDialogNoPaneBuffers = -3;

// Command notifications (high word of a WM_COMMAND's wParam).
constexpr int32_t kButtonClicked = 0;     // BN_CLICKED
constexpr int32_t kEditChanged = 0x0300;  // EN_CHANGE

// Trackbar scroll codes (low word of a WM_HSCROLL's wParam), Win32 values.
enum TrackScrollCode : int32_t {
    kTrackLineUp = 0,
    kTrackLineDown = 1,
    kTrackPageUp = 2,
    kTrackPageDown = 3,
    kTrackThumbPosition = 4,
    kTrackThumbTrack = 5,
    kTrackTop = 6,
    kTrackBottom = 7,
    kTrackEndTrack = 8,
};

// Mouse key state of a WM_MOUSEMOVE (wParam): only the left button counts as a drag.
constexpr uint32_t kMouseLeftButton = 0x0001;  // MK_LBUTTON

// What the dialog procedure returns to the dialog manager.
constexpr int32_t kMessageHandled = 1;     // TRUE
constexpr int32_t kMessageNotHandled = 0;  // FALSE

// Texts the dialog shows.
constexpr const char kErrorCaption[] = "LUMISTRA Plug-In - ERROR";
constexpr const char kSmallFontsMessage[] = "Display resolution should have small fonts set";
constexpr const char kDialogCaption[] = "LUMISTRA  v1.1.4";
