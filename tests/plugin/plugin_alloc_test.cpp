#include "host/plugin_alloc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/plugin_state.h"
#include "tests/plugin/fake_host.h"

namespace {
using Events = std::vector<std::string>;

bool AllZero(const void* block, std::size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(block);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) return false;
    }
    return true;
}

class PluginAllocTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.filter.bufferProcs = &host.buffers;
        host.BeginCall(filterSelectorStart);
    }
    void TearDown() override {
        PluginFreeAll();
        EXPECT_EQ(LiveBlockCount(), 0u);
    }
    FakeHost host;
};

TEST_F(PluginAllocTest, FreeOfNullOrUnknownAddressChangesNothing) {
    void* block = PluginAlloc(16);
    int stranger = 0;
    host.events.clear();
    PluginFree(nullptr);
    PluginFree(&stranger);
    EXPECT_EQ(LiveBlockCount(), 1u);
    EXPECT_TRUE(host.events.empty());
    PluginFree(block);
    EXPECT_EQ(LiveBlockCount(), 0u);
}

TEST_F(PluginAllocTest, WithoutBufferProcsTheHeapServesAndTheResultStaysClear) {
    host.filter.bufferProcs = nullptr;
    void* block = PluginAlloc(65536);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(AllZero(block, 65536));
    EXPECT_EQ(host.result, noErr);
    EXPECT_TRUE(host.events.empty());
}

TEST_F(PluginAllocTest, HostBlockIsZeroFilledAndGoesBackUnlockedThenFreed) {
    void* block = PluginAlloc(100);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(AllZero(block, 100));
    PluginFree(block);
    EXPECT_EQ(host.events, (Events{"allocate 100", "lock 1", "unlock 1", "free 1"}));
}

TEST_F(PluginAllocTest, AllocateErrorIsMergedAndTheHeapServesWhileItIsPending) {
    host.result = paramErr;  // an earlier failure of the same call
    host.allocateResult = memFullErr;
    void* first = PluginAlloc(64);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(AllZero(first, 64));
    EXPECT_EQ(host.result, static_cast<int16_t>(paramErr | memFullErr));

    // The host grants the next buffer, but the failure is still pending: the
    // buffer goes straight back and the block comes from the heap.
    host.allocateResult = noErr;
    void* second = PluginAlloc(32);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(host.events, (Events{"allocate 64", "allocate 32", "free 1"}));
    PluginFreeAll();
    EXPECT_EQ(host.events.size(), 3u) << "heap blocks are not returned to the host";
}

TEST_F(PluginAllocTest, FailedLockFreesTheBufferAndReportsMemFull) {
    host.lockFails = true;
    void* block = PluginAlloc(48);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(AllZero(block, 48));
    EXPECT_EQ(host.result, memFullErr);
    EXPECT_EQ(host.events, (Events{"allocate 48", "lock 1", "free 1"}));
}

TEST_F(PluginAllocTest, IncompleteBufferTableIsNotUsed) {
    host.buffers.freeProc = nullptr;  // a buffer could be taken but never given back
    ASSERT_NE(PluginAlloc(8), nullptr);
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(host.result, noErr);
}

TEST_F(PluginAllocTest, FreeAllReturnsNewestFirst) {
    PluginAlloc(1);
    PluginAlloc(2);
    host.filter.bufferProcs = nullptr;
    PluginAlloc(3);  // a heap block between host blocks
    host.filter.bufferProcs = &host.buffers;
    PluginAlloc(4);
    host.events.clear();
    EXPECT_EQ(LiveBlockCount(), 4u);
    PluginFreeAll();
    EXPECT_EQ(LiveBlockCount(), 0u);
    EXPECT_EQ(host.events,
              (Events{"unlock 3", "free 3", "unlock 2", "free 2", "unlock 1", "free 1"}));
}

TEST_F(PluginAllocTest, FreeInTheMiddleKeepsTheListLinked) {
    host.filter.bufferProcs = nullptr;
    void* a = PluginAlloc(1);
    void* b = PluginAlloc(1);
    void* c = PluginAlloc(1);
    PluginFree(b);
    PluginFree(a);
    EXPECT_EQ(LiveBlockCount(), 1u);
    void* d = PluginAlloc(1);
    PluginFree(c);
    PluginFree(d);
    EXPECT_EQ(LiveBlockCount(), 0u);
}
}  // namespace
