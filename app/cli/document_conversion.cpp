#include "app/cli/document_conversion.h"

#include <cstddef>
#include <vector>

#include "interface/plugin_constants.h"

namespace {

// For each document plane, the decoded sample it comes from.
std::vector<int> SourceChannels(const ImageHeader& header) {
    std::vector<int> sources = header.channels - (header.alpha ? 1 : 0) == 1
                                   ? std::vector<int>{0, 0, 0}
                                   : std::vector<int>{0, 1, 2};
    if (header.alpha) sources.push_back(header.channels - 1);
    return sources;
}

}  // namespace

int16_t ImageModeFor(const ImageHeader& header) {
    return header.storedMode ? ImageModeOf(*header.storedMode) : plugInModeMultichannel;
}

bool CanBecomeDocument(const ImageHeader& header) {
    return header.storedMode.has_value() && header.channels >= 1 && header.channels <= 4;
}

int DocumentChannels(const ImageHeader& header) { return header.alpha ? 4 : 3; }

Document MakeDocument(const ImageHeader& header) {
    return Document(header.alpha ? ColourMode::kRgba : ColourMode::kRgb, header.width,
                    header.height);
}

RowSink DocumentFiller(const ImageHeader& header, Document* document) {
    const std::vector<int> sources = SourceChannels(header);
    const std::size_t stride = static_cast<std::size_t>(header.channels);
    const std::size_t width = static_cast<std::size_t>(header.width);
    if (stride == 3 && sources == std::vector<int>{0, 1, 2}) {
        // The common case in one pass over the row rather than one per plane.
        return [width, document](int32_t y, const uint8_t* samples) {
            const std::size_t start = static_cast<std::size_t>(y) * width;
            uint8_t* red = document->Plane(0).data() + start;
            uint8_t* green = document->Plane(1).data() + start;
            uint8_t* blue = document->Plane(2).data() + start;
            for (std::size_t x = 0; x < width; ++x, samples += 3) {
                red[x] = samples[0];
                green[x] = samples[1];
                blue[x] = samples[2];
            }
        };
    }
    return [sources, stride, width, document](int32_t y, const uint8_t* samples) {
        for (std::size_t plane = 0; plane < sources.size(); ++plane) {
            uint8_t* to = document->Plane(static_cast<int>(plane)).data() +
                          static_cast<std::size_t>(y) * width;
            const uint8_t* from = samples + sources[plane];
            for (std::size_t x = 0; x < width; ++x) to[x] = from[x * stride];
        }
    };
}

RowSource DocumentRows(const Document& document) {
    const std::size_t channels = static_cast<std::size_t>(document.PlaneCount());
    const std::size_t width = static_cast<std::size_t>(document.width());
    if (channels == 3) {
        return [width, &document](int32_t y, uint8_t* samples) {
            const std::size_t start = static_cast<std::size_t>(y) * width;
            const uint8_t* red = document.Plane(0).data() + start;
            const uint8_t* green = document.Plane(1).data() + start;
            const uint8_t* blue = document.Plane(2).data() + start;
            for (std::size_t x = 0; x < width; ++x, samples += 3) {
                samples[0] = red[x];
                samples[1] = green[x];
                samples[2] = blue[x];
            }
        };
    }
    return [channels, width, &document](int32_t y, uint8_t* samples) {
        for (std::size_t plane = 0; plane < channels; ++plane) {
            const uint8_t* from = document.Plane(static_cast<int>(plane)).data() +
                                  static_cast<std::size_t>(y) * width;
            uint8_t* to = samples + plane;
            for (std::size_t x = 0; x < width; ++x) to[x * channels] = from[x];
        }
    };
}
