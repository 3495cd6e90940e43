#include "app/pixel_exchange.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "interface/plugin_constants.h"

namespace {

// Filler for samples the plug-in said it does not care about.
constexpr uint8_t kUndefinedPaddingByte = 0xCD;

int32_t SourceCoordinate(int32_t reduced, double step) {
    return static_cast<int32_t>(std::floor(reduced * step));
}

// count samples from index first of each of planeCount planes, interleaved into out.
void CopyToInterleaved(const uint8_t* const* planes, int32_t planeCount, std::size_t first,
                       int32_t count, uint8_t* out) {
    if (planeCount == 1) {
        std::memcpy(out, planes[0] + first, static_cast<std::size_t>(count));
        return;
    }
    for (int32_t column = 0; column < count; ++column) {
        for (int32_t plane = 0; plane < planeCount; ++plane) *out++ = planes[plane][first + column];
    }
}

bool ValidPlanes(int16_t lo, int16_t hi, std::size_t planeCount) {
    return lo >= 0 && lo <= hi && static_cast<std::size_t>(hi) < planeCount;
}

void ShapeBuffer(const Rect& rect, int16_t lo, int16_t hi, int32_t extraRowBytes,
                 ExchangeBuffer* buffer) {
    buffer->rect = rect;
    buffer->loPlane = lo;
    buffer->hiPlane = hi;
    buffer->rowSamples = buffer->Width() * buffer->PlaneCount();
    buffer->rowBytes = buffer->rowSamples + std::max(extraRowBytes, 0);
    buffer->bytes.assign(
        static_cast<std::size_t>(buffer->rowBytes) * static_cast<std::size_t>(buffer->Height()),
        kRowPaddingByte);
}

}  // namespace

double SampleStep(const SamplingRules& rules) {
    if (rules.samplingSupport == hostDoesNotSupportSampling || rules.rate <= 0) return 1.0;
    const double rate = rules.rate / 65536.0;
    if (rules.samplingSupport == hostSupportsIntegralSampling) {
        return std::max(1.0, std::round(rate));
    }
    return rate;
}

PlaneSet PlanesOf(const Document& document) {
    PlaneSet set{document.width(), document.height(), {}};
    for (int plane = 0; plane < document.PlaneCount(); ++plane) {
        set.planes.push_back(document.Plane(plane).data());
    }
    return set;
}

PlaneSet MaskPlaneOf(const Document& document) {
    return {document.width(), document.height(), {document.selectionMask->data()}};
}

bool IsEmptyRect(const Rect& rect) { return rect.top >= rect.bottom || rect.left >= rect.right; }

OSErr BuildInputBuffer(const PlaneSet& source, const Rect& rect, int16_t loPlane, int16_t hiPlane,
                       const SamplingRules& rules, int32_t extraRowBytes, ExchangeBuffer* buffer) {
    if (!ValidPlanes(loPlane, hiPlane, source.planes.size())) return paramErr;
    if (rules.supportsPadding &&
        (rules.padding < plugInWantsErrorOnBoundsException || rules.padding > 255)) {
        return paramErr;
    }
    const double step = SampleStep(rules);
    const int32_t firstX = SourceCoordinate(rect.left, step);
    const int32_t lastX = SourceCoordinate(rect.right - 1, step);
    const int32_t firstY = SourceCoordinate(rect.top, step);
    const int32_t lastY = SourceCoordinate(rect.bottom - 1, step);
    const bool outside =
        firstX < 0 || firstY < 0 || lastX >= source.width || lastY >= source.height;
    if (outside && rules.supportsPadding && rules.padding == plugInWantsErrorOnBoundsException) {
        return paramErr;
    }

    ShapeBuffer(rect, loPlane, hiPlane, extraRowBytes, buffer);
    const bool replicate = rules.supportsPadding && rules.padding == plugInWantsEdgeReplication;
    uint8_t fill = 0;
    if (rules.supportsPadding) {
        fill = rules.padding >= 0 ? static_cast<uint8_t>(rules.padding) : kUndefinedPaddingByte;
    }
    const int32_t planes = buffer->PlaneCount();
    // Unreduced rows that lie inside the image are copied sample by sample in order.
    const bool columnsInside = step == 1.0 && rect.left >= 0 && rect.right <= source.width;
    for (int32_t row = 0; row < buffer->Height(); ++row) {
        int32_t y = SourceCoordinate(rect.top + row, step);
        const bool rowInside = y >= 0 && y < source.height;
        if (replicate) y = std::clamp(y, 0, source.height - 1);
        uint8_t* out = buffer->bytes.data() + static_cast<std::size_t>(row) * buffer->rowBytes;
        if (columnsInside && rowInside) {
            const std::size_t first = static_cast<std::size_t>(y) * source.width + rect.left;
            CopyToInterleaved(source.planes.data() + loPlane, planes, first, buffer->Width(), out);
            continue;
        }
        for (int32_t column = 0; column < buffer->Width(); ++column) {
            int32_t x = SourceCoordinate(rect.left + column, step);
            const bool inside = rowInside && x >= 0 && x < source.width;
            if (replicate) x = std::clamp(x, 0, source.width - 1);
            const std::size_t at = static_cast<std::size_t>(y) * source.width + x;
            for (int32_t plane = 0; plane < planes; ++plane) {
                *out++ = inside || replicate ? source.planes[loPlane + plane][at] : fill;
            }
        }
    }
    return noErr;
}

