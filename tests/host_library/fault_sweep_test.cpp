// Every host routine failing at every call of a full run, one failure per
// run: the plug-in must report the failure or absorb it, give back all it
// took from the host, end the watch suspension, and leave the image either
// untouched or filtered exactly as the engine filters it.
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "tests/host_library/plugin_fixture.h"

namespace {

constexpr char kRegistryKey[] = "{8234f55b-feb4-4eaf-881c-442dcbfd551e}";

// What a failure of each routine must lead to.
struct Expectation {
    bool mustFail;                // the invocation reports an error
    std::optional<OSErr> result;  // and exactly this one, where it is fixed
};

Expectation ExpectedOutcome(HostCallback callback, OSErr injected) {
    switch (callback) {
        case HostCallback::kAdvanceState:
            return {true, injected};
        case HostCallback::kAbort:
            return {true, userCanceledErr};
        case HostCallback::kHandleNew:
        case HostCallback::kHandleLock:
            return {true, memFullErr};
        // A handle whose size cannot be told is not trusted with a record.
        case HostCallback::kHandleGetSize:
            return {true, std::nullopt};
        // Engine memory falls back to the heap; scripting, registry and
        // property failures never stop the filter.
        default:
            return {false, noErr};
    }
}

struct SweepCase {
    const char* name;
    HostOptions options;
};

void PrintTo(const SweepCase& sweep, std::ostream* out) { *out << sweep.name; }

class FaultSweepTest : public PluginTest, public testing::WithParamInterface<SweepCase> {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        original_ = MakePhoto(ColourMode::kRgb, 300, 280, 21);
        filtered_ = EngineResult(*original_, {});
    }

    // A replayed action and remembered values, so that every scripting
    // routine is called; all of them hold the defaults, so a failed read
    // cannot change the result.
    static InvocationOptions Replay() {
        InvocationOptions options;
        options.replay =
            Descriptor{{FourCC("Amnt"), 50.0}, {FourCC("Brgh"), 50.0}, {FourCC("Fltn"), 50.0}};
        options.playInfo = plugInDialogDontDisplay;
        return options;
    }

    static void Remember(FilterHost& host) {
        host.scripting().Register(
            kRegistryKey,
            Descriptor{{FourCC("Amnt"), 50.0}, {FourCC("Brgh"), 50.0}, {FourCC("Fltn"), 50.0}},
            true);
    }

    // Runs once with the given fault (none when callIndex is 0); returns a
    // description of every broken promise, empty when all were kept.
    std::string RunWithFault(HostCallback callback, uint32_t callIndex,
                             FaultInjector* counts = nullptr, bool persistent = false) {
        Document document = *original_;
        FilterHost host(Module(), document, GetParam().options);
        Remember(host);
        if (callIndex != 0) host.faults().FailAt(callback, callIndex, persistent);
        const InvocationReport report = host.Invoke(Replay());
        if (counts != nullptr) *counts = host.faults();

        std::ostringstream problems;
        if (callIndex != 0) {
            const Expectation expected = ExpectedOutcome(callback, host.injectedError());
            if (expected.mustFail && report.result == noErr) problems << "reported success; ";
            if (expected.result && report.result != *expected.result) {
                problems << "result " << report.result << " instead of " << *expected.result
                         << "; ";
            }
        } else if (report.result != noErr) {
            problems << "clean run failed with " << report.result << "; ";
        }
        const bool untouched = document == *original_;
        const bool filtered = DifferingSamples(document, *filtered_) == 0;
        if (!untouched && !filtered) problems << "image partly or wrongly filtered; ";
        if (report.imageChanged != filtered) problems << "image state disagrees with the run; ";
        if (report.result == noErr && !filtered) problems << "success without the filtered image; ";
        const HostLeaks leaks = host.Leaks();
        if (!leaks.None()) problems << "left behind: " << leaks.Describe() << "; ";
        if (Seams().liveBlockCount() != 0) problems << "engine blocks still recorded; ";
        // A failed reset of the suspension is the host's fault, not the plug-in's.
        if (host.observations().callsEndingSuspended() != 0 &&
            callback != HostCallback::kPropertySet) {
            problems << "watch suspension left on; ";
        }
        return problems.str();
    }

    std::optional<Document> original_;
    std::optional<Document> filtered_;
};

TEST_P(FaultSweepTest, EveryFailingCallIsReportedOrAbsorbedCleanly) {
    FaultInjector clean;
    ASSERT_EQ(RunWithFault(HostCallback::kCount, 0, &clean), "");

    uint32_t runs = 0;
    for (std::size_t index = 0; index < kHostCallbackCount; ++index) {
        const auto callback = static_cast<HostCallback>(index);
        if (!HostCallbackCanFail(callback)) continue;
        for (uint32_t call = 1; call <= clean.Calls(callback); ++call) {
            Seams().reset();
            const std::string problems = RunWithFault(callback, call);
            EXPECT_EQ(problems, "") << HostCallbackName(callback) << " failing at call " << call;
            ++runs;
        }
    }
    // The run must have exercised the routines the sweep is about.
    for (const HostCallback used :
         {HostCallback::kAbort, HostCallback::kAdvanceState, HostCallback::kHandleNew,
          HostCallback::kHandleLock, HostCallback::kBufferAllocate, HostCallback::kBufferLock,
          HostCallback::kPropertySet, HostCallback::kReadOpen, HostCallback::kReadGetFloat,
          HostCallback::kWritePutFloat, HostCallback::kAcquireSuite, HostCallback::kRegistryGet,
          HostCallback::kRegistryRegister, HostCallback::kDescriptorMake,
          HostCallback::kDescriptorGetFloat, HostCallback::kDescriptorPutFloat}) {
        EXPECT_GT(clean.Calls(used), 0u) << HostCallbackName(used);
    }
    RecordProperty("runs", static_cast<int>(runs));
}

TEST_P(FaultSweepTest, EveryRoutineFailingForGoodIsReportedOrAbsorbedCleanly) {
    FaultInjector clean;
    ASSERT_EQ(RunWithFault(HostCallback::kCount, 0, &clean), "");
    for (std::size_t index = 0; index < kHostCallbackCount; ++index) {
        const auto callback = static_cast<HostCallback>(index);
        if (!HostCallbackCanFail(callback) || clean.Calls(callback) == 0) continue;
        Seams().reset();
        EXPECT_EQ(RunWithFault(callback, 1, nullptr, true), "")
            << HostCallbackName(callback) << " failing at every call";
    }
}

HostOptions PaddedRows() {
    HostOptions options;
    options.inRowPadding = 3;
    options.outRowPadding = 9;
    return options;
}

INSTANTIATE_TEST_SUITE_P(HostHabits, FaultSweepTest,
                         testing::Values(SweepCase{"TightRows", HostOptions{}},
                                         SweepCase{"PaddedRows", PaddedRows()}),
                         [](const testing::TestParamInfo<SweepCase>& paramInfo) {
                             return std::string(paramInfo.param.name);
                         });

}  // namespace
