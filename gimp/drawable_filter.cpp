#include "gimp/drawable_filter.h"

#include <gegl.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <new>
#include <vector>

#include "app/cli/registry_file.h"
#include "app/document.h"
#include "app/filter_host.h"
#include "gimp/dialog_layout.h"
#include "gimp/gtk2/gtk2_dialog_view.h"
#include "resources/plugin_identity.h"
#include "resources/plugin_messages.h"

namespace {

constexpr char kHelpPageName[] = "LumistraHelp.htm";

// The drawable's pixels in one 8-bit gamma format, row after row, and the
// rectangle they cover.
struct PixelBlock {
    GeglRectangle area{};
    int channels = 0;
    std::vector<uint8_t> bytes;
};

const Babl* FormatFor(int channels) {
    return babl_format(channels == 4 ? "R'G'B'A u8" : "R'G'B' u8");
}

PixelBlock ReadDrawable(gint32 drawable, int channels) {
    PixelBlock block;
    block.area = {0, 0, gimp_drawable_width(drawable), gimp_drawable_height(drawable)};
    block.channels = channels;
    block.bytes.resize(std::size_t(block.area.width) * std::size_t(block.area.height) *
                       std::size_t(channels));
    GeglBuffer* buffer = gimp_drawable_get_buffer(drawable);
    gegl_buffer_get(buffer, &block.area, 1.0, FormatFor(channels), block.bytes.data(),
                    GEGL_AUTO_ROWSTRIDE, GEGL_ABYSS_NONE);
    g_object_unref(buffer);
    return block;
}

Document ToDocument(const PixelBlock& block) {
    Document document(block.channels == 4 ? ColourMode::kRgba : ColourMode::kRgb, block.area.width,
                      block.area.height);
    const std::size_t pixels = std::size_t(block.area.width) * std::size_t(block.area.height);
    const std::size_t channels = std::size_t(block.channels);
    for (std::size_t plane = 0; plane < channels; ++plane) {
        PixelBytes& samples = document.Plane(int(plane));
        for (std::size_t i = 0; i < pixels; ++i) samples[i] = block.bytes[i * channels + plane];
    }
    return document;
}

// Only the colour planes of the filtered area go back; alpha is kept as it was.
void WriteFiltered(gint32 drawable, const Document& document, const PixelBlock& original,
                   const GeglRectangle& area) {
    const std::size_t channels = std::size_t(original.channels);
    std::vector<uint8_t> bytes(std::size_t(area.width) * std::size_t(area.height) * channels);
    for (int32_t y = 0; y < area.height; ++y) {
        for (int32_t x = 0; x < area.width; ++x) {
            const int32_t sourceX = area.x + x;
            const int32_t sourceY = area.y + y;
            uint8_t* pixel =
                &bytes[(std::size_t(y) * std::size_t(area.width) + std::size_t(x)) * channels];
            for (std::size_t plane = 0; plane < channels; ++plane) {
                pixel[plane] = document.At(int(plane), sourceX, sourceY);
            }
        }
    }
    // The shadow buffer is merged only once it is complete: a run ended early
    // (GIMP's Cancel ends the plug-in's process) leaves the drawable untouched.
    GeglBuffer* shadow = gimp_drawable_get_shadow_buffer(drawable);
    gegl_buffer_set(shadow, &area, 0, FormatFor(original.channels), bytes.data(),
                    GEGL_AUTO_ROWSTRIDE);
    gegl_buffer_flush(shadow);
    g_object_unref(shadow);
    gimp_drawable_merge_shadow(drawable, TRUE);
    gimp_drawable_update(drawable, area.x, area.y, area.width, area.height);
}

DrawableFilterOutcome Refused(const std::string& message) {
    return {GIMP_PDB_EXECUTION_ERROR, message};
}

std::string DescribeResult(OSErr result) {
    switch (result) {
        case userCanceledErr:
            return "the filter was cancelled";
        case memFullErr:
            return "there is not enough memory for the filter";
        default:
            return "the filter failed (error " + std::to_string(result) + ")";
    }
}

// The help page lies beside the plug-in, where the installation puts it.
std::string HelpPagePath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : (self.parent_path() / kHelpPageName).string();
}

