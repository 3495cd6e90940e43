// Counts the calls to every host routine and makes chosen calls fail, so that
// tests can walk a plug-in through every failure a host can report.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app/host_callback.h"

class FaultInjector {
public:
    // Makes the callIndex-th call (counting from 1 since the last ResetCounts)
    // of the routine fail; with persistent, that call and every later one.
    void FailAt(HostCallback callback, uint32_t callIndex, bool persistent = false);
    void ClearFaults();
    void ResetCounts();

    // Counts one call and says whether it is to fail. Called by the host's
    // routines on entry.
    bool Hit(HostCallback callback);

    uint32_t Calls(HostCallback callback) const {
        return counts_[static_cast<std::size_t>(callback)];
    }
    // How many planned failures have been delivered.
    uint32_t FailuresDelivered() const { return delivered_; }

private:
    struct Fault {
        HostCallback callback;
        uint32_t callIndex;
        bool persistent;
    };

    std::array<uint32_t, kHostCallbackCount> counts_{};
    std::vector<Fault> faults_;
    uint32_t delivered_ = 0;
};
