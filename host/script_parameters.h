// Recorded actions: reading the three values from a replayed step and writing
// them for the host to record. Both work on the current call with the handles
// locked; their result is informative only, as a scripting failure never stops
// the filter.
#pragma once

#include "interface/plugin_interface.h"

// Replaces the values with those of the descriptor, up to the first key that
// is not ours or cannot be read, disposes the descriptor, and sets showDialog
// from the play mode. Touches nothing, showDialog included, when the host
// offers no descriptor to read.
OSErr ReadScriptParameters(bool& showDialog);

// Writes the three values, widened to double, as the new descriptor and leaves
// the dialog optional on replay.
OSErr WriteScriptParameters();
