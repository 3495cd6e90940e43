// lumistra-selector-run: drives a filter plug-in through a fixed set of
// invocations on photo-like images and writes down everything a host can
// observe, so that builds of the plug-in for different platforms can be
// compared byte for byte.
//
//   lumistra-selector-run MODULE OUTPUT_DIR
//
// writes OUTPUT_DIR/report.txt (results, selector calls, progress, the
// recorded and the last-used values, the messages shown) and, per
// invocation, OUTPUT_DIR/<name>.planes: the document's planes afterwards,
// one after the other. Exits 0 when every invocation ran as a host would run
// it (whatever the plug-in answered), 1 when the module cannot be loaded or
// the output not written, 2 on wrong arguments.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/filter_host.h"
#include "app/plugin_module.h"
#include "resources/plugin_identity.h"
#include "tools/sample_image/sample_image.h"
#include "tools/selector_run/message_capture.h"

namespace {

std::string CodeText(uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) text.push_back(static_cast<char>(code >> shift));
    return text;
}

// The shortest decimal that reads back as the same double, and its bits.
std::string DoubleText(double value) {
    char digits[64] = {};
    const auto written = std::to_chars(digits, digits + sizeof digits - 1, value);
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char hex[24] = {};
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(bits));
    return std::string(digits, written.ptr) + " (0x" + hex + ")";
}

std::string DescriptorText(const Descriptor& descriptor) {
    std::string text;
    for (const DescriptorItem& item : descriptor.items()) {
        text += " '" + CodeText(item.key) + "' " + DoubleText(item.value);
    }
    return text.empty() ? " (empty)" : text;
}

Document MakePhoto(ColourMode mode, int32_t width, int32_t height, uint32_t seed) {
    Document document(mode, width, height);
    const lumistra::SampleChannel channels[] = {lumistra::SampleChannel::Red,
                                                lumistra::SampleChannel::Green,
                                                lumistra::SampleChannel::Blue};
    const int colourPlanes = mode == ColourMode::kGrey ? 1 : 3;
    for (int plane = 0; plane < colourPlanes; ++plane) {
        const lumistra::SampleChannel channel =
            mode == ColourMode::kGrey ? lumistra::SampleChannel::Green : channels[plane];
        const std::vector<uint8_t> samples = lumistra::MakeSamplePlane(
            static_cast<uint32_t>(width), static_cast<uint32_t>(height), channel, seed);
        document.Plane(plane).assign(samples.begin(), samples.end());
    }
    return document;
}

Descriptor Recorded(double high, double low, double clarity) {
    return Descriptor{
        {keyNoiseHighAmount, high}, {keyNoiseLowAmount, low}, {keyClarityAmount, clarity}};
}

InvocationOptions Replay(const Descriptor& values) {
    InvocationOptions options;
    options.playInfo = plugInDialogDontDisplay;
    options.replay = values;
    return options;
}

class Runner {
public:
    Runner(const PluginModule& module, std::string outputDir)
        : module_(module), outputDir_(std::move(outputDir)) {}

    // One invocation through the given host; the document is written afterwards.
    void Run(const std::string& name, FilterHost& host, Document& document,
             const InvocationOptions& options) {
        MessageCapture capture;
        const InvocationReport report = host.Invoke(options);
        const std::vector<std::string> messages = capture.Finish();

        out_ << "[" << name << "]\n";
        out_ << "result " << report.result << "\n";
        out_ << "calls";
        for (const SelectorCall& call : report.calls)
            out_ << " " << call.selector << ":" << call.result;
        out_ << "\ncontinue calls " << report.continueCalls << "\n";
        out_ << "image changed " << (report.imageChanged ? "yes" : "no") << "\n";
        if (!report.refusal.empty()) out_ << "refused: " << report.refusal << "\n";
        out_ << "recorded";
        if (report.recorded) {
            out_ << DescriptorText(*report.recorded) << ", recordInfo " << report.recordInfo;
        } else {
            out_ << " nothing";
        }
        out_ << "\nlast used";
        if (const auto* entry = host.scripting().Lookup(kPluginUniqueId)) {
            out_ << DescriptorText(entry->descriptor)
                 << (entry->persistent ? ", persistent" : ", this session");
        } else {
            out_ << " none";
        }
        out_ << "\nprogress";
        for (const auto& step : host.observations().progress())
            out_ << " " << step.first << "/" << step.second;
        out_ << "\nwatch suspension";
        for (const PropertyChange& change : host.observations().propertyChanges())
            out_ << " " << change.value;
        out_ << "\nmessages " << messages.size() << "\n";
        for (const std::string& message : messages) out_ << "  " << message << "\n";
        const HostLeaks leaks = host.Leaks();
        out_ << "left over " << (leaks.None() ? "nothing" : leaks.Describe()) << "\n\n";

        WritePlanes(name, document);
    }

