#include "app/fault_injector.h"

void FaultInjector::FailAt(HostCallback callback, uint32_t callIndex, bool persistent) {
    faults_.push_back({callback, callIndex, persistent});
}

void FaultInjector::ClearFaults() {
    faults_.clear();
    delivered_ = 0;
}

void FaultInjector::ResetCounts() { counts_.fill(0); }

bool FaultInjector::Hit(HostCallback callback) {
    const uint32_t call = ++counts_[static_cast<std::size_t>(callback)];
    for (const Fault& fault : faults_) {
        if (fault.callback != callback) continue;
        if (call == fault.callIndex || (fault.persistent && call > fault.callIndex)) {
            ++delivered_;
            return true;
        }
    }
    return false;
}
