// A recorded action as a JSON file: the descriptor the plug-in wrote at
// finish, with the filter's name and scripting event, so that a later run
// can replay it as a host replays a step of an action.
//
//   {"filter": "LUMISTRA v1.1.4", "event": "vLkp",
//    "descriptor": [{"key": "Amnt", "value": 70.0}, ...]}
#pragma once

#include <string>

#include "app/descriptor.h"
#include "app/pipl_parser.h"

// Empty on success, else the reason.
std::string WriteActionFile(const std::string& path, const PiplInfo& filter,
                            const Descriptor& recorded);

// The descriptor to replay. A file recorded for a filter with another
// scripting event is refused.
Descriptor ReadActionFile(const std::string& path, const PiplInfo& filter, std::string* problem);
