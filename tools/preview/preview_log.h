// What lumistra-preview writes: log.json with every event in order, and an
// image file for every request's samples and every displayPixels call.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "app/host_observations.h"
#include "app/pixel_exchange.h"
#include "app/scripted_dialog_view.h"
#include "host/test_seams.h"

class PreviewLog {
public:
    explicit PreviewLog(std::string directory) : directory_(std::move(directory)) {}

    void AddRequest(const HostRequest& request, const ExchangeBuffer& input,
                    const ExchangeBuffer* mask);
    void AddEnginePass(const LumistraTestEnginePass& pass);
    void AddDisplay(const DisplayCopy& copy);
    // The dialog's state after an action (null: after the dialog started).
    void AddState(const ScriptedDialogView& view, const ScriptAction* action, bool delivered);

    // The first file that could not be written, or empty.
    const std::string& writeError() const { return writeError_; }

    nlohmann::ordered_json& document() { return log_; }
    // Writes log.json; empty on success, else the reason.
    std::string Save();

private:
    std::string WritePlanes(const std::string& name, const uint8_t* bytes, int32_t width,
                            int32_t height, int32_t rowBytes, int32_t planeCount);

    std::string directory_;
    nlohmann::ordered_json log_ = {{"events", nlohmann::ordered_json::array()}};
    uint32_t requests_ = 0;
    uint32_t displays_ = 0;
    std::string writeError_;
};
