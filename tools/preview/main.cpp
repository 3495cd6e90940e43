// lumistra-preview: opens the plug-in's preview dialog on an image through the
// host library, in a scripted window without a window system, performs the
// script's user actions and writes what the host saw (see the README).
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/document_conversion.h"
#include "app/cli/image_reader.h"
#include "app/filter_host.h"
#include "app/plugin_module.h"
#include "app/scripted_dialog_view.h"
#include "host/test_seams.h"
#include "resources/plugin_identity.h"
#include "tools/preview/preview_arguments.h"
#include "tools/preview/preview_log.h"
#include "tools/support/netpbm.h"
#include "ui/dialog_controls.h"

namespace {

int Fail(const std::string& reason) {
    std::fprintf(stderr, "lumistra-preview: %s\n", reason.c_str());
    return 1;
}

// Opens an image and hands each decoded row to the sink given for its header.
std::string ReadImage(const std::string& path, ImageHeader* header,
                      const std::function<RowSink(const ImageHeader&)>& sinkFor) {
    // The Windows checks hand over their pictures as netpbm files, which the tool's
    // readers do not take.
    if (lumistra::LooksLikeNetpbm(path)) {
        lumistra::NetpbmImage image;
        const std::string problem = lumistra::ReadNetpbm(path, &image);
        if (!problem.empty()) return problem;
        header->width = int32_t(image.width);
        header->height = int32_t(image.height);
        header->storedMode = image.channels == 3 ? ColourMode::kRgb : ColourMode::kGrey;
        header->channels = image.channels;
        const RowSink sink = sinkFor(*header);
        const std::size_t rowBytes = std::size_t(image.width) * std::size_t(image.channels);
        for (uint32_t y = 0; y < image.height; ++y) sink(int32_t(y), &image.samples[y * rowBytes]);
        return {};
    }
    ImageReader reader;
    std::string error = reader.Open(path);
    if (error.empty()) {
        *header = reader.header();
        error = reader.ReadPixels(sinkFor(*header));
    }
    return error.empty() ? std::string() : path + ": " + error;
}

std::string LoadDocument(const PreviewArguments& arguments, std::unique_ptr<Document>* document) {
    ImageHeader header;
    std::string error = ReadImage(arguments.image, &header, [&](const ImageHeader& opened) {
        if (!CanBecomeDocument(opened)) return RowSink([](int32_t, const uint8_t*) {});
        *document = std::make_unique<Document>(MakeDocument(opened));
        return DocumentFiller(opened, document->get());
    });
    if (!error.empty()) return error;
    if (!*document) return arguments.image + ": not an image the filter takes";
    Document& image = **document;
    if (arguments.selectionGiven) {
        const int32_t* s = arguments.selection;
        if (s[0] < 0 || s[1] < 0 || s[2] <= 0 || s[3] <= 0 || s[0] + s[2] > image.width() ||
            s[1] + s[3] > image.height()) {
            return "--selection lies outside the image";
        }
        image.filterRect = {static_cast<int16_t>(s[1]), static_cast<int16_t>(s[0]),
                            static_cast<int16_t>(s[1] + s[3]), static_cast<int16_t>(s[0] + s[2])};
    }
    if (arguments.mask) {
        // The first channel is the selection: 0 outside, 255 fully selected.
        const std::size_t width = static_cast<std::size_t>(image.width());
        std::vector<uint8_t> mask(width * static_cast<std::size_t>(image.height()));
        ImageHeader maskHeader;
        bool sizeMatches = false;
        error = ReadImage(*arguments.mask, &maskHeader, [&](const ImageHeader& opened) {
            sizeMatches = opened.width == image.width() && opened.height == image.height();
            const std::size_t channels = static_cast<std::size_t>(opened.channels);
            return RowSink([&mask, width, channels, sizeMatches](int32_t y, const uint8_t* row) {
                if (!sizeMatches) return;
                for (std::size_t x = 0; x < width; ++x) {
                    mask[static_cast<std::size_t>(y) * width + x] = row[x * channels];
                }
            });
        });
        if (!error.empty()) return error;
        if (!sizeMatches) return *arguments.mask + ": the mask must have the image's size";
        image.selectionMask = std::move(mask);
    }
    return {};
}

std::string ReadScript(const std::string& path, std::vector<ScriptAction>* actions) {
    std::ifstream in(path);
    if (!in) return "cannot read " + path;
    std::string line;
    std::string error;
    while (std::getline(in, line)) {
        if (!ParseScriptLine(line, actions, &error)) return path + ": " + error;
    }
    return {};
}

ScriptedViewSetup SetupFor(const PreviewArguments& arguments) {
    ScriptedViewSetup setup;
    setup.clientWidth = arguments.clientWidth;
    setup.clientHeight = arguments.clientHeight;
    setup.screenWidth = arguments.screenWidth;
    setup.screenHeight = arguments.screenHeight;
    setup.controlRects[kPreviewPlaceholder] = arguments.previewPane;
    setup.controlRects[kNavigatorPlaceholder] = arguments.navigatorPane;
    setup.editIds = {kHighlightEdit, kShadowEdit, kClarityEdit};
    setup.radioGroups = {{kBeforeRadio, kAfterRadio}};
    setup.okId = kOkButton;
    setup.cancelId = kCancelButton;
    setup.editChangedCode = kEditChanged;
    return setup;
}

void NoteEnginePass(const LumistraTestEnginePass* pass, void* log) {
    static_cast<PreviewLog*>(log)->AddEnginePass(*pass);
}

}  // namespace

