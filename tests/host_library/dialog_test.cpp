// The preview dialog through the real module, in the host library's scripted
// window: the requests and labels of a 3000 x 2000 photo, the preview's
// pixels against the engine, selection masks, OK, Cancel, reopening, and
// every host callback failing at every call during the dialog.
#include <cstdlib>
#include <cstring>

#include "app/scripted_dialog_view.h"
#include "engine/noise_reducer.h"
#include "host/test_seams.h"
#include "resources/plugin_identity.h"
#include "tests/host_library/plugin_fixture.h"

namespace {

// Dialog template ids the scripts use.
constexpr int32_t kPreviewPane = 1039;
constexpr int32_t kNavigatorPane = 1028;
constexpr int32_t kHighlightEdit = 1013;
constexpr int32_t kShadowEdit = 1018;
constexpr int32_t kClarityEdit = 1020;
constexpr int32_t kZoomIn = 1025;
constexpr int32_t kZoomOut = 1026;
constexpr int32_t kZoomLabel = 1037;
constexpr int32_t kBefore = 1030;
constexpr int32_t kAfter = 1031;
constexpr int32_t kOk = 1056;
constexpr int32_t kCancel = 2;

// A preview control of 414 x 408 pixels: 410 x 404 inside its 2-pixel inset.
constexpr LumistraViewRect kPreviewRect = {12, 60, 426, 468};
constexpr LumistraViewRect kNavigatorRect = {504, 63, 743, 274};

std::vector<ScriptAction> Script(const std::vector<std::string>& lines) {
    std::vector<ScriptAction> actions;
    std::string error;
    for (const std::string& line : lines) {
        EXPECT_TRUE(ParseScriptLine(line, &actions, &error)) << error;
    }
    return actions;
}

ScriptedViewSetup DialogSetup() {
    ScriptedViewSetup setup;
    setup.controlRects[kPreviewPane] = kPreviewRect;
    setup.controlRects[kNavigatorPane] = kNavigatorRect;
    setup.editIds = {kHighlightEdit, kShadowEdit, kClarityEdit};
    setup.radioGroups = {{kBefore, kAfter}};
    setup.okId = kOk;
    setup.cancelId = kCancel;
    return setup;
}

bool SameRect(const Rect& rect, int16_t top, int16_t left, int16_t bottom, int16_t right) {
    return rect.top == top && rect.left == left && rect.bottom == bottom && rect.right == right;
}

void* AllocateZeroed(uint32_t size) { return std::calloc(size == 0 ? 1 : size, 1); }

// The preview of a region as the engine makes it: the region's plane padded
// to multiples of 64 by repeating its last column and row, filtered in place.
std::vector<uint8_t> ExpectedPreviewPlane(const Document& document, int plane, const Rect& region,
                                          const EngineParameters& values, int32_t startLevel) {
    const int32_t width = region.right - region.left;
    const int32_t height = region.bottom - region.top;
    const int32_t paddedWidth = (width + 63) / 64 * 64;
    const int32_t paddedHeight = (height + 63) / 64 * 64;
    std::vector<uint8_t> working(static_cast<std::size_t>(paddedWidth) * paddedHeight);
    for (int32_t y = 0; y < paddedHeight; ++y) {
        for (int32_t x = 0; x < paddedWidth; ++x) {
            working[static_cast<std::size_t>(y) * paddedWidth + x] = document.At(
                plane, region.left + std::min(x, width - 1), region.top + std::min(y, height - 1));
        }
    }
    NoiseReducer engine(AllocateZeroed, std::free);
    EXPECT_FALSE(engine.ProcessPlane(working.data(), working.data(), paddedWidth, paddedHeight,
                                     values.hiStrength, values.loStrength, values.clarity,
                                     startLevel, 5));
    return working;
}

class DialogTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        Seams().setDialogAnswer(0);  // the dialog as built
        watchPasses_ = reinterpret_cast<void (*)(LumistraTestEnginePassObserver, void*)>(
            Module().FindSymbol("LumistraTestSetEnginePassObserver"));
        ASSERT_NE(watchPasses_, nullptr);
        watchPasses_(
            [](const LumistraTestEnginePass* pass, void* passes) {
                static_cast<std::vector<LumistraTestEnginePass>*>(passes)->push_back(*pass);
            },
            &passes_);
    }

    void TearDown() override {
        if (watchPasses_ != nullptr) watchPasses_(nullptr, nullptr);
        PluginTest::TearDown();
    }

    // Opens the dialog on document, plays the script and finishes the invocation.
    InvocationReport RunDialog(Document& document, const std::vector<std::string>& lines,
                               HostOptions options = {}, InvocationOptions invocation = {}) {
        options.viewWidth = 759;
        options.viewHeight = 528;
        host_ = std::make_unique<FilterHost>(Module(), document, options);
        view_ =
            std::make_unique<ScriptedDialogView>(DialogSetup(), Script(lines), &host_->viewImage());
        host_->SetPlatformWindow(reinterpret_cast<intptr_t>(view_->Table()));
        passes_.clear();
        return host_->Invoke(invocation);
    }

    std::vector<HostRequest> DialogRequests() const {
        // The run's own requests ask for one plane at full resolution over the
        // filter area and come after the dialog's.
        std::vector<HostRequest> requests;
        for (const HostRequest& request : host_->observations().requests()) {
            if (request.inHiPlane == 0 && !IsEmptyRect(request.outRect)) break;
            requests.push_back(request);
        }
        return requests;
    }

    void (*watchPasses_)(LumistraTestEnginePassObserver, void*) = nullptr;
    std::vector<LumistraTestEnginePass> passes_;
    std::unique_ptr<FilterHost> host_;
    std::unique_ptr<ScriptedDialogView> view_;
};

