// The filtering run through the real entry point: which documents and hosts
// are refused with which message, how the planes are exchanged, and that the
// pixels are the engine's own result whatever the host's buffer habits.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/host_library/handle_contents.h"
#include "tests/host_library/plugin_fixture.h"

namespace {

constexpr char kPluginCaption[] = "LUMISTRA Plug-In - ERROR";
constexpr char kDisplayMessage[] = "Display resolution must at least be 800x600";
constexpr char kAreaMessage[] =
    "Image (or selection) must be at least 256x256.  Use your imaging application to increase "
    "the image size (or select a larger area).";
constexpr char kRgbMessage[] = "This plug-in only works on RGB data";
constexpr char kRgbCaption[] = "VLK QNT Error";

class FilterRunTest : public PluginTest {
protected:
    // Runs a whole invocation on document and checks that nothing is left behind.
    InvocationReport Run(Document& document, HostOptions options = {},
                         const InvocationOptions& invocation = {}) {
        FilterHost host(Module(), document, options);
        InvocationReport report = host.Invoke(invocation);
        advanceCalls_ = host.faults().Calls(HostCallback::kAdvanceState);
        bufferAllocations_ = host.faults().Calls(HostCallback::kBufferAllocate);
        paddingWrites_ = host.observations().outputPaddingWrites();
        progress_ = host.observations().progress();
        propertyChanges_ = host.observations().propertyChanges();
        EXPECT_TRUE(host.Leaks().None()) << host.Leaks().Describe();
        EXPECT_EQ(host.observations().callsEndingSuspended(), 0u);
        return report;
    }

    // A run the plug-in must refuse with a message, before any pixel is asked for.
    void ExpectRefused(Document& document, const HostOptions& options, const char* caption,
                       const char* message) {
        const Document before = document;
        testing::internal::CaptureStderr();
        const InvocationReport report = Run(document, options);
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(report.result, userCanceledErr);
        EXPECT_FALSE(report.imageChanged);
        EXPECT_TRUE(document == before);
        EXPECT_EQ(advanceCalls_, 0u);
        EXPECT_EQ(Seams().lastCaption(), std::string(caption));
        EXPECT_EQ(Seams().lastMessage(), std::string(message));
        EXPECT_NE(printed.find(std::string(caption) + ": " + message), std::string::npos)
            << printed;
    }

