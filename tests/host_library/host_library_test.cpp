// The host library's own parts, without a plug-in: loading and classifying
// modules, the enable condition, the pixel exchange's sampling, padding and
// write-back, and the handle registry's bookkeeping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "app/descriptor.h"
#include "app/enable_expression.h"
#include "app/handle_registry.h"
#include "app/pixel_exchange.h"
#include "app/plugin_module.h"
#include "interface/plugin_constants.h"

namespace {

// ---- Loading modules

TEST(PluginModuleTest, ReadsThePropertyListAndFindsTheEntryPoint) {
    std::string error;
    const std::unique_ptr<PluginModule> module = PluginModule::Load(LUMISTRA_PLUGIN_MODULE, &error);
    ASSERT_NE(module, nullptr) << error;
    EXPECT_EQ(module->properties().name, "LUMISTRA v1.1.4");
    EXPECT_EQ(module->properties().category, "Morvane");
    EXPECT_EQ(module->entryPointName(), "PluginMain");
    EXPECT_NE(module->entry(), nullptr);
    // The shipped module exports nothing for tests.
    EXPECT_EQ(module->FindSymbol("LumistraTestReset"), nullptr);

    std::string reason;
    EXPECT_TRUE(module->AcceptsDocument(plugInModeRGBColor, 8, &reason)) << reason;
    EXPECT_FALSE(module->AcceptsDocument(plugInModeGrayScale, 8, &reason));
    EXPECT_NE(reason.find("GrayScaleMode"), std::string::npos) << reason;
    EXPECT_FALSE(module->AcceptsDocument(plugInModeCMYKColor, 8, &reason));
    EXPECT_FALSE(module->AcceptsDocument(plugInModeRGB48, 16, &reason));
}

TEST(PluginModuleTest, RefusesWhatIsNotALoadableFilter) {
    const std::string notThere = std::string(LUMISTRA_TEST_SCRATCH_DIR) + "/no-such-module.so";
    const std::string notElf = std::string(LUMISTRA_TEST_SCRATCH_DIR) + "/not-a-library.so";
    std::ofstream(notElf) << "just text";
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {notThere, "cannot be read"},
        {notElf, "not a shared library"},
        {LUMISTRA_NOT_A_FILTER_MODULE, "not a filter"},
        {LUMISTRA_MODULE_WITHOUT_ENTRY, "does not export its entry point PluginMain"},
    };
    for (const auto& test : cases) {
        std::string error;
        EXPECT_EQ(PluginModule::Load(test.path, &error), nullptr) << test.path;
        EXPECT_NE(error.find(test.reason), std::string::npos) << error;
        EXPECT_NE(error.find(test.path), std::string::npos) << error;
    }
    std::remove(notElf.c_str());
}

// ---- Enable condition

TEST(EnableExpressionTest, EvaluatesModeAndDepthConditions) {
    const EnableContext rgb{plugInModeRGBColor, 8};
    const EnableContext grey{plugInModeGrayScale, 8};
    const EnableContext deep{plugInModeRGB48, 16};
    const std::string shipped = "in (PSHOP_ImageMode, RGBMode)";
    EXPECT_EQ(EvaluateEnableExpression(shipped, rgb), true);
    EXPECT_EQ(EvaluateEnableExpression(shipped, grey), false);
    EXPECT_EQ(EvaluateEnableExpression(shipped, deep), false);

    const std::string either =
        "in (PSHOP_ImageMode, RGBMode, RGB48Mode) && !(PSHOP_ImageDepth == 32)";
    EXPECT_EQ(EvaluateEnableExpression(either, deep), true);
    EXPECT_EQ(EvaluateEnableExpression(either, grey), false);
    EXPECT_EQ(EvaluateEnableExpression("PSHOP_ImageMode == GrayScaleMode || false", grey), true);
    EXPECT_EQ(EvaluateEnableExpression("PSHOP_ImageDepth != 8", rgb), false);
}

TEST(EnableExpressionTest, ReportsWhatItCannotEvaluate) {
    const EnableContext rgb{plugInModeRGBColor, 8};
    for (const char* text :
         {"in (PSHOP_ImageMode, RGBMode", "in (PSHOP_ImageMode, NoSuchMode)", "PSHOP_Other == 3",
          "RGBMode", "in (PSHOP_ImageMode, RGBMode) $", ""}) {
        EXPECT_FALSE(EvaluateEnableExpression(text, rgb).has_value()) << text;
    }
}

// ---- Pixel exchange

// A two-plane image whose sample at (x, y) is plane * 100 + y * 10 + x.
Document CountingImage() {
    Document image(ColourMode::kRgb, 8, 6);
    for (int plane = 0; plane < 3; ++plane) {
        for (int32_t y = 0; y < 6; ++y) {
            for (int32_t x = 0; x < 8; ++x)
                image.At(plane, x, y) = static_cast<uint8_t>(plane * 100 + y * 10 + x);
        }
    }
    return image;
}

