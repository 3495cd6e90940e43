#include "tools/preview/preview_log.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include "tools/support/netpbm.h"

namespace {

// Controls whose state the log shows after every action.
constexpr int32_t kEdits[] = {1013, 1018, 1020};
constexpr int32_t kSliders[] = {1011, 1017, 1016};
constexpr int32_t kRadios[] = {1030, 1031};
constexpr int32_t kButtons[] = {1025, 1026, 1030, 1031, 1011, 1013, 1017,
                                1018, 1016, 1020, 1056, 1019, 2,    1027};
constexpr int32_t kZoomLabel = 1037;

nlohmann::ordered_json HostRect(const Rect& rect) {
    return {rect.top, rect.left, rect.bottom, rect.right};
}

nlohmann::ordered_json ViewRect(const LumistraViewRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// A whole rate as an integer, any other as its decimal value.
nlohmann::ordered_json Rate(Fixed rate) {
    if (rate % 65536 == 0) return rate / 65536;
    return rate / 65536.0;
}

std::string Numbered(const char* stem, uint32_t index, const char* suffix) {
    char name[64];
    std::snprintf(name, sizeof name, "%s-%03u%s", stem, index, suffix);
    return name;
}

}  // namespace

std::string PreviewLog::WritePlanes(const std::string& name, const uint8_t* bytes, int32_t width,
                                    int32_t height, int32_t rowBytes, int32_t planeCount) {
    const std::size_t area = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::vector<uint8_t>> planes(static_cast<std::size_t>(planeCount),
                                             std::vector<uint8_t>(area));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            for (int32_t p = 0; p < planeCount; ++p) {
                planes[static_cast<std::size_t>(p)][static_cast<std::size_t>(y) * width + x] =
                    bytes[static_cast<std::size_t>(y) * rowBytes +
                          static_cast<std::size_t>(x) * planeCount + p];
            }
        }
    }
    const std::string path = directory_ + "/" + name;
    std::string error;
    if (planeCount == 3) {
        error = lumistra::WritePpm(path, planes[0].data(), planes[1].data(), planes[2].data(),
                                   static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    } else {
        // One file per plane beyond greyscale or RGB would be noise; the first is enough.
        error = lumistra::WritePgm(path, planes[0].data(), static_cast<uint32_t>(width),
                                   static_cast<uint32_t>(height));
    }
    if (!error.empty() && writeError_.empty()) writeError_ = error;
    return name;
}

void PreviewLog::AddRequest(const HostRequest& request, const ExchangeBuffer& input,
                            const ExchangeBuffer* mask) {
    const uint32_t index = requests_++;
    nlohmann::ordered_json event = {
        {"event", "request"},
        {"index", index},
        {"inRect", HostRect(request.inRect)},
        {"inputRate", Rate(request.inputRate)},
        {"maskRect", HostRect(request.maskRect)},
        {"maskRate", Rate(request.maskRate)},
        {"planes", {request.inLoPlane, request.inHiPlane}},
        {"outRect", HostRect(request.outRect)},
    };
    if (!input.bytes.empty()) {
        const char* suffix = input.PlaneCount() == 3 ? ".ppm" : ".pgm";
        event["file"] =
            WritePlanes(Numbered("request", index, suffix), input.bytes.data(), input.Width(),
                        input.Height(), input.rowBytes, input.PlaneCount());
    }
    if (mask != nullptr) {
        event["maskFile"] = WritePlanes(Numbered("request", index, "-mask.pgm"), mask->bytes.data(),
                                        mask->Width(), mask->Height(), mask->rowBytes, 1);
    }
    log_["events"].push_back(std::move(event));
}

void PreviewLog::AddEnginePass(const LumistraTestEnginePass& pass) {
    log_["events"].push_back({
        {"event", "enginePass"},
        {"plane", pass.plane},
        {"startLevel", pass.startLevel},
        {"maxLevel", pass.maxLevel},
        {"hiStrength", pass.hiStrength},
        {"loStrength", pass.loStrength},
        {"clarity", pass.clarity},
        {"width", pass.width},
        {"height", pass.height},
    });
}

void PreviewLog::AddDisplay(const DisplayCopy& copy) {
    const uint32_t index = displays_++;
    const VRect& bounds = copy.map.bounds;
    const VRect& source = copy.sourceRect;
    nlohmann::ordered_json event = {
        {"event", "display"},
        {"index", index},
        {"bounds", {bounds.top, bounds.left, bounds.bottom, bounds.right}},
        {"sourceRect", {source.top, source.left, source.bottom, source.right}},
        {"imageMode", copy.map.imageMode},
        {"destination", {copy.destinationRow, copy.destinationColumn}},
        {"masks", copy.chainedMasks},
    };
    const char* suffix = copy.planeCount == 3 ? ".ppm" : ".pgm";
    event["file"] = WritePlanes(Numbered("display", index, suffix), copy.pixels.data(), copy.width,
                                copy.height, copy.width * copy.planeCount, copy.planeCount);
    if (copy.mask) {
        event["maskFile"] = WritePlanes(Numbered("display", index, "-mask.pgm"), copy.mask->data(),
                                        copy.width, copy.height, copy.width, 1);
    }
    log_["events"].push_back(std::move(event));
}

void PreviewLog::AddState(const ScriptedDialogView& view, const ScriptAction* action,
                          bool delivered) {
    const auto text = [&](int32_t id) {
        const DialogControl* control = view.Find(id);
        return control != nullptr ? control->text : std::string();
    };
    nlohmann::ordered_json edits = nlohmann::ordered_json::object();
    for (int32_t id : kEdits) edits[std::to_string(id)] = text(id);
    nlohmann::ordered_json sliders = nlohmann::ordered_json::object();
    for (int32_t id : kSliders) {
        const DialogControl* control = view.Find(id);
        sliders[std::to_string(id)] = control != nullptr ? control->sliderPosition : 0;
    }
    nlohmann::ordered_json radios = nlohmann::ordered_json::object();
    for (int32_t id : kRadios) {
        const DialogControl* control = view.Find(id);
        radios[std::to_string(id)] = control != nullptr && control->checked;
    }
    nlohmann::ordered_json enabled = nlohmann::ordered_json::object();
    for (int32_t id : kButtons) {
        const DialogControl* control = view.Find(id);
        enabled[std::to_string(id)] = control == nullptr || control->enabled;
    }
    nlohmann::ordered_json timers = nlohmann::ordered_json::array();
    for (const auto& timer : view.timers()) timers.push_back(timer.first);

    log_["events"].push_back({
        {"event", "state"},
        {"action", action != nullptr ? action->line : std::string("start")},
        {"delivered", delivered},
        {"edits", edits},
        {"sliders", sliders},
        {"enabled", enabled},
        {"radios", radios},
        {"zoomLabel", text(kZoomLabel)},
        {"focus", view.focus()},
        {"cursor", view.cursor()},
        {"captured", view.captured()},
        {"timers", timers},
        {"navigatorFrame",
         view.lastRedFrameDrawn() ? ViewRect(view.lastRedFrame()) : nlohmann::ordered_json()},
        {"updatePending", view.HasUpdateRegion()},
        {"ended", view.ended()},
    });
}

std::string PreviewLog::Save() {
    const std::string path = directory_ + "/log.json";
    std::ofstream out(path);
    out << log_.dump(1) << "\n";
    out.close();
    if (!out) return "cannot write " + path;
    return writeError_;
}
