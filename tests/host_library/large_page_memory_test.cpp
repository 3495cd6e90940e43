#include "app/large_page_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

// Every byte of the block can be written and read back.
void ExpectUsable(void* block, std::size_t bytes) {
    ASSERT_NE(block, nullptr);
    auto* samples = static_cast<uint8_t*>(block);
    std::memset(samples, 0xA5, bytes);
    EXPECT_EQ(samples[0], 0xA5);
    EXPECT_EQ(samples[bytes - 1], 0xA5);
}

TEST(LargePageMemoryTest, BlocksOfEverySizeAroundTheLargePageAreUsable) {
    for (const std::size_t bytes : {std::size_t{1}, 2 * kMiB - 1, 2 * kMiB, 2 * kMiB + 1,
                                    std::size_t{4096000}, 24 * kMiB + 17}) {
        void* block = AllocateLargePages(bytes);
        ExpectUsable(block, bytes);
        ReleaseLargePages(block, bytes);
    }
    ReleaseLargePages(nullptr, 8 * kMiB);
}

TEST(LargePageMemoryTest, LiveBlocksNeverOverlapAndAKeptBlockIsReused) {
    const std::size_t bytes = 6 * kMiB + 123;
    auto* first = static_cast<uint8_t*>(AllocateLargePages(bytes));
    auto* second = static_cast<uint8_t*>(AllocateLargePages(bytes));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(first + bytes <= second || second + bytes <= first);
    std::memset(first, 1, bytes);
    std::memset(second, 2, bytes);
    EXPECT_EQ(first[bytes - 1], 1);
    ReleaseLargePages(second, bytes);
    // A block given back may come again; it must be whole either way.
    auto* third = static_cast<uint8_t*>(AllocateLargePages(bytes));
    ExpectUsable(third, bytes);
    EXPECT_EQ(first[0], 1);
    ReleaseLargePages(third, bytes);
    ReleaseLargePages(first, bytes);
}

TEST(LargePageMemoryTest, ImpossibleSizesAreRefusedNotWrapped) {
    EXPECT_EQ(AllocateLargePages(SIZE_MAX), nullptr);
    EXPECT_EQ(AllocateLargePages(SIZE_MAX - kMiB), nullptr);
    LargePageAllocator<uint32_t> allocator;
    EXPECT_THROW(static_cast<void>(allocator.allocate(SIZE_MAX / 2)), std::bad_array_new_length);
}

TEST(LargePageMemoryTest, PixelBytesStartCleared) {
    {
        PixelBytes plane(5 * kMiB);
        EXPECT_EQ(plane.front(), 0);
        EXPECT_EQ(plane.back(), 0);
        plane.assign(plane.size(), 7);
    }
    PixelBytes again(5 * kMiB);  // may be the block just given back
    EXPECT_EQ(again[5 * kMiB / 2], 0);
}

}  // namespace
