// How the three user values travel in descriptors: as doubles under the keys
// 'Amnt', 'Brgh' and 'Fltn'.
#pragma once

#include "engine/filter_parameters.h"
#include "interface/plugin_interface.h"
#include "resources/plugin_identity.h"

// In the order the values are recorded and registered.
constexpr DescriptorKeyID kAmountKeys[] = {keyNoiseHighAmount, keyNoiseLowAmount, keyClarityAmount};

// The field a descriptor key stands for, or null for a key that is not ours.
float* AmountForKey(FilterParameters& parameters, DescriptorKeyID key);

// Stores a double read from a descriptor, rounded to the nearest single and
// held to 0..100 (a script can hold any number). Returns false, leaving the
// field as it was, for a value that is not a finite number.
bool StoreDescriptorAmount(double value, float& amount);
