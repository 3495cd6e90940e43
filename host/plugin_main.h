// The module's one entry point, called by the host once per selector.
#pragma once

#include <cstdint>

#include "host/plugin_export.h"
#include "interface/plugin_interface.h"

// paramBlock is an AboutRecord* for the about selector and a FilterRecord*
// otherwise; data is the host's slot kept for the plug-in between calls; the
// outcome goes to *result only. Never lets an exception out.
LUMISTRA_EXPORT void PLUGIN_CALLBACK PluginMain(int16_t selector, void* paramBlock, intptr_t* data,
                                                int16_t* result);
