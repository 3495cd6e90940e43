// Everything a filter plug-in or a host of one needs from the plug-in
// interface. Including it also checks, at compile time, that the records are
// laid out as hosts expect on the current target.
#pragma once

#include "filter_record.h"
#include "host_suites.h"
#include "layout_checks.h"
#include "pica_suites.h"
#include "pixel_map.h"
#include "plugin_constants.h"
#include "plugin_types.h"
#include "property_list.h"
