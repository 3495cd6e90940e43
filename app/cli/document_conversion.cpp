#include "app/cli/document_conversion.h"

#include "interface/plugin_constants.h"

namespace {

// For each document plane, the channel of the decoded pixel it comes from.
std::vector<int> SourceChannels(const ImageHeader& header) {
    switch (header.model) {
        case ColourModel::kGrey: return {0, 0, 0};
        case ColourModel::kGreyAlpha: return {0, 0, 0, 1};
        case ColourModel::kRgba: return {0, 1, 2, 3};
        case ColourModel::kRgb: return {0, 1, 2};
        case ColourModel::kCmyk:
            return header.channels == 4 ? std::vector<int>{0, 1, 2, 3} : std::vector<int>{0, 1, 2};
        case ColourModel::kOther: break;
    }
    return {};
}

}  // namespace

int16_t ImageModeFor(ColourModel model) {
    switch (model) {
        case ColourModel::kGrey:
        case ColourModel::kGreyAlpha: return plugInModeGrayScale;
        case ColourModel::kCmyk: return plugInModeCMYKColor;
        case ColourModel::kOther: return plugInModeMultichannel;
        case ColourModel::kRgb:
        case ColourModel::kRgba: break;
    }
    return plugInModeRGBColor;
}

bool CanBecomeDocument(const ImageHeader& header) {
    if (header.model == ColourModel::kCmyk) return header.channels == 3 || header.channels == 4;
    return header.model != ColourModel::kOther;
}

int DocumentChannels(const ImageHeader& header) {
    return static_cast<int>(SourceChannels(header).size());
}

Document MakeDocument(const ImageHeader& header, const std::vector<uint8_t>& pixels) {
    const std::vector<int> sources = SourceChannels(header);
    Document document(sources.size() == 4 ? ColourMode::kRgba : ColourMode::kRgb, header.width,
                      header.height);
    const std::size_t stride = static_cast<std::size_t>(header.channels);
    for (std::size_t plane = 0; plane < sources.size(); ++plane) {
        std::vector<uint8_t>& samples = document.Plane(static_cast<int>(plane));
        const uint8_t* from = pixels.data() + sources[plane];
        for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = from[i * stride];
    }
    return document;
}

int ChannelsOf(const Document& document) { return document.PlaneCount(); }

std::vector<uint8_t> InterleavedPixels(const Document& document) {
    const std::size_t channels = static_cast<std::size_t>(document.PlaneCount());
    const std::size_t count = document.Plane(0).size();
    std::vector<uint8_t> pixels(count * channels);
    for (std::size_t plane = 0; plane < channels; ++plane) {
        const std::vector<uint8_t>& samples = document.Plane(static_cast<int>(plane));
        for (std::size_t i = 0; i < count; ++i) pixels[i * channels + plane] = samples[i];
    }
    return pixels;
}
