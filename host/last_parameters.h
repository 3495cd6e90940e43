// The last-used values, kept in the host's descriptor registry under the
// plug-in's unique identifier between invocations. Both work on the current
// call with the handles locked; their result is informative only.
#pragma once

#include "interface/plugin_interface.h"

// Replaces the values with the registered ones, in the order 'Amnt', 'Brgh',
// 'Fltn', stopping at the first that cannot be read.
// errPlugInHostInsufficient without the basic suite.
OSErr ReadLastParameters();

// Registers the values, each truncated toward zero to a whole number (37.8 is
// kept as 37.0). errPlugInHostInsufficient without the basic suite.
OSErr SaveLastParameters();
