// Everything a filter plug-in or a host of one needs from the plug-in
// interface. Including it also checks, at compile time, that the records are
// laid out as hosts expect on the current target.
#pragma once

#include "interface/filter_record.h"
#include "interface/host_suites.h"
#include "interface/layout_checks.h"
#include "interface/pica_suites.h"
#include "interface/pixel_map.h"
#include "interface/plugin_constants.h"
#include "interface/plugin_types.h"
#include "interface/property_list.h"