    uint32_t advanceCalls_ = 0;
    uint32_t bufferAllocations_ = 0;
    uint32_t paddingWrites_ = 0;
    std::vector<std::pair<int32_t, int32_t>> progress_;
    std::vector<PropertyChange> propertyChanges_;
};

TEST_F(FilterRunTest, RgbImageIsFilteredPlaneByPlaneLikeTheEngine) {
    Document document = MakePhoto(ColourMode::kRgb, 300, 280);
    const Document expected = EngineResult(document, {});
    const InvocationReport report = Run(document);
    ASSERT_EQ(report.result, noErr);
    EXPECT_TRUE(report.imageChanged);
    EXPECT_EQ(DifferingSamples(document, expected), 0u);
    // Request, hand back and release, for each of three planes.
    EXPECT_EQ(advanceCalls_, 9u);
    EXPECT_EQ(Seams().dialogCount(), 1);
    const std::vector<std::pair<int32_t, int32_t>> progress = {
        {0, 14}, {1, 14}, {2, 14},  {3, 14},  {4, 14},  {5, 14},  {6, 14},  {7, 14},
        {8, 14}, {9, 14}, {10, 14}, {11, 14}, {12, 14}, {12, 14}, {13, 14}, {14, 14}};
    EXPECT_EQ(progress_, progress);
    // Suspended around the dialog, then released, with the host's signature.
    ASSERT_EQ(propertyChanges_.size(), 2u);
    EXPECT_EQ(propertyChanges_[0].key, propWatchSuspension);
    EXPECT_EQ(propertyChanges_[0].signature, FourCC("8BIM"));
    EXPECT_EQ(propertyChanges_[0].index, 0);
    EXPECT_EQ(propertyChanges_[0].value, 1);
    EXPECT_EQ(propertyChanges_[1].value, 0);
}

TEST_F(FilterRunTest, WritingInPlaceGivesTheSamePixelsAndKeepsTheSelectionBlend) {
    HostOptions inPlace;
    inPlace.writeInPlace = true;
    // A selection's rectangle, with and without a feathered mask: the mask needs the
    // unfiltered pixels for its blend, so the host stages the output as usual.
    for (const bool withMask : {false, true}) {
        Document document = MakePhoto(ColourMode::kRgb, 320, 300, 11);
        document.filterRect = Rect{10, 20, 290, 300};
        if (withMask) {
            std::vector<uint8_t> mask(320u * 300u);
            for (std::size_t i = 0; i < mask.size(); ++i)
                mask[i] = uint8_t(i % 320 < 160 ? 255 : i % 256);
            document.selectionMask = mask;
        }
        const Document expected = EngineResult(document, {});
        const InvocationReport report = Run(document, inPlace);
        ASSERT_EQ(report.result, noErr) << withMask;
        EXPECT_TRUE(report.imageChanged);
        EXPECT_EQ(DifferingSamples(document, expected), 0u) << withMask;
    }
}

TEST_F(FilterRunTest, DialogValuesDriveTheEngine) {
    Seams().setDialogValues(70.0f, 20.0f, 90.0f);
    Document document = MakePhoto(ColourMode::kRgb, 300, 280, 7);
    const Document expected = EngineResult(document, {70.0f, 20.0f, 90.0f});
    ASSERT_EQ(Run(document).result, noErr);
    EXPECT_EQ(DifferingSamples(document, expected), 0u);
}

TEST_F(FilterRunTest, ExtremeValuesStillFilter) {
    for (const float amount : {0.0f, 100.0f}) {
        Seams().setDialogValues(amount, amount, amount);
        Document document = MakePhoto(ColourMode::kRgb, 256, 256, 3);
        const Document expected = EngineResult(document, {amount, amount, amount});
        ASSERT_EQ(Run(document).result, noErr) << amount;
        EXPECT_EQ(DifferingSamples(document, expected), 0u) << amount;
    }
}

TEST_F(FilterRunTest, LayerWithTransparencyIsFilteredAsThreePlanesWithAlphaUntouched) {
    Document document = MakePhoto(ColourMode::kRgba, 300, 280);
    const Document expected = EngineResult(document, {});
    FilterHost host(Module(), document);
    host.BeginInvocation();
    EXPECT_EQ(host.record().filterCase, filterCaseEditableTransparencyNoSelection);
    EXPECT_EQ(host.record().planes, 4);
    EXPECT_EQ(host.record().outLayerPlanes, 3);
    host.EndInvocation(false, false);

    const InvocationReport report = Run(document);
    ASSERT_EQ(report.result, noErr);
    EXPECT_EQ(DifferingSamples(document, expected), 0u);
    EXPECT_EQ(advanceCalls_, 9u);
}

TEST_F(FilterRunTest, GreyAndCmykImagesAreRefusedWithTheRgbMessage) {
    for (const ColourMode mode : {ColourMode::kGrey, ColourMode::kCmyk}) {
        Document document = MakePhoto(mode, 300, 280);
        ExpectRefused(document, Unchecked(), kRgbCaption, kRgbMessage);
    }
}

TEST_F(FilterRunTest, HostDoesNotOfferTheFilterForModesItsPropertyListExcludes) {
    Document document = MakePhoto(ColourMode::kGrey, 300, 280);
    const InvocationReport report = Run(document);
    EXPECT_EQ(report.result, filterBadMode);
    EXPECT_NE(report.refusal.find("GrayScaleMode"), std::string::npos) << report.refusal;
    EXPECT_TRUE(report.calls.empty());
}

TEST_F(FilterRunTest, AreaNarrowerOrLowerThan256IsRefused) {
    Document tooNarrow = MakePhoto(ColourMode::kRgb, 255, 1000);
    ExpectRefused(tooNarrow, {}, kPluginCaption, kAreaMessage);

    Document selection = MakePhoto(ColourMode::kRgb, 600, 600);
    selection.filterRect = {10, 10, 265, 400};  // 255 rows
    ExpectRefused(selection, {}, kPluginCaption, kAreaMessage);

    Document smallest = MakePhoto(ColourMode::kRgb, 256, 256);
    const Document expected = EngineResult(smallest, {});
    ASSERT_EQ(Run(smallest).result, noErr);
    EXPECT_TRUE(smallest == expected);
}

TEST_F(FilterRunTest, ScreenSmallerThan800By600IsRefused) {
    for (const auto& [width, height] : {std::pair{799, 1200}, std::pair{1024, 599}}) {
        Seams().setScreenSize(width, height);
        Document document = MakePhoto(ColourMode::kRgb, 300, 280);
        ExpectRefused(document, {}, kPluginCaption, kDisplayMessage);
    }
    Seams().setScreenSize(800, 600);
    Document document = MakePhoto(ColourMode::kRgb, 300, 280);
    EXPECT_EQ(Run(document).result, noErr);
}

TEST_F(FilterRunTest, SixteenBitDocumentIsRefusedAndDepthZeroCountsAsEight) {
    HostOptions deep = Unchecked();
    deep.depth = 16;
    Document document = MakePhoto(ColourMode::kRgb, 300, 280);
    ExpectRefused(document, deep, kPluginCaption, "This plug-in only works on 8-bit images");

    HostOptions old;
    old.depth = 0;
    const Document expected = EngineResult(document, {});
    ASSERT_EQ(Run(document, old).result, noErr);
    EXPECT_TRUE(document == expected);
}

TEST_F(FilterRunTest, RunDataRecordsDepthPlanesAndInputSize) {
    Document document = MakePhoto(ColourMode::kRgb, 300, 280);
    FilterHost host(Module(), document);
    host.BeginInvocation();
    ASSERT_EQ(host.CallSelector(filterSelectorParameters), noErr);
    ASSERT_EQ(host.CallSelector(filterSelectorPrepare), noErr);
    // The input size is the requested input area when the start selector begins.
    host.record().inRect = {0, 0, 120, 250};
    ASSERT_EQ(host.CallSelector(filterSelectorStart), noErr);
    const auto runData = RunDataValues(host.handles(), reinterpret_cast<Handle>(host.dataSlot()));
    EXPECT_EQ(runData[0], 3);    // planeCount
    EXPECT_EQ(runData[1], 8);    // bitDepth
    EXPECT_EQ(runData[2], 250);  // inputWidth
    EXPECT_EQ(runData[3], 120);  // inputHeight
    EXPECT_FALSE(host.AnyRectRequested());
    EXPECT_EQ(host.record().inputRate, 1 << 16);
    ASSERT_EQ(host.CallSelector(filterSelectorFinish), noErr);
    host.EndInvocation(true, true);
}

TEST_F(FilterRunTest, AbortAtTheFirstPollStopsBeforeTheEngineRuns) {
    Document document = MakePhoto(ColourMode::kRgb, 300, 280);
    const Document before = document;
    FilterHost host(Module(), document);
    host.faults().FailAt(HostCallback::kAbort, 1);
    const InvocationReport report = host.Invoke();
    EXPECT_EQ(report.result, userCanceledErr);
    EXPECT_EQ(host.faults().Calls(HostCallback::kAdvanceState), 1u);
    EXPECT_EQ(host.faults().Calls(HostCallback::kBufferAllocate), 0u);  // no engine call
    EXPECT_TRUE(document == before);
    EXPECT_TRUE(host.Leaks().None()) << host.Leaks().Describe();
    EXPECT_EQ(host.observations().callsEndingSuspended(), 0u);
}

TEST_F(FilterRunTest, CancelledDialogLeavesImageAndValuesAsTheyWere) {
    Seams().setDialogValues(90.0f, 10.0f, 10.0f);
    Seams().setDialogAnswer(kDialogCancel);
    Document document = MakePhoto(ColourMode::kRgb, 300, 280);
    const Document before = document;
    FilterHost host(Module(), document);
    host.BeginInvocation();
    ASSERT_EQ(host.CallSelector(filterSelectorParameters), noErr);
    ASSERT_EQ(host.CallSelector(filterSelectorPrepare), noErr);
    const Handle parameters = host.record().parameters;
    EXPECT_EQ(host.CallSelector(filterSelectorStart), userCanceledErr);
    host.EndInvocation(false, false);
    // The handle's last contents, as the clean-up disposed of it.
    EXPECT_EQ(ParameterValues(host.handles(), parameters), (std::array<float, 3>{50, 50, 50}));
    EXPECT_EQ(host.faults().Calls(HostCallback::kAdvanceState), 0u);
    EXPECT_TRUE(document == before);
    EXPECT_TRUE(host.Leaks().None()) << host.Leaks().Describe();
    EXPECT_EQ(host.observations().callsEndingSuspended(), 0u);
}

TEST_F(FilterRunTest, DialogThatCannotStartEndsTheRunAsCancelled) {
    for (const int answer : {-1, 0}) {  // 0: the shipped dialog, which Linux cannot show
        Seams().setDialogAnswer(answer);
        Document document = MakePhoto(ColourMode::kRgb, 300, 280);
        const Document before = document;
        const InvocationReport report = Run(document);
        EXPECT_EQ(report.result, userCanceledErr) << answer;
        EXPECT_EQ(advanceCalls_, 0u);
        EXPECT_TRUE(document == before);
    }
}

TEST_F(FilterRunTest, PaddedRowsAndDifferentOutputStrideAreFilteredCorrectly) {
    HostOptions padded;
    padded.inRowPadding = 13;
    padded.outRowPadding = 5;
    Document document = MakePhoto(ColourMode::kRgb, 300, 280, 11);
    const Document expected = EngineResult(document, {});
    ASSERT_EQ(Run(document, padded).result, noErr);
    EXPECT_EQ(DifferingSamples(document, expected), 0u);
    EXPECT_EQ(paddingWrites_, 0u);
}

TEST_F(FilterRunTest, SharedInputAndOutputBufferIsFilteredInPlace) {
    for (const int32_t padding : {0, 7}) {
        HostOptions shared;
        shared.shareInOutBuffers = true;
        shared.inRowPadding = padding;
        Document document = MakePhoto(ColourMode::kRgb, 300, 280, 5);
        const Document expected = EngineResult(document, {});
        ASSERT_EQ(Run(document, shared).result, noErr) << padding;
        EXPECT_EQ(DifferingSamples(document, expected), 0u) << padding;
    }
}

TEST_F(FilterRunTest, SelectionRectangleFiltersOnlyThatRectangle) {
    Document document = MakePhoto(ColourMode::kRgb, 420, 380, 2);
    document.filterRect = {40, 30, 340, 330};
    const Document expected = EngineResult(document, {});
    FilterHost host(Module(), document);
    host.BeginInvocation();
    EXPECT_EQ(host.record().filterCase, filterCaseFlatImageWithSelection);
    host.EndInvocation(false, false);

    ASSERT_EQ(Run(document).result, noErr);
    EXPECT_EQ(DifferingSamples(document, expected), 0u);
}

TEST_F(FilterRunTest, SelectionMaskLimitsTheChangeToTheSelection) {
    Document document = MakePhoto(ColourMode::kRgb, 300, 280, 4);
    std::vector<uint8_t> mask(static_cast<std::size_t>(300) * 280);
    for (std::size_t i = 0; i < mask.size(); ++i)
        mask[i] = static_cast<uint8_t>((i % 300) * 255 / 299);
    document.selectionMask = mask;
    const Document expected = EngineResult(document, {});
    ASSERT_EQ(Run(document).result, noErr);
    EXPECT_EQ(DifferingSamples(document, expected), 0u);
    // The unselected left column keeps its pixels.
    const Document original = MakePhoto(ColourMode::kRgb, 300, 280, 4);
    for (int32_t y = 0; y < 280; ++y) EXPECT_EQ(document.At(0, 0, y), original.At(0, 0, y));
}

TEST_F(FilterRunTest, HostWithoutOptionalServicesStillFilters) {
    HostOptions sparse;
    sparse.offerBufferProcs = false;
    sparse.offerPropertyProcs = false;
    sparse.offerDescriptorParameters = false;
    sparse.offerBasicSuite = false;
    sparse.filterCase = 0;  // an old host that does not set it
    Document document = MakePhoto(ColourMode::kRgb, 300, 280);
    const Document expected = EngineResult(document, {});
    const InvocationReport report = Run(document, sparse);
    ASSERT_EQ(report.result, noErr);
    EXPECT_TRUE(document == expected);
    EXPECT_TRUE(propertyChanges_.empty());
    EXPECT_FALSE(report.recorded.has_value());
}

TEST_F(FilterRunTest, EngineMemoryComesFromTheHostsBuffersWhenOffered) {
    Document document = MakePhoto(ColourMode::kRgb, 300, 280);
    ASSERT_EQ(Run(document).result, noErr);
    // Two working images per plane.
    EXPECT_EQ(bufferAllocations_, 6u);
}

}  // namespace

