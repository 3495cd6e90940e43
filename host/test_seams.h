// Functions exported only by the testable module (LumistraTestable), for tests
// that load it and drive PluginMain as a host would. Find them with dlsym;
// the declarations give their types.
#pragma once

#include <cstdint>

#include "host/plugin_export.h"

// Back to the shipped behaviour, counters and the last message cleared.
LUMISTRA_EXPORT void LumistraTestReset();

// What the preview dialog answers from now on: 1 OK, 2 Cancel, a negative
// code for a dialog that could not be created; 0 restores the shipped
// behaviour (a dialog that cannot be created).
LUMISTRA_EXPORT void LumistraTestSetDialogAnswer(int answer);

// The values the "user" sets in the dialog before answering OK or Cancel.
LUMISTRA_EXPORT void LumistraTestSetDialogValues(float noiseHighAmount, float noiseLowAmount,
                                                 float clarityAmount);

// The screen size the display test sees; 0 by 0 restores the real one.
LUMISTRA_EXPORT void LumistraTestSetScreenSize(int width, int height);

// How often the preview dialog was asked for since the last reset.
LUMISTRA_EXPORT int LumistraTestDialogCount();

// How many error messages were shown since the last reset, and the last one
// (empty strings when none).
LUMISTRA_EXPORT int LumistraTestMessageCount();
LUMISTRA_EXPORT const char* LumistraTestLastCaption();
LUMISTRA_EXPORT const char* LumistraTestLastMessage();

// Engine blocks handed out and not yet returned; 0 after every finished or
// failed call.
LUMISTRA_EXPORT int LumistraTestLiveBlockCount();

// One engine pass of the preview dialog: the levels, the three engine values
// and the padded working plane, before the engine runs on plane `plane`.
struct LumistraTestEnginePass {
    int32_t startLevel;
    int32_t maxLevel;
    float hiStrength;
    float loStrength;
    float clarity;
    uint32_t width;
    uint32_t height;
    int32_t plane;
};
typedef void (*LumistraTestEnginePassObserver)(const LumistraTestEnginePass* pass, void* context);

// Tells observer of every engine pass the preview dialog makes from now on;
// null stops. The shipped module reports them to nobody.
LUMISTRA_EXPORT void LumistraTestSetEnginePassObserver(LumistraTestEnginePassObserver observer,
                                                       void* context);
