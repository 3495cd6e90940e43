#include "ui/dialog_model.h"

#include <initializer_list>

#include "ui/dialog_controls.h"
#include "ui/pane_layout.h"
#include "ui/value_rules.h"
#include "ui/zoom_geometry.h"

namespace {
// A slider, its edit field and the parameter they show.
struct ValueControl {
    int32_t sliderId;
    int32_t editId;
    float FilterParameters::*field;
};

constexpr ValueControl kValueControls[] = {
    {kHighlightSlider, kHighlightEdit, &FilterParameters::noiseHighAmount},
    {kShadowSlider, kShadowEdit, &FilterParameters::noiseLowAmount},
    {kClaritySlider, kClarityEdit, &FilterParameters::clarityAmount},
};

const ValueControl* ControlOfEdit(int32_t editId) {
    for (const ValueControl& control : kValueControls) {
        if (control.editId == editId) return &control;
    }
    return nullptr;
}

const ValueControl* ControlOfSlider(int32_t sliderId) {
    for (const ValueControl& control : kValueControls) {
        if (control.sliderId == sliderId) return &control;
    }
    return nullptr;
}
}  // namespace

DialogModel::DialogModel(DialogView& view, PreviewPort& port, FilterParameters* parameters,
                         int16_t planeCount)
    : view_(view), port_(port), parameters_(parameters), planeCount_(planeCount) {
    previewPane_.controlId = kPreviewPlaceholder;
    navigatorPane_.controlId = kNavigatorPlaceholder;
}

DialogModel::~DialogModel() {
    ReleasePaneBuffers(previewPane_);
    ReleasePaneBuffers(navigatorPane_);
}

PreviewContext DialogModel::Context() {
    return PreviewContext{port_, pending_, zoom_, *parameters_, filterRect_, planeCount_};
}

void DialogModel::SetPending(bool fetch, bool filter, bool display) {
    if (fetch) pending_.fetchPending = true;
    if (filter) pending_.filterPending = true;
    if (display) pending_.displayPending = true;
}

int32_t DialogModel::OnInitDialog() {
    SetPending(true, true, true);

    const ViewSize screen = view_.ScreenSize();
    const ViewRect client = view_.ClientRect();
    if (client.bottom > screen.height || client.right > screen.width) {
        view_.ShowErrorMessage(kErrorCaption, kSmallFontsMessage);
        view_.EndDialog(kDialogScreenTooSmall);
        return kMessageNotHandled;
    }

    char subtitle[kSubtitleCapacity] = {};
    view_.LoadModuleString(kSubtitleStringId, subtitle, kSubtitleCapacity);
    view_.SetItemText(kSubtitleText, subtitle);
    view_.SetCaption(kDialogCaption);

    for (const ValueControl& control : kValueControls) {
        view_.SetSliderRange(control.sliderId, 0, 100, false);
        view_.SetSliderPageSize(control.sliderId, 1);
        view_.SetSliderLineSize(control.sliderId, 1);
        view_.SetSliderTickFrequency(control.sliderId, 10);
    }

    filterRect_ = port_.FilterRect();
    LayoutPane(view_, filterRect_, previewPane_);
    LayoutPane(view_, filterRect_, navigatorPane_);
    if (!AllocatePaneBuffers()) {
        view_.EndDialog(kDialogNoPaneBuffers);
        return kMessageNotHandled;
    }

    BuildZoomLevels(filterRect_, zoom_, previewPane_);
    zoom_.level = zoom_.highest;
    char label[16];
    FormatZoomLabel(zoom_.level, zoom_.highest, label, sizeof label);
    view_.SetItemText(kZoomLabel, label);
    SetInitialView(filterRect_, zoom_);

    view_.EnableItem(kZoomInButton, false);
    view_.EnableItem(kZoomOutButton, zoom_.highest > 0);
    PlacePreviewRegion();

    view_.CheckButton(kAfterRadio, true);
    mode_ = PreviewAfter;
    SetEditsFromParameters();
    for (const ValueControl& control : kValueControls) view_.FocusItem(control.sliderId);

    PreviewContext context = Context();
    FetchNavigatorImage(context, navigatorPane_);
    InvalidatePane(navigatorPane_);

    const PlatformCursor previous = view_.ShowCursor(CursorKind::AppStarting);
    ComputePreview(context, PreviewAfter, previewPane_);
    InvalidatePane(previewPane_);
    view_.RestoreCursor(previous);
    return kMessageNotHandled;
}

// A buffer that cannot be obtained ends the dialog; the ones obtained before it are
// returned here rather than left to the plug-in's final release.
bool DialogModel::AllocatePaneBuffers() {
    const auto allocate = port_.Allocator();
    const auto bytes = [this](const PaneView& pane) {
        return uint32_t(pane.width < 0 ? 0 : pane.width) *
               uint32_t(pane.height < 0 ? 0 : pane.height) *
               uint32_t(planeCount_ < 0 ? 0 : planeCount_);
    };
    uint8_t** const slots[] = {&previewPane_.displayBuffer,   &previewPane_.unfilteredBuffer,
                               &previewPane_.filteredBuffer,  &previewPane_.maskBuffer,
                               &navigatorPane_.displayBuffer, &navigatorPane_.maskBuffer};
    const uint32_t sizes[] = {bytes(previewPane_), bytes(previewPane_),   bytes(previewPane_),
                              bytes(previewPane_), bytes(navigatorPane_), bytes(navigatorPane_)};
    for (size_t i = 0; i < sizeof slots / sizeof slots[0]; ++i) {
        *slots[i] = static_cast<uint8_t*>(allocate(sizes[i]));
        if (*slots[i] == nullptr) {
            ReleasePaneBuffers(previewPane_);
            ReleasePaneBuffers(navigatorPane_);
            return false;
        }
    }
    return true;
}

