#include <gtest/gtest.h>

#include "resources/plugin_resources.h"
#include "tests/resources/resource_test_util.h"

namespace {

// Written out by hand from the resource's description. Four-character codes
// are stored as little-endian numbers, so '8BIM' reads "MIB8" and 'kind' "dnik".
std::string ExpectedPipl(const std::string& entryPointKeyBytes) {
    std::string fici;
    for (int filterCase = 0; filterCase < 7; ++filterCase) fici += Bytes("\x01\x01\0\0");
    return Bytes("\x01\0")        // leading word 1
           + Bytes("\0\0\0\0")    // list version 0
           + Bytes("\x09\0\0\0")  // nine properties
           + Bytes(
                 "MIB8"
                 "dnik"
                 "\0\0\0\0"
                 "\x04\0\0\0") +
           "MFB8" +
           Bytes(
               "MIB8"
               "eman"
               "\0\0\0\0"
               "\x10\0\0\0") +
           Bytes(
               "\x0f"
               "LUMISTRA v1.1.4") +
           Bytes(
               "MIB8"
               "gtac"
               "\0\0\0\0"
               "\x08\0\0\0") +
           Bytes(
               "\x07"
               "Morvane") +
           Bytes(
               "MIB8"
               "srev"
               "\0\0\0\0"
               "\x04\0\0\0") +
           Bytes("\0\0\x04\0") + "MIB8" + entryPointKeyBytes +
           Bytes(
               "\0\0\0\0"
               "\x0c\0\0\0") +
           Bytes("PluginMain\0\0") +
           Bytes(
               "MIB8"
               "edom"
               "\0\0\0\0"
               "\x04\0\0\0") +
           Bytes("\x10\0\0\0") +
           Bytes(
               "MIB8"
               "mtsh"
               "\0\0\0\0"
               "\x38\0\0\0") +
           Bytes(
               "\0\0\0\0"
               "pkLv"
               "pkLv"
               "\x83\x3e")  // version 0, class, event, 16003
           + Bytes("{8234f55b-feb4-4eaf-881c-442dcbfd551e}\0\0\0\0") +
           Bytes(
               "MIB8"
               "lbne"
               "\0\0\0\0"
               "\x20\0\0\0") +
           Bytes("in (PSHOP_ImageMode, RGBMode)\0\0\0") +
           Bytes(
               "MIB8"
               "icif"
               "\0\0\0\0"
               "\x1c\0\0\0") +
           fici;
}

TEST(PiplBytes, MatchTheHandWrittenLayoutForBothArchitectures) {
    EXPECT_EQ(AsString(kPiplX86), ExpectedPipl("68xw"));
    EXPECT_EQ(AsString(kPiplX64), ExpectedPipl("4668"));
    EXPECT_EQ(kPiplX86.size(), 318u);
    EXPECT_EQ(kPiplX64.size(), 318u);
    EXPECT_EQ(AsString(kPiplNative), AsString(sizeof(void*) == 8 ? kPiplX64 : kPiplX86));
}

// Walks the list the way a host does and checks what every host relies on:
// the declared count, the vendor, id 0, padded lengths, and nothing left over.
TEST(PiplBytes, WalkAsAHostReadsIt) {
    const std::string bytes = AsString(kPiplX64);
    LittleEndianCursor cursor(bytes);
    EXPECT_EQ(cursor.U16(), 1u);
    EXPECT_EQ(cursor.U32(), 0u);
    const uint32_t count = cursor.U32();
    ASSERT_EQ(count, 9u);

    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {"kind", 4}, {"name", 16}, {"catg", 8},  {"vers", 4},  {"8664", 12},
        {"mode", 4}, {"hstm", 56}, {"enbl", 32}, {"fici", 28},
    };
    for (uint32_t index = 0; index < count; ++index) {
        SCOPED_TRACE(expected[index].first);
        EXPECT_EQ(cursor.Code(), "8BIM");
        EXPECT_EQ(cursor.Code(), expected[index].first);
        EXPECT_EQ(cursor.U32(), 0u);
        const uint32_t length = cursor.U32();
        EXPECT_EQ(length, expected[index].second);
        EXPECT_EQ(length % 4, 0u);
        const std::string data = cursor.Text(length);
        if (expected[index].first == "vers") {
            EXPECT_EQ(data, Bytes("\0\0\x04\0"));  // 0x00040000
        }
        if (expected[index].first == "mode") {
            EXPECT_EQ(data, Bytes("\x10\0\0\0"));
        }
    }
    EXPECT_TRUE(cursor.AtEnd());
}

}  // namespace
