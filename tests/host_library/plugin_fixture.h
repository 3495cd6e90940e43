// Shared ground for the tests that drive the real plug-in module through the
// host library: the loaded module, its test seams, photo-like documents and
// the engine's own result to compare the filtered pixels with.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/filter_host.h"
#include "app/plugin_module.h"

// The three user values and the engine parameters they convert to.
struct Amounts {
    float high = 50.0f;
    float low = 50.0f;
    float clarity = 50.0f;
};

struct EngineParameters {
    float hiStrength;
    float loStrength;
    float clarity;
};

// The engine parameters of the user values, by the tests' own statement of
// the conversion (tests/support/value_reference.h).
EngineParameters ConvertAmounts(const Amounts& amounts);

// A photo-like scene (sky, hills, a building, sensor noise) in the given
// mode; the planes beyond the first three carry a pattern of their own.
Document MakePhoto(ColourMode mode, int32_t width, int32_t height, uint32_t seed = 1);

// The document as the engine itself filters it: each of the first three
// planes, over the filter rectangle, by ProcessPlane with start level 1 and
// maximum level 5; the other planes and everything outside the rectangle
// as they were. With a selection mask the result is blended with the
// original by the mask, as the host does.
Document EngineResult(const Document& original, const Amounts& amounts);

// The functions the testable module exports for tests.
struct PluginSeams {
    void (*reset)();
    void (*setDialogAnswer)(int answer);
    void (*setDialogValues)(float high, float low, float clarity);
    void (*setScreenSize)(int width, int height);
    int (*dialogCount)();
    int (*messageCount)();
    const char* (*lastCaption)();
    const char* (*lastMessage)();
    int (*liveBlockCount)();
};

constexpr int kDialogOk = 1;
constexpr int kDialogCancel = 2;

class PluginTest : public ::testing::Test {
protected:
    static const PluginModule& Module();
    static const PluginSeams& Seams();

    // Every test starts with a dialog that answers OK without changing the
    // values, on a 1920 by 1080 screen.
    void SetUp() override;
    // No engine block may be left over after any test.
    void TearDown() override;

    // Host options that let a document reach the plug-in's own checks.
    static HostOptions Unchecked(HostOptions options = {});
};

// Counts the pixels in which two documents differ.
std::size_t DifferingSamples(const Document& a, const Document& b);