void DialogModel::ReleasePaneBuffers(PaneView& pane) {
    const auto release = port_.Releaser();
    for (uint8_t** slot :
         {&pane.displayBuffer, &pane.unfilteredBuffer, &pane.filteredBuffer, &pane.maskBuffer}) {
        if (*slot == nullptr) continue;
        release(*slot);
        *slot = nullptr;
    }
}

void DialogModel::SetEditsFromParameters() {
    for (const ValueControl& control : kValueControls) {
        view_.SetItemInt(control.editId, WholeAmount(parameters_->*control.field), false);
    }
}

void DialogModel::ApplyDefaults() {
    parameters_->noiseHighAmount = kDefaultAmount;
    parameters_->noiseLowAmount = kDefaultAmount;
    parameters_->clarityAmount = kDefaultAmount;
    SetEditsFromParameters();
}

void DialogModel::OnEditChanged(int32_t editId) {
    const ValueControl* control = ControlOfEdit(editId);
    const int32_t typed = int32_t(view_.GetItemInt(editId, false));
    int32_t value = typed;
    if (typed > 100) {
        value = 100;
        view_.SetItemInt(editId, uint32_t(value), true);
    } else if (typed < 0) {
        value = 0;
        view_.SetItemInt(editId, uint32_t(value), true);
    }
    parameters_->*control->field = float(value);
    view_.SetSliderPosition(control->sliderId, value, true);
    view_.StartTimer(kRefreshTimer, kRefreshPeriodMs);
}

int32_t DialogModel::OnSliderScroll(int32_t sliderId, int32_t scrollCode, int32_t thumbPosition) {
    const ValueControl* control = ControlOfSlider(sliderId);
    if (control == nullptr) return kMessageHandled;
    if (scrollCode == kTrackThumbTrack) view_.StartTimer(kRefreshTimer, kRefreshPeriodMs);
    const int32_t current = int32_t(view_.GetItemInt(control->editId, false));
    const int32_t value = StepTrackValue(scrollCode, thumbPosition, current);
    view_.SetItemInt(control->editId, uint32_t(value), false);
    parameters_->*control->field = float(LimitToSliderRange(value));
    return kMessageHandled;
}

int32_t DialogModel::OnCommand(int32_t controlId, int32_t notification) {
    if (ControlOfEdit(controlId) != nullptr) {
        if (notification == kEditChanged) OnEditChanged(controlId);
        return kMessageHandled;
    }
    if (notification != kButtonClicked) return kMessageHandled;
    switch (controlId) {
        case kCancelButton:
        case kOkButton:
            ReleasePaneBuffers(previewPane_);
            ReleasePaneBuffers(navigatorPane_);
            view_.EndDialog(controlId == kOkButton ? kDialogAccepted : kDialogCancelled);
            return kMessageHandled;
        case kDefaultButton:
            ApplyDefaults();
            return kMessageHandled;
        case kZoomInButton:
            ZoomIn();
            return kMessageHandled;
        case kZoomOutButton:
            ZoomOut();
            return kMessageHandled;
        case kHelpButton:
            return view_.OpenHelp() ? kMessageHandled : kMessageNotHandled;
        case kBeforeRadio:
        case kAfterRadio:
            OnBeforeAfter(controlId);
            return kMessageHandled;
        default:
            return kMessageHandled;
    }
}

void DialogModel::OnBeforeAfter(int32_t radioId) {
    const bool checked = view_.IsButtonChecked(radioId);
    const bool showBefore = (radioId == kBeforeRadio) == checked;
    mode_ = showBefore ? PreviewBefore : PreviewAfter;
    SetPending(false, false, true);
    InvalidatePane(previewPane_);
}

int32_t DialogModel::OnTimer(int32_t timerId) {
    if (timerId != kRefreshTimer) return kMessageNotHandled;
    PlacePreviewRegion();
    InvalidatePane(previewPane_);
    SetPending(false, true, true);
    view_.KillTimer(kRefreshTimer);
    return kMessageNotHandled;
}

void DialogModel::PlacePreviewRegion() { PlaceRegion(filterRect_, zoom_, previewPane_); }

void DialogModel::ZoomIn() {
    view_.EnableItem(kZoomOutButton, true);
    const ZoomButtons buttons = StepZoomIn(zoom_);
    if (!buttons.zoomInEnabled) view_.EnableItem(kZoomInButton, false);
    if (buttons.focusId != 0) view_.FocusItem(buttons.focusId);
    PlacePreviewRegion();
    SetPending(true, true, true);
    FinishZoom();
}

void DialogModel::ZoomOut() {
    view_.EnableItem(kZoomInButton, true);
    const ZoomButtons buttons = StepZoomOut(zoom_);
    if (!buttons.zoomOutEnabled) view_.EnableItem(kZoomOutButton, false);
    if (buttons.focusId != 0) view_.FocusItem(buttons.focusId);
    SetPending(true, true, true);
    PlacePreviewRegion();
    FinishZoom();
}

void DialogModel::FinishZoom() {
    char label[16];
    FormatZoomLabel(zoom_.level, zoom_.highest, label, sizeof label);
    view_.SetItemText(kZoomLabel, label);
    InvalidatePane(navigatorPane_);
    view_.StartTimer(kRefreshTimer, kRefreshPeriodMs);
}

void DialogModel::InvalidatePane(const PaneView& pane) {
    view_.InvalidateArea(ToViewRect(pane.display));
}
