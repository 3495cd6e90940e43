// What each selector of the entry point does.
#pragma once

#include <cstdint>

// Writes the defaults: every value 50, the input extents 0. The handles must be locked.
void WriteDefaults();

// Parameters selector: creates whichever handle is missing and resets the values.
void DoParameters();

// Prepare selector: keeps the values of existing handles, or creates the
// missing ones and writes the defaults; asks for no buffer space.
void DoPrepare();

// Runs the steps of a selector. An unknown selector, or a filter selector
// without its record or data slot, gives filterBadParameters.
void DispatchSelector(int16_t selector);
