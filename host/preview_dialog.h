// Runs the preview dialog's model in a window the host offers, where the
// platform has a way for a host to offer one.
#pragma once

#include <cstdint>

// The dialog's result (1 OK, 2 Cancel, a negative code when it could not
// start), or kNoDialogView when the host offers no view: the caller then
// answers as a dialog that cannot be created.
constexpr int32_t kNoDialogView = -1;
int32_t RunPreviewDialog();
