#include "host/last_parameters.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "host/descriptor_amounts.h"
#include "host/plugin_state.h"

namespace {
// The registry and action descriptor suites, acquired for the life of one
// routine. Each suite that was acquired is released again, with the same name
// and version, even when the other one was not.
class RegistrySuites {
public:
    explicit RegistrySuites(const SPBasicSuite& basic) : basic_(basic) {
        registryAcquired_ =
            Acquire(kPSDescriptorRegistrySuite, kPSDescriptorRegistrySuiteVersion, registry_);
        if (registryAcquired_) {
            descriptorsAcquired_ =
                Acquire(kPSActionDescriptorSuite, kPSActionDescriptorSuiteVersion, descriptors_);
        }
    }
    ~RegistrySuites() {
        if (descriptorsAcquired_) {
            basic_.ReleaseSuite(kPSActionDescriptorSuite, kPSActionDescriptorSuiteVersion);
        }
        if (registryAcquired_) {
            basic_.ReleaseSuite(kPSDescriptorRegistrySuite, kPSDescriptorRegistrySuiteVersion);
        }
    }
    RegistrySuites(const RegistrySuites&) = delete;
    RegistrySuites& operator=(const RegistrySuites&) = delete;

    // Both suites, or null when either is unusable.
    const PSDescriptorRegistryProcs* Registry() const { return Usable() ? registry_ : nullptr; }
    const PSActionDescriptorProcs* Descriptors() const { return Usable() ? descriptors_ : nullptr; }

private:
    template <class Suite>
    bool Acquire(const char* name, int32_t version, const Suite*& suite) {
        const void* acquired = nullptr;
        if (basic_.AcquireSuite(name, version, &acquired) != kSPNoError) return false;
        suite = static_cast<const Suite*>(acquired);
        return true;
    }

    bool Usable() const {
        return descriptorsAcquired_ && registry_ != nullptr && descriptors_ != nullptr;
    }

    const SPBasicSuite& basic_;
    const PSDescriptorRegistryProcs* registry_ = nullptr;
    const PSActionDescriptorProcs* descriptors_ = nullptr;
    bool registryAcquired_ = false;
    bool descriptorsAcquired_ = false;
};

const SPBasicSuite* BasicSuite() {
    const SPBasicSuite* basic = State().filter->sSPBasic;
    if (basic == nullptr || basic->AcquireSuite == nullptr || basic->ReleaseSuite == nullptr) {
        return nullptr;
    }
    return basic;
}

// Whole numbers only: the registry keeps what the dialog's sliders can show.
double RegisteredAmount(float amount) {
    if (std::isnan(amount)) return 0.0;
    const double whole = std::trunc(static_cast<double>(amount));
    if (whole < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (whole > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<double>(static_cast<int32_t>(whole));
}

OSErr ReadRegisteredAmounts(const PSActionDescriptorProcs& descriptors,
                            PIActionDescriptor descriptor, FilterParameters& parameters) {
    if (descriptors.GetFloat == nullptr) return errPlugInHostInsufficient;
    for (DescriptorKeyID key : kAmountKeys) {
        double value = 0.0;
        const OSErr result = descriptors.GetFloat(descriptor, key, &value);
        if (result != noErr) return result;
        if (!StoreDescriptorAmount(value, *AmountForKey(parameters, key))) return paramErr;
    }
    return noErr;
}

OSErr PutRegisteredAmounts(const PSActionDescriptorProcs& descriptors,
                           PIActionDescriptor descriptor, FilterParameters& parameters) {
    if (descriptors.PutFloat == nullptr) return errPlugInHostInsufficient;
    for (DescriptorKeyID key : kAmountKeys) {
        const OSErr result =
            descriptors.PutFloat(descriptor, key, RegisteredAmount(*AmountForKey(parameters, key)));
        if (result != noErr) return result;
    }
    return noErr;
}
}  // namespace

OSErr ReadLastParameters() {
    const SPBasicSuite* basic = BasicSuite();
    if (basic == nullptr) return errPlugInHostInsufficient;
    RegistrySuites suites(*basic);
    const PSDescriptorRegistryProcs* registry = suites.Registry();
    const PSActionDescriptorProcs* descriptors = suites.Descriptors();
    if (registry == nullptr || registry->Get == nullptr) return errPlugInHostInsufficient;

    PIActionDescriptor descriptor = nullptr;
    OSErr result = registry->Get(kPluginUniqueId, &descriptor);
    if (result != noErr || descriptor == nullptr) return result;
    result = ReadRegisteredAmounts(*descriptors, descriptor, *State().parameters);
    if (descriptors->Free != nullptr) descriptors->Free(descriptor);
    return result;
}

OSErr SaveLastParameters() {
    const SPBasicSuite* basic = BasicSuite();
    if (basic == nullptr) return errPlugInHostInsufficient;
    RegistrySuites suites(*basic);
    const PSDescriptorRegistryProcs* registry = suites.Registry();
    const PSActionDescriptorProcs* descriptors = suites.Descriptors();
    if (registry == nullptr || registry->Register == nullptr || descriptors->Make == nullptr) {
        return errPlugInHostInsufficient;
    }

    PIActionDescriptor descriptor = nullptr;
    OSErr result = descriptors->Make(&descriptor);
    if (result != noErr || descriptor == nullptr) return result;
    result = PutRegisteredAmounts(*descriptors, descriptor, *State().parameters);
    // The values outlive the host session, like any other preference.
    if (result == noErr) result = registry->Register(kPluginUniqueId, descriptor, true);
    if (descriptors->Free != nullptr) descriptors->Free(descriptor);
    return result;
}
