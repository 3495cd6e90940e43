// The Windows dialog comes with its own window layer; until then Windows
// hosts get the answer of a dialog that cannot be created.
#include "host/preview_dialog.h"

int32_t RunPreviewDialog() { return kNoDialogView; }
