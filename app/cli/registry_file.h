// The host's registry of last-used values, kept between runs in a small JSON
// file in the user's configuration folder:
// $XDG_CONFIG_HOME/lumistra/last-used.json, or ~/.config/lumistra/... .
//
//   {"registry": {"{8234f55b-...}": [{"key": "Amnt", "value": 70.0}, ...]}}
#pragma once

#include <map>
#include <optional>
#include <string>

#include "app/descriptor.h"
#include "app/scripting_store.h"

using RegistryContents = std::map<std::string, Descriptor>;

// Empty when the environment names no configuration folder.
std::optional<std::string> LastUsedValuesPath();

// A missing file is an empty registry. *problem is set for a file that
// exists but cannot be read or understood; the contents are then empty.
RegistryContents ReadRegistryFile(const std::string& path, std::string* problem);

// Creates the folder when needed and replaces the file atomically. Empty on
// success, else the reason.
std::string WriteRegistryFile(const std::string& path, const RegistryContents& contents);

// What a host hands its plug-ins at the start of a run, and what it keeps
// afterwards: only the entries a plug-in allowed to outlive the host.
void RegisterAll(const RegistryContents& contents, ScriptingStore* store);
RegistryContents PersistentEntries(const ScriptingStore& store);
