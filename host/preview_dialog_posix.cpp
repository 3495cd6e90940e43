// On Linux a host offers the dialog a window through the view table in
// PlatformData (interface/dialog_view_abi.h); the model runs in the host's
// modal loop, which hands each event back through the events table.
#include "host/dialog_view_adapter.h"
#include "host/filter_record_port.h"
#include "host/plugin_state.h"
#include "host/preview_dialog.h"
#include "ui/dialog_model.h"

namespace {

// The result a dialog call gives when it had no usable parent window.
constexpr int32_t kDialogCallReturnedZero = -2;

DialogModel& ModelOf(void* dialog) { return *static_cast<DialogModel*>(dialog); }

int32_t OnInitDialog(void* dialog) { return ModelOf(dialog).OnInitDialog(); }

int32_t OnCommand(void* dialog, int32_t controlId, int32_t notification) {
    return ModelOf(dialog).OnCommand(controlId, notification);
}

int32_t OnSliderScroll(void* dialog, int32_t sliderId, int32_t scrollCode, int32_t thumbPosition) {
    return ModelOf(dialog).OnSliderScroll(sliderId, scrollCode, thumbPosition);
}

int32_t OnTimer(void* dialog, int32_t timerId) { return ModelOf(dialog).OnTimer(timerId); }

int32_t OnPaint(void* dialog) { return ModelOf(dialog).OnPaint(); }

int32_t OnSetCursor(void* dialog) { return ModelOf(dialog).OnSetCursor(); }

int32_t OnLeftButtonDown(void* dialog, LumistraViewPoint point) {
    return ModelOf(dialog).OnLeftButtonDown({point.x, point.y});
}

int32_t OnMouseMove(void* dialog, LumistraViewPoint point, uint32_t keys) {
    return ModelOf(dialog).OnMouseMove({point.x, point.y}, keys);
}

int32_t OnLeftButtonUp(void* dialog, LumistraViewPoint point) {
    return ModelOf(dialog).OnLeftButtonUp({point.x, point.y});
}

}  // namespace

int32_t RunPreviewDialog() {
    PluginState& state = State();
    if (state.filter == nullptr || state.parameters == nullptr || state.runData == nullptr) {
        return kNoDialogView;
    }
    const LumistraDialogView* table = OfferedDialogView(state.filter->platformData);
    if (table == nullptr) return kNoDialogView;

    DialogViewAdapter view(*table);
    FilterRecordPort port(*state.filter, state.runData->planeCount);
    // A fresh model for every dialog, so that each opens with all three
    // pending flags set.
    DialogModel model(view, port, state.parameters, state.runData->planeCount);
    const LumistraDialogEvents events = {
        sizeof(LumistraDialogEvents),
        &model,
        OnInitDialog,
        OnCommand,
        OnSliderScroll,
        OnTimer,
        OnPaint,
        OnSetCursor,
        OnLeftButtonDown,
        OnMouseMove,
        OnLeftButtonUp,
    };
    const int32_t result = table->runModal(table->host, &events);
    return result == 0 ? kDialogCallReturnedZero : result;
}
