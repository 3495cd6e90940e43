// The plug-in's user interface as the rest of the plug-in sees it: the screen
// size, error messages, the preview dialog and the About box.
#pragma once

#include "host/platform.h"
#include "interface/plugin_interface.h"

// Results of ShowPreviewDialog.
constexpr int kDialogAccepted = 1;
constexpr int kDialogCancelled = 2;
// The dialog could not be created; it has shown its own message if it could.
constexpr int kDialogUnavailable = -1;

ScreenSize CurrentScreenSize();

void ShowErrorMessage(const char* caption, const char* text);

// Runs the modal preview dialog on the current call's values, which it edits
// in place. Returns kDialogAccepted, kDialogCancelled or a negative code.
// Without a window the host offers (see host/preview_dialog.h) it answers as
// a dialog that cannot be created.
int ShowPreviewDialog();

// Shows the About box for the about selector's record.
OSErr DoAbout(const AboutRecord& about);