TEST_F(DialogTest, PhotoOf3000By2000OpensAtFullSizeOnItsCentre) {
    Document photo = MakePhoto(ColourMode::kRgb, 3000, 2000, 3);
    const Document original = photo;
    const InvocationReport report =
        RunDialog(photo, {"paint", "click 1026", "click 1026", "click 1026", "cancel"});
    EXPECT_EQ(report.result, userCanceledErr);
    EXPECT_EQ(view_->result(), 2);
    EXPECT_TRUE(photo == original);

    const std::vector<HostRequest> requests = DialogRequests();
    ASSERT_GE(requests.size(), 2u);
    // The navigator at fit 13 (3000 / 235 + 1), then the preview at 100 %.
    EXPECT_TRUE(SameRect(requests[0].inRect, 0, 0, 153, 230));
    EXPECT_EQ(requests[0].inputRate, 13 << 16);
    EXPECT_TRUE(SameRect(requests[1].inRect, 874, 1312, 1124, 1687));
    EXPECT_EQ(requests[1].inputRate, 1 << 16);
    EXPECT_EQ(requests[1].inLoPlane, 0);
    EXPECT_EQ(requests[1].inHiPlane, 2);
    EXPECT_TRUE(IsEmptyRect(requests[1].maskRect));  // no selection

    // One pass per plane at start, on the padded 384 x 256 plane at level 1.
    ASSERT_GE(passes_.size(), 3u);
    EXPECT_EQ(passes_[0].startLevel, 1);
    EXPECT_EQ(passes_[0].maxLevel, 5);
    EXPECT_EQ(passes_[0].width, 384u);
    EXPECT_EQ(passes_[0].height, 256u);
    EXPECT_FLOAT_EQ(passes_[0].hiStrength, 1.4142135f);
    EXPECT_FLOAT_EQ(passes_[0].clarity, 1.0f);
    // Zooming out to the whole image: fit 8 and the last level at 12.5 %.
    const DialogControl* zoomOut = view_->Find(kZoomOut);
    ASSERT_NE(zoomOut, nullptr);
    EXPECT_FALSE(zoomOut->enabled);
    EXPECT_TRUE(view_->Find(kZoomIn)->enabled);
    EXPECT_EQ(view_->Find(kZoomLabel)->text, "12.5%");
    EXPECT_EQ(view_->focus(), kZoomIn);
}

