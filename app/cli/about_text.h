// lumistra --about: what the plug-in's property list declares, read from the
// module as a host reads it, and the text of the plug-in's About box.
#pragma once

#include <string>

#include "app/plugin_module.h"

std::string AboutText(const PluginModule& module);
