// Identifiers of the plug-in module's Windows resources and dialog controls,
// shared by lumistra.rc and the code that loads the resources. Plain macros:
// the resource compiler reads this file too.
#pragma once

// Property list and scripting terminology (raw data of types "PIPL" and "AETE").
#define IDR_PIPL 16002
#define IDR_AETE 16003

// String table: the subtitle of the main dialog.
#define IDS_SUBTITLE 1

// Cursors over the navigator, and the logo.
#define IDCUR_HAND_OPEN 109      // over the navigator frame
#define IDCUR_HAND_CLOSED 110    // while the frame is dragged
#define IDCUR_HAND_POINTING 111  // over the rest of the navigator
#define IDB_LOGO 114             // 70 x 40 pixels, 24 bits per pixel

// Controls of the main dialog "QNT". Cancel is the standard IDCANCEL (2).
#define IDC_ZOOM_IN 1025
#define IDC_ZOOM_OUT 1026
#define IDC_PREVIEW_BEFORE 1030
#define IDC_PREVIEW_AFTER 1031
#define IDC_HIGHLIGHT_SLIDER 1011
#define IDC_HIGHLIGHT_EDIT 1013
#define IDC_SHADOW_SLIDER 1017
#define IDC_SHADOW_EDIT 1018
#define IDC_CLARITY_SLIDER 1016
#define IDC_CLARITY_EDIT 1020
#define IDC_OK 1056
#define IDC_DEFAULT 1019
#define IDC_HELP_BUTTON 1027
#define IDC_PREVIEW_PANE 1039  // hidden placeholder: only its rectangle is used
#define IDC_ZOOM_CAPTION 1044
#define IDC_NAVIGATOR_PANE 1028  // hidden placeholder: only its rectangle is used
#define IDC_SUBTITLE 1043
#define IDC_LOGO 1057
#define IDC_CONTROLS_GROUP 1042
#define IDC_ZOOM_LABEL 1037
#define IDC_NAVIGATOR_GROUP 1041

// Controls of the About box "ABOUTQNT"; OK and the logo share the main
// dialog's identifiers.
#define IDC_ABOUT_VERSION 1039

#ifndef RC_INVOKED
// The dialog templates are named resources.
#define LUMISTRA_MAIN_DIALOG "QNT"
#define LUMISTRA_ABOUT_DIALOG "ABOUTQNT"
#endif
