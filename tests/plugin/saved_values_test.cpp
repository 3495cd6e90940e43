// The values' travel outside one run: the host's registry of last-used values
// and recorded actions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/last_parameters.h"
#include "host/plugin_state.h"
#include "host/script_parameters.h"
#include "resources/plugin_identity.h"
#include "tests/plugin/fake_host.h"

namespace {
using Values = std::map<DescriptorKeyID, double>;

// ---- A registry of last-used values behind the basic suite --------------------

struct FakeRegistry {
    std::map<std::string, Values> entries;
    std::vector<Values*> live;  // descriptors made or handed out and not freed
    int acquired = 0;
    int released = 0;
    bool offerDescriptors = true;
};
FakeRegistry* gRegistry = nullptr;

Values* AsValues(PIActionDescriptor descriptor) { return reinterpret_cast<Values*>(descriptor); }

PIActionDescriptor NewDescriptor(Values values) {
    auto* made = new Values(std::move(values));
    gRegistry->live.push_back(made);
    return reinterpret_cast<PIActionDescriptor>(made);
}

OSErr Make(PIActionDescriptor* descriptor) {
    *descriptor = NewDescriptor({});
    return noErr;
}

OSErr Free(PIActionDescriptor descriptor) {
    auto& live = gRegistry->live;
    live.erase(std::find(live.begin(), live.end(), AsValues(descriptor)));
    delete AsValues(descriptor);
    return noErr;
}

OSErr PutFloat(PIActionDescriptor descriptor, DescriptorKeyID key, double value) {
    (*AsValues(descriptor))[key] = value;
    return noErr;
}

OSErr GetFloat(PIActionDescriptor descriptor, DescriptorKeyID key, double* value) {
    const auto found = AsValues(descriptor)->find(key);
    if (found == AsValues(descriptor)->end()) return paramErr;
    *value = found->second;
    return noErr;
}

OSErr Register(const char* key, PIActionDescriptor descriptor, Boolean) {
    gRegistry->entries[key] = *AsValues(descriptor);
    return noErr;
}

OSErr Get(const char* key, PIActionDescriptor* descriptor) {
    const auto found = gRegistry->entries.find(key);
    if (found == gRegistry->entries.end()) return paramErr;
    *descriptor = NewDescriptor(found->second);
    return noErr;
}

PSActionDescriptorProcs MakeDescriptorSuite() {
    PSActionDescriptorProcs suite{};
    suite.Make = Make;
    suite.Free = Free;
    suite.PutFloat = PutFloat;
    suite.GetFloat = GetFloat;
    return suite;
}
const PSActionDescriptorProcs kDescriptorSuite = MakeDescriptorSuite();
const PSDescriptorRegistryProcs kRegistrySuite{Register, nullptr, Get};

SPErr AcquireSuite(const char* name, int32_t version, const void** suite) {
    if (std::strcmp(name, kPSDescriptorRegistrySuite) == 0 && version == 1) {
        *suite = &kRegistrySuite;
    } else if (std::strcmp(name, kPSActionDescriptorSuite) == 0 && version == 2 &&
               gRegistry->offerDescriptors) {
        *suite = &kDescriptorSuite;
    } else {
        return kSPSuiteNotFoundError;
    }
    ++gRegistry->acquired;
    return kSPNoError;
}

SPErr ReleaseSuite(const char*, int32_t) {
    ++gRegistry->released;
    return kSPNoError;
}

const SPBasicSuite kBasicSuite{AcquireSuite, ReleaseSuite, nullptr, nullptr,
                               nullptr,      nullptr,      nullptr};

class LastParametersTest : public ::testing::Test {
protected:
    void SetUp() override {
        gRegistry = &registry;
        host.filter.sSPBasic = const_cast<SPBasicSuite*>(&kBasicSuite);
        host.BeginCall(filterSelectorFinish);
        State().parameters = &parameters;
    }
    void TearDown() override {
        EXPECT_TRUE(registry.live.empty()) << "a descriptor was not freed";
        EXPECT_EQ(registry.acquired, registry.released);
        gRegistry = nullptr;
    }
    FakeHost host;
    FakeRegistry registry;
    FilterParameters parameters{50.0f, 50.0f, 50.0f};
};

TEST_F(LastParametersTest, SavedValuesAreTruncatedToWholeNumbers) {
    parameters = FilterParameters{37.8f, -0.5f, 99.99f};
    EXPECT_EQ(SaveLastParameters(), noErr);
    const Values saved = registry.entries.at(kPluginUniqueId);
    EXPECT_EQ(
        saved,
        (Values{{keyNoiseHighAmount, 37.0}, {keyNoiseLowAmount, 0.0}, {keyClarityAmount, 99.0}}));
}

TEST_F(LastParametersTest, ReadValuesAreRoundedToSinglesAndStopAtTheFirstMissingKey) {
    registry.entries[kPluginUniqueId] =
        Values{{keyNoiseHighAmount, 37.8}, {keyClarityAmount, 10.0}};
    ReadLastParameters();
    EXPECT_EQ(parameters.noiseHighAmount, 37.8f);
    EXPECT_EQ(parameters.noiseLowAmount, 50.0f);
    EXPECT_EQ(parameters.clarityAmount, 50.0f) << "read although 'Brgh' before it was missing";
}

TEST_F(LastParametersTest, SuiteThatIsNotOfferedLeavesValuesAndReleasesTheOther) {
    registry.offerDescriptors = false;
    registry.entries[kPluginUniqueId] = Values{{keyNoiseHighAmount, 10.0}};
    ReadLastParameters();
    EXPECT_EQ(parameters.noiseHighAmount, 50.0f);
    EXPECT_EQ(registry.acquired, 1);
}

TEST_F(LastParametersTest, HostWithoutBasicSuiteIsInsufficient) {
    host.filter.sSPBasic = nullptr;
    EXPECT_EQ(SaveLastParameters(), errPlugInHostInsufficient);
    EXPECT_EQ(ReadLastParameters(), errPlugInHostInsufficient);
}

// ---- Recorded actions --------------------------------------------------------

struct FakeScript {
    std::vector<std::pair<DescriptorKeyID, double>> replayed;  // read in order
    std::size_t next = 0;
    std::vector<std::pair<DescriptorKeyID, double>> recorded;
    Handle written = nullptr;
};
FakeScript* gScript = nullptr;

PIReadDescriptor OpenRead(Handle, DescriptorKeyID*) {
    gScript->next = 0;
    return reinterpret_cast<PIReadDescriptor>(gScript);
}
OSErr CloseRead(PIReadDescriptor) { return noErr; }
Boolean GetKey(PIReadDescriptor, DescriptorKeyID* key, DescriptorTypeID* type, int32_t*) {
    if (gScript->next >= gScript->replayed.size()) return false;
    *key = gScript->replayed[gScript->next].first;
    *type = typeFloat;
    return true;
}
OSErr GetReplayedFloat(PIReadDescriptor, double* value) {
    *value = gScript->replayed[gScript->next++].second;
    return noErr;
}
PIWriteDescriptor OpenWrite() { return reinterpret_cast<PIWriteDescriptor>(gScript); }
OSErr PutRecordedFloat(PIWriteDescriptor, DescriptorKeyID key, const double* value) {
    gScript->recorded.emplace_back(key, *value);
    return noErr;
}
OSErr CloseWrite(PIWriteDescriptor, Handle* descriptor) {
    *descriptor = gScript->written;
    return noErr;
}

class ScriptParametersTest : public ::testing::Test {
protected:
    void SetUp() override {
        gScript = &script;
        reader.numReadDescriptorProcs = kCurrentReadDescriptorProcsCount;
        reader.openReadDescriptorProc = OpenRead;
        reader.closeReadDescriptorProc = CloseRead;
        reader.getKeyProc = GetKey;
        reader.getFloatProc = GetReplayedFloat;
        writer.numWriteDescriptorProcs = kCurrentWriteDescriptorProcsCount;
        writer.openWriteDescriptorProc = OpenWrite;
        writer.closeWriteDescriptorProc = CloseWrite;
        writer.putFloatProc = PutRecordedFloat;
        descriptorParameters.readDescriptorProcs = &reader;
        descriptorParameters.writeDescriptorProcs = &writer;
        host.filter.descriptorParameters = &descriptorParameters;
        host.BeginCall(filterSelectorStart);
        State().parameters = &parameters;
        descriptorParameters.descriptor = host.filter.handleProcs->newProc(0);
    }
    FakeHost host;
    FakeScript script;
    ReadDescriptorProcs reader{};
    WriteDescriptorProcs writer{};
    PIDescriptorParameters descriptorParameters{};
    FilterParameters parameters{50.0f, 50.0f, 50.0f};
};

TEST_F(ScriptParametersTest, ReplayedValuesAreHeldToTheRangeAndNonNumbersEndTheReplay) {
    script.replayed = {{keyNoiseHighAmount, 1e300},
                       {keyNoiseLowAmount, -7.0},
                       {keyClarityAmount, std::numeric_limits<double>::quiet_NaN()}};
    bool showDialog = true;
    ReadScriptParameters(showDialog);
    EXPECT_EQ(parameters.noiseHighAmount, 100.0f);
    EXPECT_EQ(parameters.noiseLowAmount, 0.0f);
    EXPECT_EQ(parameters.clarityAmount, 50.0f);
    EXPECT_EQ(descriptorParameters.descriptor, nullptr);
    EXPECT_EQ(host.liveHandles, 0) << "the replayed descriptor must be disposed";
}

TEST_F(ScriptParametersTest, RecordingWidensTheSinglesAndReplacesTheDescriptor) {
    parameters = FilterParameters{37.8f, 50.0f, 0.0f};
    Handle written = host.filter.handleProcs->newProc(0);
    script.written = written;
    descriptorParameters.recordInfo = plugInDialogRequired;
    WriteScriptParameters();
    using Recorded = std::vector<std::pair<DescriptorKeyID, double>>;
    EXPECT_EQ(script.recorded, (Recorded{{keyNoiseHighAmount, static_cast<double>(37.8f)},
                                         {keyNoiseLowAmount, 50.0},
                                         {keyClarityAmount, 0.0}}));
    EXPECT_EQ(descriptorParameters.descriptor, written);
    EXPECT_EQ(host.liveHandles, 1) << "the old descriptor must be disposed";
    EXPECT_EQ(descriptorParameters.recordInfo, plugInDialogOptional);
    host.filter.handleProcs->disposeProc(written);
}
}  // namespace