namespace {

// The module as shipped, without test seams: its dialog cannot be shown on
// this platform, but a replayed action that suppresses it filters.
TEST(ShippedModuleTest, FiltersAReplayedActionAndCancelsWhenItsDialogIsNeeded) {
    std::string error;
    const std::unique_ptr<PluginModule> module = PluginModule::Load(LUMISTRA_PLUGIN_MODULE, &error);
    ASSERT_NE(module, nullptr) << error;
    const Document original = MakePhoto(ColourMode::kRgb, 300, 280, 13);

    Document document = original;
    FilterHost host(*module, document);
    InvocationOptions replay;
    replay.replay =
        Descriptor{{FourCC("Amnt"), 20.0}, {FourCC("Brgh"), 30.0}, {FourCC("Fltn"), 70.0}};
    replay.playInfo = plugInDialogDontDisplay;
    ASSERT_EQ(host.Invoke(replay).result, noErr);
    EXPECT_EQ(DifferingSamples(document, EngineResult(original, {20.0f, 30.0f, 70.0f})), 0u);

    document = original;
    EXPECT_EQ(host.Invoke().result, userCanceledErr);
    EXPECT_TRUE(document == original);
    EXPECT_TRUE(host.Leaks().None()) << host.Leaks().Describe();
}

}  // namespace
