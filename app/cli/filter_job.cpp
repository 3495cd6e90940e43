#include "app/cli/filter_job.h"

#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

#include "app/cli/action_file.h"
#include "app/cli/atomic_output.h"
#include "app/cli/document_conversion.h"
#include "app/cli/image_reader.h"
#include "app/cli/image_writer.h"
#include "app/cli/interrupt.h"
#include "app/cli/metadata_carrier.h"
#include "app/cli/progress_display.h"
#include "app/filter_host.h"
#include "resources/plugin_identity.h"
#include "resources/plugin_messages.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kMaxSide = Document::kMaxSide;

class Job {
public:
    Job(const JobSettings& settings, const FileTask& task) : settings_(settings), task_(task) {}

    JobReport Run();

private:
    bool Fail(const std::string& reason) {
        // A read or write cut short by Ctrl-C is no fault of the file.
        if (report_.outcome != JobOutcome::kWritten && Interrupted()) return false;
        report_.outcome = JobOutcome::kFailed;
        Say("lumistra: " + task_.input + ": " + reason);
        return false;
    }
    void Note(const std::string& notice) { Say("lumistra: " + task_.input + ": note: " + notice); }
    void Say(const std::string& line) { report_.lines.push_back({true, line}); }
    bool Interrupted() {
        if (!InterruptRequested()) return false;
        report_.outcome = JobOutcome::kInterrupted;
        Say("lumistra: " + task_.input + ": interrupted; nothing written");
        return true;
    }

    bool ReadHeader();
    bool CheckArea();
    bool ReadImage();
    bool Filter();
    bool WriteOutput();
    ChromaSubsampling OutputSubsampling() const;
    void KeepRecordAndLastUsed();
    std::string DescribeValues() const;

    const JobSettings& settings_;
    const FileTask& task_;
    JobReport report_;

    ImageReader reader_;
    bool converted_ = false;
    std::optional<ChromaSubsampling> inputSubsampling_;
    Rect area_{};
    std::unique_ptr<MetadataCarrier> metadata_;
    std::optional<Document> document_;
    std::optional<Descriptor> recorded_;
    RegistryContents registryAfter_;
};

