// The rules of the three value fields and sliders, free of any window.
#pragma once

#include <cstdint>

#include "ui/dialog_controls.h"

// The integer part of a value in 0 <= x < 2^20: the value plus 2^20 in double
// precision, whose upper 32 bits then hold the integer part in their low 20 bits.
int32_t FloorToInt(float value);

// The whole number 0..100 a field shows for a stored amount: 0 or less gives 0, 100 or
// more 100, a value in between its integer part; a value that is not a number shows
// the default.
uint32_t WholeAmount(float amount);

// The value a slider takes for a scroll code, from its thumb position and the paired
// field's current value; may lie one step outside 0..100.
int32_t StepTrackValue(int32_t scrollCode, int32_t thumbPosition, int32_t current);

// A value limited to the sliders' range 0..100.
int32_t LimitToSliderRange(int32_t value);
