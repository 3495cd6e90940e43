#include <gtest/gtest.h>

#include "resources/plugin_resources.h"
#include "tests/resources/resource_test_util.h"

namespace {

TEST(AeteBytes, MatchTheHandWrittenLayout) {
    const std::string expected =
        // word 1, version 1.0, language, script, one suite
        Bytes(
            "\x01\0"
            "\x01"
            "\0"
            "\0\0"
            "\0\0"
            "\x01\0") +
        Bytes(
            "\x07"
            "Morvane") +
        Bytes(
            "\x10"
            "LUMISTRA plug-in") +
        "pkLv" +
        Bytes(
            "\x01\0"
            "\x01\0"
            "\x01\0")  // level, version, one event
        + Bytes(
              "\x08"
              "LUMISTRA") +
        Bytes(
            "\x10"
            "LUMISTRA plug-in") +
        "pkLv" + "pkLv" + "llun" +
        Bytes(
            "\0"
            "\0\0")  // reply: type, empty description, flags
        + "RmI#" +
        Bytes(
            "\0"
            "\0\xb0")      // direct parameter, flags 0xB000
        + Bytes("\x03\0")  // three parameters
        + Bytes(
              "\x0f"
              "NoiseHighAmount") +
        "tnmA" + "buod" +
        Bytes(
            "\x0f"
            "NoiseHighAmount") +
        Bytes("\0\0") +
        Bytes(
            "\x0e"
            "NoiseLowAmount") +
        "hgrB" + "buod" +
        Bytes(
            "\x0e"
            "NoiseLowAmount") +
        Bytes("\0\0") +
        Bytes(
            "\x07"
            "Clarity") +
        "ntlF" + "buod" +
        Bytes(
            "\x07"
            "Clarity") +
        Bytes("\0\0") +
        Bytes(
            "\0\0"
            "\0\0"
            "\0\0");  // no classes, comparison operators, enumerations
    EXPECT_EQ(AsString(kAete), expected);
    EXPECT_EQ(kAete.size(), 209u);
}

// Reads the terminology item by item, as a host does; any disagreement between
// a count and the items that follow shows up as a wrong field or leftover bytes.
TEST(AeteBytes, WalkAsAHostReadsIt) {
    const std::string bytes = AsString(kAete);
    LittleEndianCursor cursor(bytes);
    EXPECT_EQ(cursor.U16(), 1u);
    EXPECT_EQ(cursor.U8(), 1u);
    EXPECT_EQ(cursor.U8(), 0u);
    EXPECT_EQ(cursor.U16(), 0u);
    EXPECT_EQ(cursor.U16(), 0u);
    ASSERT_EQ(cursor.U16(), 1u);

    EXPECT_EQ(cursor.PascalString(), "Morvane");
    EXPECT_EQ(cursor.PascalString(), "LUMISTRA plug-in");
    EXPECT_EQ(cursor.Code(), "vLkp");
    EXPECT_EQ(cursor.U16(), 1u);
    EXPECT_EQ(cursor.U16(), 1u);
    ASSERT_EQ(cursor.U16(), 1u);

    EXPECT_EQ(cursor.PascalString(), "LUMISTRA");
    EXPECT_EQ(cursor.PascalString(), "LUMISTRA plug-in");
    EXPECT_EQ(cursor.Code(), "vLkp");
    EXPECT_EQ(cursor.Code(), "vLkp");
    EXPECT_EQ(cursor.Code(), "null");
    EXPECT_EQ(cursor.PascalString(), "");
    EXPECT_EQ(cursor.U16(), 0u);
    EXPECT_EQ(cursor.Code(), "#ImR");
    EXPECT_EQ(cursor.PascalString(), "");
    EXPECT_EQ(cursor.U16(), 0xB000u);

    const uint32_t parameterCount = cursor.U16();
    ASSERT_EQ(parameterCount, 3u);
    const std::vector<std::pair<std::string, std::string>> parameters = {
        {"NoiseHighAmount", "Amnt"}, {"NoiseLowAmount", "Brgh"}, {"Clarity", "Fltn"}};
    for (const auto& [name, key] : parameters) {
        SCOPED_TRACE(name);
        EXPECT_EQ(cursor.PascalString(), name);
        EXPECT_EQ(cursor.Code(), key);
        EXPECT_EQ(cursor.Code(), "doub");
        EXPECT_EQ(cursor.PascalString(), name);
        EXPECT_EQ(cursor.U16(), 0u);
    }
    EXPECT_EQ(cursor.U16(), 0u);
    EXPECT_EQ(cursor.U16(), 0u);
    EXPECT_EQ(cursor.U16(), 0u);
    EXPECT_TRUE(cursor.AtEnd());
}

}  // namespace
