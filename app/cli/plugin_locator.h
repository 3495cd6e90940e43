// Finds the plug-in module the tool loads: the path given on the command
// line, else the one in LUMISTRA_PLUGIN, else the module beside the tool as
// installed, else the one in the build tree the tool was built in.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct PluginLocation {
    std::optional<std::string> path;  // empty when no candidate exists
    std::vector<std::string> tried;   // every candidate looked at, in order
};

PluginLocation LocatePlugin(const std::optional<std::string>& fromCommandLine);