    void RunOnNewHost(const std::string& name, Document document, const InvocationOptions& options,
                      const HostOptions& hostOptions = {},
                      const std::function<void(FilterHost&)>& arrange = nullptr) {
        FilterHost host(module_, document, hostOptions);
        if (arrange) arrange(host);
        Run(name, host, document, options);
    }

    bool Save() {
        std::ofstream file(outputDir_ + "/report.txt", std::ios::binary);
        file << out_.str();
        return ok_ && static_cast<bool>(file.flush());
    }

private:
    void WritePlanes(const std::string& name, const Document& document) {
        std::ofstream file(outputDir_ + "/" + name + ".planes", std::ios::binary);
        for (int plane = 0; plane < document.PlaneCount(); ++plane) {
            const PixelBytes& bytes = document.Plane(plane);
            file.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
        }
        ok_ = ok_ && static_cast<bool>(file.flush());
    }

    const PluginModule& module_;
    std::string outputDir_;
    std::ostringstream out_;
    bool ok_ = true;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s MODULE OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    std::string error;
    const std::unique_ptr<PluginModule> module = PluginModule::Load(argv[1], &error);
    if (!module) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Runner runner(*module, argv[2]);

    // A replayed action with the dialog suppressed, after the About box; then
    // a second run on the same host, whose registry now holds the first
    // run's values, with a value only a script can give.
    {
        Document photo = MakePhoto(ColourMode::kRgb, 1200, 800, 1);
        FilterHost host(*module, photo);
        InvocationOptions first = Replay(Recorded(20.0, 30.0, 70.0));
        first.showAbout = true;
        runner.Run("replay", host, photo, first);
        runner.Run("replay-again", host, photo, Replay(Recorded(37.8, 50.0, 50.0)));
    }
    // A layer with transparency: three colour planes filtered, alpha kept.
    runner.RunOnNewHost("transparent-layer", MakePhoto(ColourMode::kRgba, 640, 480, 3),
                        Replay(Recorded(70.0, 50.0, 50.0)));
    // Refusals: an area under 256 pixels across, a document that is not RGB
    // (once offered by a careless host, once kept from the plug-in by the
    // property list), and a user who stops the run at the first poll.
    runner.RunOnNewHost("too-small", MakePhoto(ColourMode::kRgb, 255, 1000, 4),
                        Replay(Recorded(50.0, 50.0, 50.0)));
    HostOptions careless;
    careless.enforceModes = false;
    runner.RunOnNewHost("not-rgb", MakePhoto(ColourMode::kGrey, 400, 300, 5),
                        Replay(Recorded(50.0, 50.0, 50.0)), careless);
    runner.RunOnNewHost("not-rgb-menu", MakePhoto(ColourMode::kGrey, 400, 300, 5),
                        Replay(Recorded(50.0, 50.0, 50.0)));
    runner.RunOnNewHost("cancel", MakePhoto(ColourMode::kRgb, 600, 400, 6),
                        Replay(Recorded(50.0, 50.0, 50.0)), {},
                        [](FilterHost& host) { host.faults().FailAt(HostCallback::kAbort, 1); });

    if (!runner.Save()) {
        std::fprintf(stderr, "cannot write the results into %s\n", argv[2]);
        return 1;
    }
    return 0;
}
