#include "host/plane_exchange.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/plugin_alloc.h"
#include "host/plugin_state.h"

namespace {
struct PlaneShape {
    uint32_t width;
    uint32_t height;
};

bool RunEngine(NoiseReducer& engine, const uint8_t* in, uint8_t* out, PlaneShape shape,
               const EngineValues& values) {
    const bool failed =
        engine.ProcessPlane(in, out, shape.width, shape.height, values.hiStrength,
                            values.loStrength, values.clarity, kEngineStartLevel, kEngineMaxLevel);
    return !failed;
}

// Host rows are padded or differ in stride: the engine needs one contiguous
// plane, so the rows are gathered into one and the result scattered back.
bool RunEngineOnCopy(NoiseReducer& engine, const FilterRecord& filter, PlaneShape shape,
                     const EngineValues& values) {
    const std::size_t width = shape.width;
    auto* plane = static_cast<uint8_t*>(PluginAlloc(shape.width * shape.height));
    if (plane == nullptr) return false;
    const auto* in = static_cast<const uint8_t*>(filter.inData);
    for (std::size_t y = 0; y < shape.height; ++y) {
        std::memcpy(plane + y * width, in + y * static_cast<std::size_t>(filter.inRowBytes), width);
    }
    const bool filtered = RunEngine(engine, plane, plane, shape, values);
    if (filtered) {
        auto* out = static_cast<uint8_t*>(filter.outData);
        for (std::size_t y = 0; y < shape.height; ++y) {
            std::memcpy(out + y * static_cast<std::size_t>(filter.outRowBytes), plane + y * width,
                        width);
        }
    }
    PluginFree(plane);
    return filtered;
}
}  // namespace

bool FilterDeliveredPlane(const FilterRecord& filter, NoiseReducer& engine,
                          const EngineValues& values) {
    const int32_t width = filter.filterRect.right - filter.filterRect.left;
    const int32_t height = filter.filterRect.bottom - filter.filterRect.top;
    if (filter.inData == nullptr || filter.outData == nullptr) {
        SetResult(errPlugInHostInsufficient);
        return false;
    }
    if (width <= 0 || height <= 0 || filter.inRowBytes < width || filter.outRowBytes < width) {
        SetResult(filterBadParameters);
        return false;
    }
    const PlaneShape shape{static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    // The usual host delivers tight rows: the engine then works on the host's
    // buffers directly (in place when the host gives one buffer for both).
    const bool filtered = filter.inRowBytes == width && filter.outRowBytes == width
                              ? RunEngine(engine, static_cast<const uint8_t*>(filter.inData),
                                          static_cast<uint8_t*>(filter.outData), shape, values)
                              : RunEngineOnCopy(engine, filter, shape, values);
    if (!filtered) SetResult(userCanceledErr);
    return filtered;
}
