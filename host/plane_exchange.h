// Running the engine on one plane as the host delivered it.
#pragma once

#include "engine/engine_values.h"
#include "engine/noise_reducer.h"
#include "interface/plugin_interface.h"

// Filters the filter rectangle of the plane in inData into outData, reading
// rows inRowBytes apart and writing them outRowBytes apart. Returns false
// with the reason in the result word: errPlugInHostInsufficient when the host
// delivered no buffer, filterBadParameters for rows shorter than the
// rectangle, userCanceledErr when the memory for filtering was not obtained.
bool FilterDeliveredPlane(const FilterRecord& filter, NoiseReducer& engine,
                          const EngineValues& values);