uint8_t Sample(const ExchangeBuffer& buffer, int32_t x, int32_t y, int32_t plane) {
    return buffer
        .bytes[static_cast<std::size_t>(y) * buffer.rowBytes + x * buffer.PlaneCount() + plane];
}

TEST(PixelExchangeTest, DeliversInterleavedPlanesWithPaddedRows) {
    const Document image = CountingImage();
    ExchangeBuffer buffer;
    ASSERT_EQ(BuildInputBuffer(PlanesOf(image), {1, 2, 4, 5}, 1, 2, {}, 3, &buffer), noErr);
    EXPECT_EQ(buffer.rowSamples, 6);
    EXPECT_EQ(buffer.rowBytes, 9);
    EXPECT_EQ(Sample(buffer, 0, 0, 0), 112);
    EXPECT_EQ(Sample(buffer, 0, 0, 1), 212);
    EXPECT_EQ(Sample(buffer, 2, 2, 1), 234);
    EXPECT_EQ(buffer.bytes[6], kRowPaddingByte);
}

TEST(PixelExchangeTest, SamplesAtTheRateTheHostSupports) {
    const Document image = CountingImage();
    SamplingRules rules;
    rules.rate = 2 << 16;
    rules.samplingSupport = hostSupportsIntegralSampling;
    ExchangeBuffer buffer;
    ASSERT_EQ(BuildInputBuffer(PlanesOf(image), {0, 0, 3, 4}, 0, 0, rules, 0, &buffer), noErr);
    EXPECT_EQ(Sample(buffer, 1, 1, 0), 22);
    EXPECT_EQ(Sample(buffer, 3, 2, 0), 46);

    rules.rate = 3 << 15;  // 1.5: rounded to 2 by an integral host, kept by a fractional one
    ASSERT_EQ(BuildInputBuffer(PlanesOf(image), {0, 0, 1, 4}, 0, 0, rules, 0, &buffer), noErr);
    EXPECT_EQ(Sample(buffer, 3, 0, 0), 6);
    rules.samplingSupport = hostSupportsFractionalSampling;
    ASSERT_EQ(BuildInputBuffer(PlanesOf(image), {0, 0, 1, 4}, 0, 0, rules, 0, &buffer), noErr);
    EXPECT_EQ(Sample(buffer, 3, 0, 0), 4);  // floor(3 * 1.5)
    rules.samplingSupport = hostDoesNotSupportSampling;
    ASSERT_EQ(BuildInputBuffer(PlanesOf(image), {0, 0, 1, 4}, 0, 0, rules, 0, &buffer), noErr);
    EXPECT_EQ(Sample(buffer, 3, 0, 0), 3);
}

TEST(PixelExchangeTest, FillsOutsideTheImageAsThePaddingSays) {
    const Document image = CountingImage();
    const Rect overhanging = {-1, 6, 1, 9};  // one row above, one column to the right
    ExchangeBuffer buffer;
    SamplingRules rules;
    rules.supportsPadding = true;

    rules.padding = 255;
    ASSERT_EQ(BuildInputBuffer(PlanesOf(image), overhanging, 0, 0, rules, 0, &buffer), noErr);
    EXPECT_EQ(Sample(buffer, 0, 0, 0), 255);
    EXPECT_EQ(Sample(buffer, 1, 1, 0), 7);
    EXPECT_EQ(Sample(buffer, 2, 1, 0), 255);

    rules.padding = plugInWantsEdgeReplication;
    ASSERT_EQ(BuildInputBuffer(PlanesOf(image), overhanging, 0, 0, rules, 0, &buffer), noErr);
    EXPECT_EQ(Sample(buffer, 0, 0, 0), 6);
    EXPECT_EQ(Sample(buffer, 2, 1, 0), 7);

    rules.padding = plugInWantsErrorOnBoundsException;
    EXPECT_EQ(BuildInputBuffer(PlanesOf(image), overhanging, 0, 0, rules, 0, &buffer), paramErr);
    EXPECT_EQ(BuildInputBuffer(PlanesOf(image), {0, 0, 2, 2}, 0, 0, rules, 0, &buffer), noErr);
    rules.padding = 256;
    EXPECT_EQ(BuildInputBuffer(PlanesOf(image), {0, 0, 2, 2}, 0, 0, rules, 0, &buffer), paramErr);

    // Without padding support the outside reads as zero.
    ASSERT_EQ(BuildInputBuffer(PlanesOf(image), overhanging, 0, 0, {}, 0, &buffer), noErr);
    EXPECT_EQ(Sample(buffer, 0, 0, 0), 0);
    EXPECT_EQ(Sample(buffer, 1, 1, 0), 7);
}