// The checks a host's menu makes before the plug-in runs, with the plug-in's
// own words for them; empty when the drawable may be filtered.
std::string RefusalFor(const DrawableFilterRequest& request, int* channels, GeglRectangle* area) {
    if (!gimp_item_is_valid(request.drawable) || !gimp_item_is_drawable(request.drawable)) {
        return "the drawable given is not a valid drawable";
    }
    if (gimp_image_get_precision(request.image) != GIMP_PRECISION_U8_GAMMA) {
        return std::string(kEightBitOnlyMessage) +
               ". Convert the image first with Image > Precision > 8 bit integer.";
    }
    if (!gimp_drawable_is_rgb(request.drawable)) {
        return std::string(kRgbOnlyMessage) + ". Convert the image first with Image > Mode > RGB.";
    }
    const int32_t width = gimp_drawable_width(request.drawable);
    const int32_t height = gimp_drawable_height(request.drawable);
    if (!Document::IsValidSize(width, height)) {
        return "the layer is " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels; the filter addresses at most 32767 x 32767";
    }
    gint x = 0;
    gint y = 0;
    gint w = 0;
    gint h = 0;
    if (!gimp_drawable_mask_intersect(request.drawable, &x, &y, &w, &h)) {
        return "the selection does not touch this layer";
    }
    if (w < kMinimumAreaSide || h < kMinimumAreaSide) return kAreaTooSmallMessage;
    *channels = gimp_drawable_has_alpha(request.drawable) ? 4 : 3;
    *area = {x, y, w, h};
    return {};
}

}  // namespace

DrawableFilterOutcome FilterDrawable(const PluginModule& module,
                                     const DrawableFilterRequest& request) {
    int channels = 0;
    GeglRectangle area{};
    const std::string refusal = RefusalFor(request, &channels, &area);
    if (!refusal.empty()) return Refused(refusal);

    try {
        const PixelBlock original = ReadDrawable(request.drawable, channels);
        Document document = ToDocument(original);
        document.filterRect = {int16_t(area.y), int16_t(area.x), int16_t(area.y + area.height),
                               int16_t(area.x + area.width)};

        HostOptions options;
        // Only the drawable keeps what was there: the document may take the
        // output in place, and no selection mask goes with it, since GIMP
        // blends the shadow buffer through the selection itself.
        options.writeInPlace = true;
        options.shareInOutBuffers = true;
        options.viewWidth = kDialogClientWidth;
        options.viewHeight = kDialogClientHeight;
        // GIMP's progress bar starts with the filtering, not while the dialog is open.
        bool progressShown = false;
        options.progressObserver = [&progressShown](int32_t done, int32_t total) {
            if (!progressShown) gimp_progress_init("LUMISTRA");
            progressShown = true;
            if (total > 0) gimp_progress_update(double(done) / double(total));
        };
        FilterHost host(module, document, options);

        RegistryContents lastUsed;
        if (request.lastUsedPath) {
            std::string problem;
            lastUsed = ReadRegistryFile(*request.lastUsedPath, &problem);
            if (!problem.empty()) {
                std::fprintf(stderr, "lumistra-gimp: the last-used values in %s are ignored: %s\n",
                             request.lastUsedPath->c_str(), problem.c_str());
            }
        }
        RegisterAll(lastUsed, &host.scripting());

        InvocationOptions invocation;
        std::optional<Gtk2DialogView> dialog;
        switch (request.source) {
            case ValueSource::kGiven:
                invocation.playInfo = plugInDialogDontDisplay;
                invocation.replay = Descriptor{{keyNoiseHighAmount, double(request.values[0])},
                                               {keyNoiseLowAmount, double(request.values[1])},
                                               {keyClarityAmount, double(request.values[2])}};
                break;
            case ValueSource::kLastUsed:
                // An action without values: the plug-in keeps its last-used ones.
                invocation.playInfo = plugInDialogDontDisplay;
                invocation.replay = Descriptor{};
                break;
            case ValueSource::kDialog:
                dialog.emplace(host.viewImage(), HelpPagePath());
                host.SetPlatformWindow(reinterpret_cast<intptr_t>(dialog->Table()));
                break;
        }

        const InvocationReport run = host.Invoke(invocation);
        if (!run.refusal.empty()) return Refused(run.refusal);
        if (run.result == userCanceledErr && request.source == ValueSource::kDialog) {
            return {GIMP_PDB_CANCEL, {}};
        }
        if (run.result != noErr || !run.imageChanged) return Refused(DescribeResult(run.result));

        gimp_image_undo_group_start(request.image);
        WriteFiltered(request.drawable, document, original, area);
        gimp_image_undo_group_end(request.image);
        gimp_progress_update(1.0);

        if (request.lastUsedPath) {
            const std::string problem =
                WriteRegistryFile(*request.lastUsedPath, PersistentEntries(host.scripting()));
            if (!problem.empty()) {
                std::fprintf(stderr, "lumistra-gimp: cannot keep the last-used values in %s: %s\n",
                             request.lastUsedPath->c_str(), problem.c_str());
            }
        }
        return {};
    } catch (const std::bad_alloc&) {
        return Refused("there is not enough memory for a layer of this size");
    }
}
