#include "ui/preview_computation.h"

#include "engine/engine_values.h"
#include "engine/noise_reducer.h"
#include "interface/plugin_constants.h"
#include "ui/pane_copy.h"
#include "ui/zoom_geometry.h"

namespace {
// The whole buffer of a pane, rows of width * planeCount bytes.
Rect BufferBytes(const PaneView& pane, int32_t planeCount) {
    return Rect{0, 0, pane.height, int16_t(pane.width * planeCount)};
}

// Copies the delivered image block into a pane buffer and repeats its edges over the
// rest of the buffer.
void StoreDelivered(const DeliveredSamples& delivered, const PaneView& pane, int32_t planeCount,
                    uint8_t* buffer) {
    const Rect block{0, 0, int16_t(delivered.height), int16_t(delivered.width * planeCount)};
    CopyRows(delivered.samples.inData, block, delivered.samples.inRowBytes, buffer,
             BufferBytes(pane, planeCount), pane.width * planeCount);
    ReplicateEdges(buffer, pane.width, pane.height, planeCount, delivered.width, delivered.height);
}

void CopyWholeBuffer(const uint8_t* from, const PaneView& pane, int32_t planeCount, uint8_t* to) {
    const Rect whole = BufferBytes(pane, planeCount);
    CopyRows(from, whole, pane.width * planeCount, to, whole, pane.width * planeCount);
}
}  // namespace

int32_t RoundUpTo64(int32_t size) { return size - ((size - 1) % 64) + 63; }

OSErr RequestPaneSamples(PreviewContext& context, PaneView& pane, DeliveredSamples& delivered) {
    PreviewPort& port = context.port;
    const bool wantMask = port.HaveMask();
    const Rect request = RequestRect(context.filterRect, pane);
    PaneSamples samples{};
    OSErr result = port.RequestPane(PaneRequest{request, pane.rate, wantMask}, &samples);
    // A host that reports success without delivering anything has failed.
    if (result == noErr && samples.inData == nullptr) result = memFullErr;
    port.SetHostResult(result);
    if (result != noErr) return result;

    delivered.samples = samples;
    delivered.width = int32_t(request.right) - request.left;
    delivered.height = int32_t(request.bottom) - request.top;
    if (wantMask && samples.maskData != nullptr && pane.maskBuffer != nullptr) {
        const Rect block{0, 0, int16_t(delivered.height), int16_t(delivered.width)};
        CopyRows(samples.maskData, block, samples.maskRowBytes, pane.maskBuffer,
                 Rect{0, 0, pane.height, pane.width}, pane.width);
        ReplicateEdges(pane.maskBuffer, pane.width, pane.height, 1, delivered.width,
                       delivered.height);
    }
    return noErr;
}

OSErr ComputePreview(PreviewContext& context, PreviewMode mode, PaneView& previewPane) {
    PendingFlags& pending = context.pending;
    const int32_t planeCount = context.planeCount;
    if (!pending.fetchPending && !pending.filterPending) {
        const uint8_t* shown =
            mode == PreviewBefore ? previewPane.unfilteredBuffer : previewPane.filteredBuffer;
        CopyWholeBuffer(shown, previewPane, planeCount, previewPane.displayBuffer);
        pending.displayPending = false;
        return noErr;
    }

    DeliveredSamples delivered{};
    const OSErr result = RequestPaneSamples(context, previewPane, delivered);
    if (result != noErr) return result;

    if (pending.fetchPending) {
        StoreDelivered(delivered, previewPane, planeCount, previewPane.unfilteredBuffer);
        if (mode == PreviewBefore) {
            CopyWholeBuffer(previewPane.unfilteredBuffer, previewPane, planeCount,
                            previewPane.displayBuffer);
        }
        pending.fetchPending = false;
    }

    if (pending.filterPending) {
        PreviewPort& port = context.port;
        const int32_t startLevel = PreviewStartLevel(context.zoom);
        const int32_t paddedWidth = RoundUpTo64(previewPane.width);
        const int32_t paddedHeight = RoundUpTo64(previewPane.height);
        auto* plane =
            static_cast<uint8_t*>(port.Allocator()(uint32_t(paddedWidth) * uint32_t(paddedHeight)));
        if (plane == nullptr) return noErr;

        NoiseReducer reducer(port.Allocator(), port.Releaser());
        const EngineValues values = ConvertEngineValues(context.parameters);
        const Rect deliveredPixels{0, 0, int16_t(delivered.height), int16_t(delivered.width)};
        const Rect planeRect{0, 0, int16_t(paddedHeight), int16_t(paddedWidth)};
        const Rect bufferPixels{0, 0, previewPane.height, previewPane.width};
        for (int32_t i = 0; i < planeCount; ++i) {
            ExtractPlane(delivered.samples.inData, deliveredPixels, delivered.samples.inRowBytes,
                         plane, planeRect, paddedWidth, planeCount, i);
            port.PollAbort();
            port.NoteEnginePass(PreviewEnginePass{
                startLevel, kEngineMaxLevel, values.hiStrength, values.loStrength, values.clarity,
                uint32_t(paddedWidth), uint32_t(paddedHeight), i});
            if (reducer.ProcessPlane(plane, plane, uint32_t(paddedWidth), uint32_t(paddedHeight),
                                     values.hiStrength, values.loStrength, values.clarity,
                                     startLevel, kEngineMaxLevel)) {
                port.SetHostResult(userCanceledErr);
                port.Releaser()(plane);
                reducer.ReleaseWorkImages();
                return noErr;
            }
            InsertPlane(plane, planeRect, paddedWidth, previewPane.filteredBuffer, bufferPixels,
                        previewPane.width * planeCount, planeCount, i);
        }
        const uint8_t* shown =
            mode == PreviewAfter ? previewPane.filteredBuffer : previewPane.unfilteredBuffer;
        CopyWholeBuffer(shown, previewPane, planeCount, previewPane.displayBuffer);
        port.Releaser()(plane);
        pending.filterPending = false;
        reducer.ReleaseWorkImages();
    }

    pending.displayPending = false;
    return noErr;
}

OSErr FetchNavigatorImage(PreviewContext& context, PaneView& navigatorPane) {
    DeliveredSamples delivered{};
    const OSErr result = RequestPaneSamples(context, navigatorPane, delivered);
    if (result != noErr) return result;
    StoreDelivered(delivered, navigatorPane, context.planeCount, navigatorPane.displayBuffer);
    return noErr;
}