TEST(PixelExchangeTest, RefusesPlanesAndOutputAreasOutsideTheImage) {
    Document image = CountingImage();
    ExchangeBuffer buffer;
    EXPECT_EQ(BuildInputBuffer(PlanesOf(image), {0, 0, 2, 2}, 2, 3, {}, 0, &buffer), paramErr);
    EXPECT_EQ(BuildInputBuffer(PlanesOf(image), {0, 0, 2, 2}, 1, 0, {}, 0, &buffer), paramErr);
    image.filterRect = {1, 1, 5, 7};
    EXPECT_EQ(BuildOutputBuffer(image, {0, 1, 5, 7}, 0, 0, 0, &buffer), paramErr);
    EXPECT_EQ(BuildOutputBuffer(image, {1, 1, 5, 8}, 0, 0, 0, &buffer), paramErr);
    EXPECT_EQ(BuildOutputBuffer(image, {1, 1, 5, 7}, 0, 0, 0, &buffer), noErr);
}

TEST(PixelExchangeTest, TakesOutputBackAndCountsWritesIntoRowPadding) {
    Document image = CountingImage();
    ExchangeBuffer buffer;
    ASSERT_EQ(BuildOutputBuffer(image, {1, 2, 2, 4}, 0, 1, 2, &buffer), noErr);
    EXPECT_EQ(buffer.bytes[1], 112);  // the current pixels, interleaved
    buffer.bytes[0] = 200;
    buffer.bytes[3] = 201;
    buffer.bytes[5] = 0x11;  // the plug-in wrote into the row padding
    EXPECT_EQ(TakeBackOutput(buffer, &image), 1u);
    EXPECT_EQ(image.At(0, 2, 1), 200);
    EXPECT_EQ(image.At(1, 3, 1), 201);
    EXPECT_EQ(image.At(2, 3, 1), 213);
}

TEST(PixelExchangeTest, SelectionMixesFilteredAndOriginalByTheMask) {
    Document original = CountingImage();
    original.selectionMask = std::vector<uint8_t>(48, 0);
    (*original.selectionMask)[1 * 8 + 2] = 255;
    (*original.selectionMask)[1 * 8 + 3] = 128;
    Document filtered = original;
    for (int plane = 0; plane < 3; ++plane)
        std::fill(filtered.Plane(plane).begin(), filtered.Plane(plane).end(), 200);
    BlendBySelection(original, &filtered);
    EXPECT_EQ(filtered.At(0, 2, 1), 200);
    EXPECT_EQ(filtered.At(0, 3, 1), (200 * 128 + 13 * 127 + 127) / 255);
    EXPECT_EQ(filtered.At(2, 4, 1), 214);
}

// ---- Handles and descriptors

TEST(HandleRegistryTest, TracksSizesLocksDisposalAndMisuse) {
    HandleRegistry handles;
    const Handle handle = handles.New(12);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handles.New(-1), nullptr);
    EXPECT_EQ(handles.Size(handle), 12);
    Ptr locked = handles.Lock(handle);
    ASSERT_EQ(locked, *handle);
    locked[11] = 7;
    EXPECT_EQ(handles.SetSize(handle, 20), memFullErr);  // would move under the lock
    handles.Unlock(handle);
    ASSERT_EQ(handles.SetSize(handle, 20), noErr);
    EXPECT_EQ(handles.Contents(handle)[11], 7);
    EXPECT_EQ(handles.Contents(handle)[19], 0);

    handles.Dispose(handle);
    EXPECT_EQ(handles.LiveCount(), 0u);
    EXPECT_TRUE(handles.WasDisposed(handle));
    EXPECT_EQ(handles.Contents(handle).size(), 20u);
    EXPECT_EQ(handles.MisuseCount(), 0u);
    handles.Dispose(handle);
    handles.Unlock(handle);
    EXPECT_EQ(handles.Lock(handle), nullptr);
    handles.Dispose(nullptr);
    EXPECT_EQ(handles.MisuseCount(), 3u);
}

TEST(DescriptorTest, SurvivesTheTripThroughAHandle) {
    Descriptor descriptor{{FourCC("Amnt"), 37.8}, {FourCC("Brgh"), -1.0}};
    descriptor.PutFloat(FourCC("Amnt"), 20.0);
    descriptor.Append({FourCC("Bool"), FourCC("bool"), 1.0});
    const std::optional<Descriptor> copy = Descriptor::Deserialize(descriptor.Serialize());
    ASSERT_TRUE(copy.has_value());
    ASSERT_EQ(copy->items().size(), 3u);
    EXPECT_EQ(copy->GetFloat(FourCC("Amnt")), 20.0);
    EXPECT_EQ(copy->GetFloat(FourCC("Brgh")), -1.0);
    EXPECT_FALSE(copy->GetFloat(FourCC("Bool")).has_value());  // not a double
    EXPECT_TRUE(copy->HasKey(FourCC("Bool")));

    std::vector<uint8_t> truncated = descriptor.Serialize();
    truncated.pop_back();
    EXPECT_FALSE(Descriptor::Deserialize(truncated).has_value());
    EXPECT_FALSE(Descriptor::Deserialize({}).has_value());
}

}  // namespace
