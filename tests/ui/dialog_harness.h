// A dialog model wired to a fake view and a fake host, for one filter area.
#pragma once

#include "engine/filter_parameters.h"
#include "tests/ui/fake_port.h"
#include "tests/ui/fake_view.h"
#include "ui/dialog_controls.h"
#include "ui/dialog_model.h"

struct DialogHarness {
    explicit DialogHarness(Rect filterRect = Rect{0, 0, 2000, 3000}, int32_t imageWidth = 0,
                           int32_t imageHeight = 0)
        : port(filterRect, imageWidth != 0 ? imageWidth : filterRect.right,
               imageHeight != 0 ? imageHeight : filterRect.bottom),
          model(view, port, &parameters, 3) {
        view.Attach(&model);
    }

    int32_t Start() { return model.OnInitDialog(); }
    int32_t Click(int32_t id) { return model.OnCommand(id, kButtonClicked); }
    // A paint after whatever was invalidated (the dialog manager sends none otherwise).
    int32_t Paint() { return model.OnPaint(); }
    // The refresh timer firing, if it runs.
    int32_t FireTimer() {
        if (!view.timerRunning) return kMessageNotHandled;
        return model.OnTimer(kRefreshTimer);
    }
    ViewPoint NavigatorPoint(int32_t dx, int32_t dy) const {
        const Rect& display = model.NavigatorPane().display;
        return ViewPoint{display.left + dx, display.top + dy};
    }
    ViewPoint FrameCentre() const {
        const Rect& frame = model.NavigatorFrame();
        return ViewPoint{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    }

    FakeView view;
    FilterParameters parameters{50.0f, 50.0f, 50.0f};
    FakePort port;
    DialogModel model;
};
