// Reading and writing the plug-in's two records in the host's handles.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/handle_registry.h"

// FilterParameters: three floats.
inline std::array<float, 3> ParameterValues(const HandleRegistry& handles, Handle handle) {
    std::array<float, 3> values{};
    const std::vector<uint8_t> bytes = handles.Contents(handle);
    if (bytes.size() >= sizeof(values)) std::memcpy(values.data(), bytes.data(), sizeof(values));
    return values;
}

inline void WriteParameterValues(HandleRegistry& handles, Handle handle,
                                 const std::array<float, 3>& values) {
    std::memcpy(handles.Lock(handle), values.data(), sizeof(values));
    handles.Unlock(handle);
}

// RunData: planeCount, bitDepth, inputWidth, inputHeight.
inline std::array<int16_t, 4> RunDataValues(const HandleRegistry& handles, Handle handle) {
    std::array<int16_t, 4> values{};
    const std::vector<uint8_t> bytes = handles.Contents(handle);
    if (bytes.size() >= sizeof(values)) std::memcpy(values.data(), bytes.data(), sizeof(values));
    return values;
}
