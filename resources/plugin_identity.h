// Names and codes by which hosts know this plug-in. The property list, the
// scripting terminology and the scripting code all take them from here.
#pragma once

#include "interface/plugin_types.h"
#include "resources/resource_ids.h"
#include "resources/version_info.h"

constexpr int16_t kPiplResourceId = IDR_PIPL;
constexpr int16_t kAeteResourceId = IDR_AETE;  // named by the terminology property

constexpr char kPluginMenuName[] = "LUMISTRA v" LUMISTRA_VERSION_TEXT;
constexpr char kPluginCategory[] = "Morvane";
constexpr char kPluginEntryPointName[] = "PluginMain";
// Must agree with the image-mode flags of the property list.
constexpr char kPluginEnableExpression[] = "in (PSHOP_ImageMode, RGBMode)";

// Suite, class and event code of the plug-in's scripting terminology.
constexpr OSType kPluginScriptingCode = FourCC("vLkp");
constexpr char kPluginScriptingEventName[] = "LUMISTRA";
constexpr char kPluginScriptingDescription[] = "LUMISTRA plug-in";
// Unique identifier of the terminology, also the key of the last-used values
// in the host's descriptor registry.
constexpr char kPluginUniqueId[] = "{8234f55b-feb4-4eaf-881c-442dcbfd551e}";

// Scripting keys and names of the three user values (all doubles).
constexpr DescriptorKeyID keyNoiseHighAmount = FourCC("Amnt");
constexpr DescriptorKeyID keyNoiseLowAmount = FourCC("Brgh");
constexpr DescriptorKeyID keyClarityAmount = FourCC("Fltn");
constexpr char kNoiseHighAmountScriptingName[] = "NoiseHighAmount";
constexpr char kNoiseLowAmountScriptingName[] = "NoiseLowAmount";
constexpr char kClarityAmountScriptingName[] = "Clarity";
