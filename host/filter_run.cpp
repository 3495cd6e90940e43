#include "host/filter_run.h"

#include <optional>

#include "engine/engine_values.h"
#include "engine/noise_reducer.h"
#include "host/last_parameters.h"
#include "host/offered_routines.h"
#include "host/plane_exchange.h"
#include "host/plugin_alloc.h"
#include "host/plugin_handles.h"
#include "host/plugin_state.h"
#include "host/progress_meter.h"
#include "host/script_parameters.h"
#include "host/user_interface.h"
#include "resources/plugin_messages.h"

namespace {
constexpr int16_t kRgbPlaneCount = 3;
constexpr int32_t kSampleBits = 8;
// Four steps per plane for three planes, and two more from the finish.
constexpr int32_t kProgressTotal = 14;
constexpr Fixed kFullResolutionRate = 1 << 16;

void Refuse(const char* caption, const char* text) {
    ShowErrorMessage(caption, text);
    SetResult(userCanceledErr);
}

// The tests before anything is asked of the host. Records the plane count and
// sample depth on the way.
bool PassesRunTests(const FilterRecord& filter, RunData& runData) {
    const ScreenSize screen = CurrentScreenSize();
    if (screen.height < kMinimumScreenHeight || screen.width < kMinimumScreenWidth) {
        Refuse(kPluginErrorCaption, kDisplayTooSmallMessage);
        return false;
    }
    const int32_t width = filter.filterRect.right - filter.filterRect.left;
    const int32_t height = filter.filterRect.bottom - filter.filterRect.top;
    if (width < kMinimumAreaSide || height < kMinimumAreaSide) {
        Refuse(kPluginErrorCaption, kAreaTooSmallMessage);
        return false;
    }
    // A layer's planes include its transparency; only its colour planes are filtered.
    runData.planeCount = filter.filterCase <= filterCaseFlatImageWithSelection
                             ? filter.planes
                             : filter.outLayerPlanes;
    if (runData.planeCount != kRgbPlaneCount) {
        Refuse(kModeErrorCaption, kRgbOnlyMessage);
        return false;
    }
    // The property list keeps deep documents away, but a host may ignore it;
    // their samples are not bytes and must not be filtered as if they were.
    const int32_t depth = filter.depth != 0 ? filter.depth : kSampleBits;
    if (depth != kSampleBits) {
        Refuse(kPluginErrorCaption, kEightBitOnlyMessage);
        return false;
    }
    runData.bitDepth = static_cast<int16_t>(depth);
    if (filter.advanceState == nullptr) {
        SetResult(errPlugInHostInsufficient);
        return false;
    }
    return true;
}

// While suspended, the host's callbacks leave the busy cursor alone, so that
// the dialog keeps the normal one.
void SetWatchSuspension(const FilterRecord& filter, intptr_t suspended) {
    if (SetPropertyProc setProperty = HostSetProperty(&filter)) {
        setProperty(filter.hostSig, propWatchSuspension, 0, suspended, nullptr);
    }
}

// Last-used values, then recorded ones, then the user's choice in the dialog.
// Null when the user cancelled or the dialog failed: the values are then as
// before the dialog.
std::optional<EngineValues> SettleValues(FilterRecord& filter, PluginState& state) {
    state.runData->inputHeight = static_cast<int16_t>(filter.inRect.bottom - filter.inRect.top);
    state.runData->inputWidth = static_cast<int16_t>(filter.inRect.right - filter.inRect.left);

    bool showDialog = true;
    if (filter.descriptorParameters != nullptr) {
        ReadLastParameters();
        ReadScriptParameters(showDialog);
    }
    const FilterParameters beforeDialog = *state.parameters;
    if (showDialog) {
        const int answer = ShowPreviewDialog();
        if (answer != kDialogAccepted) {
            // A dialog that failed to start has said why itself, if it could.
            // Its own error stays; without one the run still must not look
            // like a success, since nothing is filtered and the host must not
            // record a step.
            *state.parameters = beforeDialog;
            if (answer == kDialogCancelled || Result() == noErr) SetResult(userCanceledErr);
            return std::nullopt;
        }
        // The preview's failures were the dialog's to handle; the run starts clean.
        SetResult(noErr);
    }
    UpdateProgress(ProgressOperation::Enable);
    UpdateProgress(ProgressOperation::Start, kProgressTotal);
    filter.inputRate = kFullResolutionRate;
    return ConvertEngineValues(*state.parameters);
}

bool AbortRequested(const FilterRecord& filter) {
    if (filter.abortProc == nullptr || !filter.abortProc()) return false;
    SetResult(userCanceledErr);
    return true;
}

// The host's reply becomes the result; after a failure it must not be asked again.
bool Advance(FilterRecord& filter) {
    SetResult(filter.advanceState());
    return Result() == noErr;
}

// Request, filter, hand back and release one plane.
bool ExchangePlane(FilterRecord& filter, NoiseReducer& engine, const EngineValues& values,
                   int16_t plane) {
    UpdateProgress(ProgressOperation::Step);
    filter.inLoPlane = filter.inHiPlane = plane;
    filter.outLoPlane = filter.outHiPlane = plane;
    filter.inRect = filter.filterRect;
    filter.outRect = filter.filterRect;
    filter.maskRect = Rect{};
    if (!Advance(filter) || AbortRequested(filter)) return false;

    UpdateProgress(ProgressOperation::Step);
    if (!FilterDeliveredPlane(filter, engine, values)) return false;
    UpdateProgress(ProgressOperation::Step);
    if (AbortRequested(filter)) return false;

    // Hand the output back without asking for new input, then let the host
    // release its buffers.
    filter.inRect = Rect{};
    filter.maskRect = Rect{};
    if (!Advance(filter)) return false;
    ClearRects(filter);
    if (!Advance(filter) || AbortRequested(filter)) return false;
    UpdateProgress(ProgressOperation::Step);
    return true;
}

void FilterPlanes(FilterRecord& filter, int16_t planeCount, const EngineValues& values) {
    NoiseReducer engine(PluginAlloc, PluginFree);
    bool completed = true;
    for (int16_t plane = 0; plane < planeCount && completed; ++plane) {
        completed = ExchangePlane(filter, engine, values, plane);
    }
    if (completed) {
        ClearRects(filter);
        UpdateProgress(ProgressOperation::Finish);
    }
    // A failed plane may leave working images behind.
    engine.ReleaseWorkImages();
}
}  // namespace

void DoStart() {
    PluginState& state = State();
    FilterRecord& filter = *state.filter;
    if (!PassesRunTests(filter, *state.runData)) return;

    SetWatchSuspension(filter, 1);
    const std::optional<EngineValues> values = SettleValues(filter, state);
    SetWatchSuspension(filter, 0);
    if (values) FilterPlanes(filter, state.runData->planeCount, *values);
}
