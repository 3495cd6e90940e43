// Hosts built for older interfaces count fewer routines in their tables, and
// may leave something in the slots past the count. For every table and every
// count short of the routines the plug-in uses, a full run must never call a
// routine past the count, must take a table that a block's or a session's
// life needs only when it is complete, and must end cleanly: the image
// filtered and success, or untouched and a failure, with nothing left behind.
#include <optional>
#include <string>
#include <vector>

#include "tests/host_library/plugin_fixture.h"

namespace {

constexpr char kRegistryKey[] = "{8234f55b-feb4-4eaf-881c-442dcbfd551e}";

struct RoutineTable {
    const char* name;
    std::optional<int16_t> RoutineCounts::*count;
    // The routines in slot order, as far as the plug-in uses them (slots
    // holding routines the plug-in never calls count as kReadOther and the like).
    std::vector<HostCallback> slots;
    // Below this count the plug-in must not use the table at all: a handle's,
    // a buffer's or a descriptor session's life needs every routine up to it.
    int16_t completeFrom;
};

const std::vector<RoutineTable>& Tables() {
    static const std::vector<RoutineTable> tables = {
        {"handle",
         &RoutineCounts::handle,
         {HostCallback::kHandleNew, HostCallback::kHandleDispose, HostCallback::kHandleGetSize,
          HostCallback::kHandleSetSize, HostCallback::kHandleLock, HostCallback::kHandleUnlock,
          HostCallback::kHandleRecoverSpace, HostCallback::kHandleDisposeRegular},
         2},
        {"buffer",
         &RoutineCounts::buffer,
         {HostCallback::kBufferAllocate, HostCallback::kBufferLock, HostCallback::kBufferUnlock,
          HostCallback::kBufferFree, HostCallback::kBufferSpace, HostCallback::kBufferReserve,
          HostCallback::kBufferAllocate64, HostCallback::kBufferSpace64},
         4},
        {"property",
         &RoutineCounts::property,
         {HostCallback::kPropertyGet, HostCallback::kPropertySet},
         0},
        {"read descriptor",
         &RoutineCounts::readDescriptor,
         {HostCallback::kReadOpen, HostCallback::kReadClose, HostCallback::kReadGetKey,
          HostCallback::kReadOther, HostCallback::kReadGetFloat},
         5},
        {"write descriptor",
         &RoutineCounts::writeDescriptor,
         {HostCallback::kWriteOpen, HostCallback::kWriteClose, HostCallback::kWriteOther,
          HostCallback::kWritePutFloat},
         4},
    };
    return tables;
}

Descriptor DefaultAmounts() {
    return Descriptor{{FourCC("Amnt"), 50.0}, {FourCC("Brgh"), 50.0}, {FourCC("Fltn"), 50.0}};
}

class ShortRoutineTablesTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        original_ = MakePhoto(ColourMode::kRgb, 300, 280, 5);
        filtered_ = EngineResult(*original_, {});
    }

    // Runs with a replayed action and remembered values, so that the scripting
    // tables are used; both hold the defaults, so skipping them cannot change
    // the image. Returns every broken promise, empty when all were kept.
    std::string RunWith(const RoutineTable& table, int16_t count, FaultInjector* calls = nullptr) {
        Document document = *original_;
        HostOptions options;
        options.routineCounts.*table.count = count;
        FilterHost host(Module(), document, options);
        host.scripting().Register(kRegistryKey, DefaultAmounts(), true);
        InvocationOptions invocation;
        invocation.replay = DefaultAmounts();
        invocation.playInfo = plugInDialogDontDisplay;
        const InvocationReport report = host.Invoke(invocation);
        if (calls != nullptr) *calls = host.faults();

        std::string problems;
        for (std::size_t slot = 0; slot < table.slots.size(); ++slot) {
            const bool counted = static_cast<int16_t>(slot) < count && count >= table.completeFrom;
            const uint32_t made = host.faults().Calls(table.slots[slot]);
            if (!counted && made != 0) {
                problems += std::string(HostCallbackName(table.slots[slot])) + " called " +
                            std::to_string(made) + " times; ";
            }
        }
        const bool untouched = document == *original_;
        const bool filtered = DifferingSamples(document, *filtered_) == 0;
        if (report.result == noErr && !filtered) problems += "success without the filtered image; ";
        if (report.result != noErr && !untouched) problems += "failure with a changed image; ";
        if (report.imageChanged != filtered) problems += "image state disagrees with the run; ";
        const HostLeaks leaks = host.Leaks();
        if (!leaks.None()) problems += "left behind: " + leaks.Describe() + "; ";
        if (Seams().liveBlockCount() != 0) problems += "engine blocks still recorded; ";
        return problems;
    }

    std::optional<Document> original_;
    std::optional<Document> filtered_;
};

TEST_F(ShortRoutineTablesTest, RoutinesPastTheCountAreNeverCalled) {
    for (const RoutineTable& table : Tables()) {
        const int16_t full = static_cast<int16_t>(table.slots.size());
        for (int16_t count = 0; count < full; ++count) {
            Seams().reset();
            EXPECT_EQ(RunWith(table, count), "")
                << "the " << table.name << " table counting " << count << " routines";
        }
    }
}

TEST_F(ShortRoutineTablesTest, CompleteTablesAreUsed) {
    // Without this the sweep above would also pass for a plug-in that never
    // looks at the tables.
    for (const RoutineTable& table : Tables()) {
        FaultInjector calls;
        Seams().reset();
        ASSERT_EQ(RunWith(table, static_cast<int16_t>(table.slots.size()), &calls), "");
        uint32_t made = 0;
        for (const HostCallback slot : table.slots) made += calls.Calls(slot);
        EXPECT_GT(made, 0u) << "the " << table.name << " table";
    }
}

}  // namespace
