// What a host saw a plug-in do during an invocation: the properties it set,
// the progress it reported, the pixel requests it made and the pixels it
// asked the host to display. Tests and tools read it; the host only appends.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "app/display_copy.h"
#include "interface/plugin_types.h"

struct PropertyChange {
    OSType signature;
    PIType key;
    int32_t index;
    intptr_t value;
};

// One advanceState call with something to deliver, as the plug-in set it up.
struct HostRequest {
    Rect inRect{};
    Fixed inputRate = 0;
    Rect maskRect{};
    Fixed maskRate = 0;
    int16_t inLoPlane = 0;
    int16_t inHiPlane = 0;
    Rect outRect{};
    OSErr result = 0;
};

class HostObservations {
public:
    void Clear() { *this = HostObservations{}; }

    void AddPropertyChange(const PropertyChange& change) { propertyChanges_.push_back(change); }
    void AddProgress(int32_t done, int32_t total) { progress_.emplace_back(done, total); }
    void AddRequest(const HostRequest& request) { requests_.push_back(request); }
    void AddDisplay(DisplayCopy copy) { displayCalls_.push_back(std::move(copy)); }
    void CountRefusedDisplay() { ++refusedDisplays_; }
    void CountPaddingWrites(uint32_t writes) { outputPaddingWrites_ += writes; }
    void CountCallEndingSuspended() { ++callsEndingSuspended_; }

    // Successful setPropertyProc calls, in order.
    const std::vector<PropertyChange>& propertyChanges() const { return propertyChanges_; }
    const std::vector<std::pair<int32_t, int32_t>>& progress() const { return progress_; }
    const std::vector<HostRequest>& requests() const { return requests_; }
    // The displayPixels calls the host drew, each with a copy of the pixels.
    const std::vector<DisplayCopy>& displayCalls() const { return displayCalls_; }
    // displayPixels calls refused because the map could not be drawn.
    uint32_t refusedDisplays() const { return refusedDisplays_; }
    // Row-padding bytes of output buffers that the plug-in overwrote.
    uint32_t outputPaddingWrites() const { return outputPaddingWrites_; }
    // Plug-in calls that returned with the watch suspension still set. The
    // host clears it at the next call, so only this count shows a plug-in
    // that forgot to.
    uint32_t callsEndingSuspended() const { return callsEndingSuspended_; }

private:
    std::vector<PropertyChange> propertyChanges_;
    std::vector<std::pair<int32_t, int32_t>> progress_;
    std::vector<HostRequest> requests_;
    std::vector<DisplayCopy> displayCalls_;
    uint32_t refusedDisplays_ = 0;
    uint32_t outputPaddingWrites_ = 0;
    uint32_t callsEndingSuspended_ = 0;
};
