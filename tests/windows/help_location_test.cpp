// The Help command's decisions, given what the registry answered.
#include "ui/win32/help_location.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr int32_t kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND
constexpr int32_t kMoreData = 234;    // ERROR_MORE_DATA

int32_t Check(uint32_t type, const std::string& bytes, int32_t queryResult = 0) {
    return CheckStringValue(queryResult, type, reinterpret_cast<const uint8_t*>(bytes.data()),
                            static_cast<uint32_t>(bytes.size()), kHelpLocationCapacity);
}

TEST(ProductRegistryKeyTest, ComposesBaseWordAndFamilyWithClosingSeparator) {
    char key[kRegistryKeyCapacity];
    ASSERT_TRUE(ProductRegistryKey(kProductCode, key, sizeof key));
    EXPECT_STREQ(key, "SOFTWARE\\MORVANE\\TRX Plug-Ins\\QNT\\10\\");
}

TEST(ProductRegistryKeyTest, RefusesShortCodesAndSmallBuffers) {
    char key[kRegistryKeyCapacity];
    EXPECT_FALSE(ProductRegistryKey("QNTW", key, sizeof key));
    EXPECT_STREQ(key, "");
    char small[20];
    EXPECT_FALSE(ProductRegistryKey(kProductCode, small, sizeof small));
    EXPECT_STREQ(small, "");
}

TEST(CheckStringValueTest, TerminatedStringsPass) {
    EXPECT_EQ(Check(kRegistryString, std::string("C:\\Help\\", 9)), 0);
    EXPECT_EQ(Check(kRegistryExpandString, std::string("%HELP%\\", 8)), 0);
    EXPECT_EQ(Check(kRegistryMultiString, std::string("C:\\Help\\\0\0", 10)), 0);
}

TEST(CheckStringValueTest, UnterminatedOrEmptyStringsAreInvalidData) {
    EXPECT_EQ(Check(kRegistryString, "C:\\Help\\"), kInvalidDataError);
    EXPECT_EQ(Check(kRegistryString, ""), kInvalidDataError);
    EXPECT_EQ(Check(kRegistryMultiString, std::string("C:\\Help\\\0", 9)), kInvalidDataError);
    EXPECT_EQ(Check(kRegistryMultiString, std::string("\0", 1)), kInvalidDataError);
}

TEST(CheckStringValueTest, OtherTypesAreInvalidData) {
    EXPECT_EQ(Check(kRegistryDword, std::string("\x01\0\0\0", 4)), kInvalidDataError);
    EXPECT_EQ(Check(kRegistryNone, std::string("C:\\\0", 4)), kInvalidDataError);
}

TEST(CheckStringValueTest, FailedQueriesKeepTheirError) {
    EXPECT_EQ(Check(kRegistryNone, "", kFileNotFound), kFileNotFound);
    EXPECT_EQ(Check(kRegistryString, std::string(300, 'x'), kMoreData), kMoreData);
    EXPECT_EQ(CheckStringValue(kFileNotFound, kRegistryString, nullptr, 0, 0), kFileNotFound);
    // Without a buffer a successful size query is a success.
    EXPECT_EQ(CheckStringValue(0, kRegistryDword, nullptr, 4, 0), 0);
}

TEST(CheckStringValueTest, MoreBytesThanTheBufferHoldsIsInvalidData) {
    const std::string bytes(10, '\0');
    EXPECT_EQ(CheckStringValue(0, kRegistryString, reinterpret_cast<const uint8_t*>(bytes.data()),
                               11, 10),
              kInvalidDataError);
}

TEST(ComposeHelpAddressTest, JoinsSchemeLocationAndPageWithoutSeparator) {
    char address[kHelpAddressCapacity];
    ASSERT_TRUE(ComposeHelpAddress("C:\\Help\\", address, sizeof address));
    EXPECT_STREQ(address, "file://C:\\Help\\LumistraHelp.htm");
}

TEST(ComposeHelpAddressTest, LongestLocationFitsOneMoreIsRefused) {
    // 7 bytes of scheme, 16 of page name and the terminating zero leave 232.
    const std::string longest(232, 'a');
    char address[kHelpAddressCapacity + 8];
    std::memset(address, '#', sizeof address);
    ASSERT_TRUE(ComposeHelpAddress(longest.c_str(), address, kHelpAddressCapacity));
    EXPECT_EQ(std::strlen(address), kHelpAddressCapacity - 1);

    std::memset(address, '#', sizeof address);
    const std::string tooLong(233, 'a');
    EXPECT_FALSE(ComposeHelpAddress(tooLong.c_str(), address, kHelpAddressCapacity));
    EXPECT_STREQ(address, "");
    EXPECT_EQ(address[kHelpAddressCapacity], '#');
    // The longest location the registry read can deliver is refused too.
    const std::string longestRead(kHelpLocationCapacity - 1, 'a');
    EXPECT_FALSE(ComposeHelpAddress(longestRead.c_str(), address, kHelpAddressCapacity));
}

}  // namespace