TEST_F(DialogTest, LabelsGoFrom100To12Point5Percent) {
    Document photo = MakePhoto(ColourMode::kRgb, 3000, 2000, 3);
    std::vector<std::string> labels;
    const std::vector<std::string> script = {"click 1026", "click 1026", "click 1026",
                                             "click 1026", "click 1025", "cancel"};
    std::vector<bool> zoomInEnabled;
    HostOptions options;
    options.viewWidth = 759;
    options.viewHeight = 528;
    host_ = std::make_unique<FilterHost>(Module(), photo, options);
    view_ =
        std::make_unique<ScriptedDialogView>(DialogSetup(), Script(script), &host_->viewImage());
    view_->observer = [&](const ScriptAction*, bool) {
        labels.push_back(view_->Find(kZoomLabel)->text);
        zoomInEnabled.push_back(view_->Find(kZoomIn)->enabled);
    };
    host_->SetPlatformWindow(reinterpret_cast<intptr_t>(view_->Table()));
    host_->Invoke();
    EXPECT_EQ(labels,
              (std::vector<std::string>{"100%", "50%", "25%", "12.5%", "12.5%", "25%", "25%"}));
    EXPECT_FALSE(zoomInEnabled[0]);
    EXPECT_TRUE(zoomInEnabled[1]);
}

TEST_F(DialogTest, PreviewShowsTheEngineResultOfThePaddedRegion) {
    Document photo = MakePhoto(ColourMode::kRgb, 3000, 2000, 5);
    RunDialog(photo, {"paint", "cancel"});
    const std::vector<DisplayCopy>& displays = host_->observations().displayCalls();
    ASSERT_GE(displays.size(), 2u);
    const DisplayCopy& preview = displays[0];
    ASSERT_EQ(preview.width, 375);
    ASSERT_EQ(preview.height, 250);
    // Centred in the control: ((12 + 426 - 375) / 2, (60 + 468 - 250) / 2).
    EXPECT_EQ(preview.destinationColumn, 31);
    EXPECT_EQ(preview.destinationRow, 139);
    EXPECT_FALSE(preview.mask.has_value());
    const EngineParameters values = ConvertAmounts({});
    const Rect region = {874, 1312, 1124, 1687};
    for (int plane = 0; plane < 3; ++plane) {
        const std::vector<uint8_t> expected = ExpectedPreviewPlane(photo, plane, region, values, 1);
        std::size_t differing = 0;
        for (int32_t y = 0; y < 250; ++y) {
            for (int32_t x = 0; x < 375; ++x) {
                if (preview.Sample(x, y, plane) !=
                    expected[static_cast<std::size_t>(y) * 384 + x]) {
                    ++differing;
                }
            }
        }
        EXPECT_EQ(differing, 0u) << "plane " << plane;
    }
    // The view image holds what was drawn.
    EXPECT_EQ(host_->viewImage().At(31, 139)[0], preview.Sample(0, 0, 0));
}

TEST_F(DialogTest, WithASelectionMaskBothPanesChainIt) {
    Document photo = MakePhoto(ColourMode::kRgb, 900, 700, 9);
    std::vector<uint8_t> mask(900u * 700u);
    for (std::size_t at = 0; at < mask.size(); ++at) mask[at] = (at % 900) < 450 ? 255 : 0;
    photo.selectionMask = mask;
    RunDialog(photo, {"paint", "cancel"});
    const std::vector<DisplayCopy>& displays = host_->observations().displayCalls();
    ASSERT_GE(displays.size(), 2u);
    for (const DisplayCopy& copy : displays) {
        ASSERT_TRUE(copy.mask.has_value());
        EXPECT_EQ(copy.chainedMasks, 1);
        EXPECT_EQ(copy.maskDescription, 0);
    }
    // The requests ask for the mask over the same rectangle at the same rate.
    for (const HostRequest& request : DialogRequests()) {
        EXPECT_EQ(std::memcmp(&request.maskRect, &request.inRect, sizeof(Rect)), 0);
        EXPECT_EQ(request.maskRate, request.inputRate);
    }
    // The navigator's mask is the document's, point-sampled at its rate.
    const std::vector<HostRequest> requests = DialogRequests();
    ASSERT_FALSE(requests.empty());
    const HostRequest& navigator = requests[0];
    const int32_t rate = navigator.inputRate >> 16;
    const DisplayCopy& navigatorCopy = displays[1];
    for (int32_t x = 0; x < navigatorCopy.width; x += 7) {
        EXPECT_EQ((*navigatorCopy.mask)[static_cast<std::size_t>(x)],
                  mask[static_cast<std::size_t>(navigator.inRect.left + x) * rate])
            << x;
    }
}