std::string SizeText(int32_t width, int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string DescribeFilterResult(OSErr result) {
    switch (result) {
        case userCanceledErr:
            return "the filter cancelled the run";
        case memFullErr:
            return "there is not enough memory for the filter";
        default:
            return "the filter failed (error " + std::to_string(result) + ")";
    }
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

JobReport Job::Run() {
    try {
        if (ReadHeader() && CheckArea() && ReadImage() && !Interrupted() && Filter() &&
            WriteOutput()) {
            KeepRecordAndLastUsed();
        }
    } catch (const std::bad_alloc&) {
        Fail("there is not enough memory for an image of this size");
    }
    return std::move(report_);
}

bool Job::ReadHeader() {
    std::string problem = reader_.Open(task_.input);
    if (!problem.empty()) return Fail(problem);
    const ImageHeader& header = reader_.header();

    if (header.severalImages)
        return Fail(
            "holds several images (pages, layers or frames); lumistra filters single images only");
    if (header.width > kMaxSide || header.height > kMaxSide) {
        return Fail("the image is " + SizeText(header.width, header.height) +
                    " pixels; the filter interface addresses at most " +
                    SizeText(kMaxSide, kMaxSide));
    }
    std::string refusal;
    if (!settings_.module->AcceptsDocument(ImageModeFor(header), 8, &refusal)) {
        const bool convertible = CanBecomeDocument(header);
        if (!settings_.convertModes || !convertible) {
            return Fail(std::string(kRgbOnlyMessage) +
                        (convertible ? " (--convert makes it RGB)" : ""));
        }
        converted_ = true;
        Note(header.storedMode == ColourMode::kCmyk ? "converted from CMYK to RGB"
                                                    : "converted from greyscale to RGB");
    }
    if (header.bitsPerSample > 8) {
        const std::string depth = std::to_string(header.bitsPerSample) + "-bit" +
                                  (header.floatingPoint ? " floating-point" : "");
        if (settings_.strictDepth)
            return Fail(std::string(kEightBitOnlyMessage) + " (this one is " + depth + ")");
        Note(depth + " samples reduced to 8 bits");
    }
    inputSubsampling_ = header.subsampling;
    problem = CheckOutputFormat(task_.output, DocumentChannels(header));
    if (!problem.empty()) return Fail("cannot write " + task_.output + ": " + problem);
    if (!settings_.inPlace && SameFile(task_.input, task_.output)) {
        return Fail(task_.output + " is this input; inputs are replaced only with --in-place");
    }
    return true;
}

bool Job::CheckArea() {
    const ImageHeader& header = reader_.header();
    SelectionArea area{0, 0, header.width, header.height};
    if (settings_.selection) {
        area = *settings_.selection;
        if (int64_t{area.x} + area.width > header.width ||
            int64_t{area.y} + area.height > header.height) {
            return Fail("the selection " + std::to_string(area.x) + "," + std::to_string(area.y) +
                        "," + std::to_string(area.width) + "," + std::to_string(area.height) +
                        " does not lie inside the " + SizeText(header.width, header.height) +
                        " image");
        }
    }
    if (area.width < kMinimumAreaSide || area.height < kMinimumAreaSide) {
        return Fail(std::string(kAreaTooSmallMessage) + " (" +
                    (settings_.selection ? "the selection" : "the image") + " is " +
                    SizeText(area.width, area.height) + ")");
    }
    area_ = {static_cast<int16_t>(area.y), static_cast<int16_t>(area.x),
             static_cast<int16_t>(area.y + area.height), static_cast<int16_t>(area.x + area.width)};
    return true;
}

bool Job::ReadImage() {
    const ImageHeader& header = reader_.header();
    document_.emplace(MakeDocument(header));
    const std::string problem = reader_.ReadPixels(DocumentFiller(header, &*document_));
    if (!problem.empty()) return Fail("is truncated or damaged: " + problem);
    std::string unreadable;
    metadata_ = MakeMetadataCarrier(&unreadable);
    if (metadata_) unreadable = metadata_->Read(reader_.fileData(), reader_.fileSize());
    // The pixels are sound; a damaged block of metadata is no reason to
    // refuse them, only to leave it out.
    if (!unreadable.empty()) Note("its metadata cannot be read (" + unreadable + "); left out");
    if (converted_ && metadata_ && metadata_->DropColourProfile())
        Note("its colour profile describes the unconverted image; left out");
    reader_.Close();
    document_->filterRect = area_;
    return true;
}

bool Job::Filter() {
    ProgressDisplay progress(fs::path(task_.input).filename().string(), settings_.drawProgress,
                             settings_.progressLog);
    uint32_t polls = 0;
    HostOptions options;
    // A failed run writes nothing, so the document need not survive one; and
    // one buffer serves as the plane's input and output. Both keep the peak
    // memory near the document's own size plus the engine's working images.
    options.writeInPlace = true;
    options.shareInOutBuffers = true;
    options.userAsksToStop = [&] {
        if (++polls == settings_.interruptAtPoll) RequestInterrupt();
        return InterruptRequested();
    };
    options.progressObserver = [&](int32_t done, int32_t total) { progress.Report(done, total); };

    FilterHost host(*settings_.module, *document_, options);
    RegisterAll(settings_.lastUsed, &host.scripting());
    InvocationOptions invocation;
    invocation.playInfo = plugInDialogDontDisplay;
    invocation.replay = settings_.replay;
    const InvocationReport run = host.Invoke(invocation);
    progress.Clear();

    if (Interrupted()) return false;
    if (!run.refusal.empty()) return Fail(run.refusal);
    if (run.result != noErr || !run.imageChanged) return Fail(DescribeFilterResult(run.result));
    recorded_ = run.recorded;
    registryAfter_ = PersistentEntries(host.scripting());
    return true;
}

ChromaSubsampling Job::OutputSubsampling() const {
    if (settings_.subsampling) return *settings_.subsampling;
    // A photograph keeps the colour resolution it came with; anything else
    // keeps all of it.
    return inputSubsampling_.value_or(ChromaSubsampling::k444);
}

bool Job::WriteOutput() {
    const Document& document = *document_;
    EncodeRequest request;
    request.width = document.width();
    request.height = document.height();
    request.channels = document.PlaneCount();
    request.rows = DocumentRows(document);
    request.quality = settings_.jpegQuality;
    request.subsampling = OutputSubsampling();
    request.pngLevel = settings_.pngLevel;

    std::vector<uint8_t> encoded;
    std::string problem = EncodeImage(task_.output, request, &encoded);
    if (problem.empty() && metadata_ && metadata_->HoldsSource()) {
        if (metadata_->CanWriteInto(encoded)) {
            std::vector<std::string> dropped;
            problem = metadata_->WriteInto(&encoded, &dropped);
            for (const std::string& kind : dropped)
                Note("the output format cannot hold its " + kind + "; left out");
        } else {
            Note("the output format cannot hold its metadata; left out");
        }
    }
    if (!problem.empty()) return Fail("cannot write " + task_.output + ": " + problem);

    const WriteResult written =
        WriteFileAtomically(task_.output, encoded, [] { return !InterruptRequested(); });
    if (written.outcome == WriteOutcome::kAbandoned) return !Interrupted();
    if (written.outcome == WriteOutcome::kFailed)
        return Fail("cannot write " + task_.output + ": " + written.problem);
    return true;
}

std::string Job::DescribeValues() const {
    if (!recorded_) return {};
    std::string text;
    const auto add = [&](const char* name, DescriptorKeyID key) {
        const std::optional<double> value = recorded_->GetFloat(key);
        if (!value) return;
        char number[32];
        std::snprintf(number, sizeof(number), "%g", *value);
        text += (text.empty() ? "" : ", ") + std::string(name) + " " + number;
    };
    add("Highlight", keyNoiseHighAmount);
    add("Shadow", keyNoiseLowAmount);
    add("Clarity", keyClarityAmount);
    return text.empty() ? text : " (" + text + ")";
}

void Job::KeepRecordAndLastUsed() {
    report_.outcome = JobOutcome::kWritten;
    report_.lines.push_back({false, task_.input + " -> " + task_.output + DescribeValues()});
    if (settings_.recordPath) {
        const std::string problem =
            recorded_
                ? WriteActionFile(*settings_.recordPath, settings_.module->properties(), *recorded_)
                : "the filter recorded nothing";
        if (!problem.empty()) {
            // The image itself is safely written; only the record is missing.
            report_.outcome = JobOutcome::kWrittenNotRecorded;
            Say("lumistra: " + task_.input +
                ": written, but the recorded action cannot be written to " + *settings_.recordPath +
                ": " + problem);
        }
    }
    if (settings_.lastUsedPath) {
        const std::string problem = WriteRegistryFile(*settings_.lastUsedPath, registryAfter_);
        if (!problem.empty()) {
            Say("lumistra: cannot keep the last-used values in " + *settings_.lastUsedPath + ": " +
                problem);
        }
    }
}

}  // namespace

JobReport RunFilterJob(const JobSettings& settings, const FileTask& task) {
    return Job(settings, task).Run();
}

void PrintReport(const JobReport& report, bool quiet) {
    for (const ReportLine& line : report.lines) {
        if (!line.toStandardError && quiet) continue;
        std::FILE* stream = line.toStandardError ? stderr : stdout;
        std::fprintf(stream, "%s\n", line.text.c_str());
        std::fflush(stream);
    }
}