OSErr BuildOutputBuffer(const Document& image, const Rect& rect, int16_t loPlane, int16_t hiPlane,
                        int32_t extraRowBytes, ExchangeBuffer* buffer) {
    const Rect& area = image.filterRect;
    if (!ValidPlanes(loPlane, hiPlane, static_cast<std::size_t>(image.PlaneCount())) ||
        rect.top < area.top || rect.left < area.left || rect.bottom > area.bottom ||
        rect.right > area.right) {
        return paramErr;
    }
    ShapeBuffer(rect, loPlane, hiPlane, extraRowBytes, buffer);
    const PlaneSet planes = PlanesOf(image);
    for (int32_t row = 0; row < buffer->Height(); ++row) {
        uint8_t* out = buffer->bytes.data() + static_cast<std::size_t>(row) * buffer->rowBytes;
        const std::size_t first =
            static_cast<std::size_t>(rect.top + row) * image.width() + rect.left;
        CopyToInterleaved(planes.planes.data() + loPlane, buffer->PlaneCount(), first,
                          buffer->Width(), out);
    }
    return noErr;
}

uint32_t TakeBackOutput(const ExchangeBuffer& buffer, Document* image) {
    uint32_t paddingChanges = 0;
    const int32_t planes = buffer.PlaneCount();
    for (int32_t row = 0; row < buffer.Height(); ++row) {
        const uint8_t* in = buffer.bytes.data() + static_cast<std::size_t>(row) * buffer.rowBytes;
        const std::size_t first =
            static_cast<std::size_t>(buffer.rect.top + row) * image->width() + buffer.rect.left;
        if (planes == 1) {
            std::memcpy(image->Plane(buffer.loPlane).data() + first, in,
                        static_cast<std::size_t>(buffer.Width()));
            in += buffer.Width();
        } else {
            for (int32_t column = 0; column < buffer.Width(); ++column) {
                for (int32_t plane = 0; plane < planes; ++plane) {
                    image->Plane(buffer.loPlane + plane)[first + column] = *in++;
                }
            }
        }
        for (int32_t pad = buffer.rowSamples; pad < buffer.rowBytes; ++pad) {
            if (*in++ != kRowPaddingByte) ++paddingChanges;
        }
    }
    return paddingChanges;
}

void BlendBySelection(const Document& original, Document* filtered) {
    const std::vector<uint8_t>& mask = *original.selectionMask;
    for (int plane = 0; plane < original.PlaneCount(); ++plane) {
        const PixelBytes& before = original.Plane(plane);
        PixelBytes& after = filtered->Plane(plane);
        for (std::size_t at = 0; at < mask.size(); ++at) {
            const uint32_t weight = mask[at];
            after[at] = static_cast<uint8_t>(
                (after[at] * weight + before[at] * (255u - weight) + 127u) / 255u);
        }
    }
}