int main(int argc, char** argv) {
    PreviewArguments arguments;
    const std::string usageError = ParsePreviewArguments(argc, argv, &arguments);
    if (!usageError.empty()) {
        std::fprintf(stderr, "lumistra-preview: %s\n%s", usageError.c_str(), kPreviewUsage);
        return 2;
    }
    std::unique_ptr<Document> document;
    std::string error = LoadDocument(arguments, &document);
    if (!error.empty()) return Fail(error);
    std::vector<ScriptAction> script;
    error = ReadScript(arguments.script, &script);
    if (!error.empty()) return Fail(error);
    ::mkdir(arguments.out.c_str(), 0777);

    const std::string modulePath = arguments.module.value_or(LUMISTRA_PREVIEW_DEFAULT_MODULE);
    std::unique_ptr<PluginModule> module = PluginModule::Load(modulePath, &error);
    if (!module) return Fail(modulePath + ": " + error);

    PreviewLog log(arguments.out);
    auto* const reset = reinterpret_cast<void (*)()>(module->FindSymbol("LumistraTestReset"));
    if (reset != nullptr) reset();
    // Only the testable module tells anyone of its engine passes.
    auto* const watchPasses = reinterpret_cast<void (*)(LumistraTestEnginePassObserver, void*)>(
        module->FindSymbol("LumistraTestSetEnginePassObserver"));
    if (watchPasses != nullptr) watchPasses(NoteEnginePass, &log);

    HostOptions options;
    options.viewWidth = arguments.clientWidth;
    options.viewHeight = arguments.clientHeight;
    options.requestObserver = [&](const HostRequest& request, const ExchangeBuffer& input,
                                  const ExchangeBuffer* mask) {
        log.AddRequest(request, input, mask);
    };
    options.displayObserver = [&](const DisplayCopy& copy) { log.AddDisplay(copy); };
    FilterHost host(*module, *document, options);
    ScriptedDialogView view(SetupFor(arguments), script, &host.viewImage());
    view.observer = [&](const ScriptAction* action, bool delivered) {
        log.AddState(view, action, delivered);
    };
    host.SetPlatformWindow(reinterpret_cast<intptr_t>(view.Table()));

    InvocationOptions invocation;
    if (arguments.valuesGiven) {
        // Values to open with travel as a recorded action that asks for the dialog.
        invocation.replay = Descriptor{{keyNoiseHighAmount, *arguments.values[0]},
                                       {keyNoiseLowAmount, *arguments.values[1]},
                                       {keyClarityAmount, *arguments.values[2]}};
    }
    const InvocationReport report = host.Invoke(invocation);
    if (watchPasses != nullptr) watchPasses(nullptr, nullptr);

    nlohmann::ordered_json& out = log.document();
    out["enginePassesReported"] = watchPasses != nullptr;
    out["clientOrigin"] = {view.clientOrigin().x, view.clientOrigin().y};
    out["dialogShown"] = view.modalRuns() > 0;
    out["dialogResult"] = view.result();
    out["closedAtEndOfScript"] = view.closedAtEndOfScript();
    out["messages"] = view.messages();
    nlohmann::ordered_json recorded = nlohmann::ordered_json::object();
    if (report.recorded) {
        for (const DescriptorItem& item : report.recorded->items()) {
            const char key[5] = {
                static_cast<char>(item.key >> 24), static_cast<char>(item.key >> 16),
                static_cast<char>(item.key >> 8), static_cast<char>(item.key), '\0'};
            recorded[key] = item.value;
        }
    }
    out["run"] = {{"result", report.result},
                  {"imageChanged", report.imageChanged},
                  {"recorded", recorded},
                  {"refusal", report.refusal}};
    const HostLeaks leaks = host.Leaks();
    out["hostLeaks"] = leaks.None() ? std::string() : leaks.Describe();
    error = log.Save();
    if (!error.empty()) return Fail(error);
    return 0;
}