TEST_F(DialogTest, OkRecordsTheValuesAndFiltersAsAReplayWould) {
    Document photo = MakePhoto(ColourMode::kRgb, 600, 400, 2);
    const Document original = photo;
    Document replayed = photo;
    const InvocationReport report =
        RunDialog(photo, {"type 1013 70", "type 1020 150", "timer", "paint", "ok"});
    EXPECT_EQ(report.result, noErr);
    EXPECT_EQ(view_->result(), 1);
    EXPECT_EQ(view_->Find(kClarityEdit)->text, "100");
    ASSERT_TRUE(report.recorded.has_value());
    EXPECT_EQ(report.recorded->GetFloat(keyNoiseHighAmount), 70.0);
    EXPECT_EQ(report.recorded->GetFloat(keyNoiseLowAmount), 50.0);
    EXPECT_EQ(report.recorded->GetFloat(keyClarityAmount), 100.0);

    // The same values replayed without a dialog give the same pixels.
    FilterHost replay(Module(), replayed);
    InvocationOptions silent;
    silent.playInfo = plugInDialogSilent;
    silent.replay = *report.recorded;
    ASSERT_EQ(replay.Invoke(silent).result, noErr);
    EXPECT_TRUE(photo == replayed);
    EXPECT_TRUE(photo == EngineResult(original, {70, 50, 100}));
    EXPECT_TRUE(host_->Leaks().None()) << host_->Leaks().Describe();
}

TEST_F(DialogTest, CancelLeavesTheDocumentAndReopeningStartsAfresh) {
    Document photo = MakePhoto(ColourMode::kRgb, 600, 400, 4);
    const Document original = photo;
    EXPECT_EQ(RunDialog(photo, {"type 1013 90", "cancel"}).result, userCanceledErr);
    EXPECT_TRUE(photo == original);
    const std::size_t firstPasses = passes_.size();
    EXPECT_GE(firstPasses, 3u);

    // The second dialog in the same loaded module fetches and filters at start
    // again, and shows the values as they were before the cancelled one.
    EXPECT_EQ(RunDialog(photo, {"cancel"}).result, userCanceledErr);
    EXPECT_EQ(passes_.size(), 3u);
    EXPECT_GE(DialogRequests().size(), 2u);
    EXPECT_EQ(view_->Find(kHighlightEdit)->text, "50");
    EXPECT_TRUE(photo == original);
}

TEST_F(DialogTest, FailingHostCallbacksLeaveNothingBehind) {
    const std::vector<std::string> script = {"paint",      "type 1013 20", "timer", "paint",
                                             "click 1030", "paint",        "ok"};
    Document clean = MakePhoto(ColourMode::kRgb, 320, 300, 6);
    RunDialog(clean, script);
    std::vector<std::pair<HostCallback, uint32_t>> counts;
    for (std::size_t c = 0; c < kHostCallbackCount; ++c) {
        const auto callback = static_cast<HostCallback>(c);
        if (HostCallbackCanFail(callback) && host_->faults().Calls(callback) > 0) {
            counts.emplace_back(callback, host_->faults().Calls(callback));
        }
    }
    ASSERT_FALSE(counts.empty());
    for (const auto& [callback, calls] : counts) {
        for (uint32_t index = 1; index <= calls; ++index) {
            SCOPED_TRACE(std::string(HostCallbackName(callback)) + " call " +
                         std::to_string(index));
            Document photo = MakePhoto(ColourMode::kRgb, 320, 300, 6);
            HostOptions options;
            options.viewWidth = 759;
            options.viewHeight = 528;
            host_ = std::make_unique<FilterHost>(Module(), photo, options);
            view_ = std::make_unique<ScriptedDialogView>(DialogSetup(), Script(script));
            host_->SetPlatformWindow(reinterpret_cast<intptr_t>(view_->Table()));
            host_->faults().FailAt(callback, index);
            host_->Invoke();
            EXPECT_TRUE(host_->Leaks().None()) << host_->Leaks().Describe();
            EXPECT_EQ(Seams().liveBlockCount(), 0);
            // The dialog either ran to its end or never opened.
            EXPECT_TRUE(view_->modalRuns() == 0 || view_->ended());
        }
    }
}

}  // namespace
