#include "app/pipl_parser.h"

#include <gtest/gtest.h>

#include "interface/plugin_constants.h"
#include "resources/plugin_resources.h"
#include "tests/resources/resource_test_util.h"

namespace {

std::optional<PiplInfo> Parse(const std::string& bytes) {
    return ParsePipl(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// A list with a single property, for malformed-input cases.
std::string OneProperty(const std::string& vendorAndKey, const std::string& lengthBytes,
                        const std::string& data) {
    return Bytes(
               "\x01\0"
               "\0\0\0\0"
               "\x01\0\0\0") +
           vendorAndKey + Bytes("\0\0\0\0") + lengthBytes + data;
}

TEST(PiplParser, DecodesOurOwnPropertyList) {
    const std::optional<PiplInfo> info = Parse(AsString(kPiplX64));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->kind, PIFilterKind);
    EXPECT_EQ(info->name, "LUMISTRA v1.1.4");
    EXPECT_EQ(info->category, "Morvane");
    EXPECT_EQ(info->version, 0x00040000);
    EXPECT_EQ(info->entryPointX64, "PluginMain");
    EXPECT_EQ(info->entryPointX86, "");
    EXPECT_EQ(info->enableExpression, "in (PSHOP_ImageMode, RGBMode)");
    EXPECT_EQ(info->modeFlags, (std::vector<uint8_t>{0x10, 0, 0, 0}));
    EXPECT_TRUE(info->SupportsImageMode(plugInModeRGBColor));
    EXPECT_FALSE(info->SupportsImageMode(plugInModeGrayScale));
    EXPECT_FALSE(info->SupportsImageMode(plugInModeRGB48));
    EXPECT_FALSE(info->SupportsImageMode(plugInModeGray32));  // beyond the flag bytes
    EXPECT_FALSE(info->SupportsImageMode(-1));
    ASSERT_EQ(info->filterCases.size(), 7u);
    for (const FilterCaseInfo& filterCase : info->filterCases) {
        EXPECT_EQ(filterCase.inputHandling, filterDataHandlingNone);
        EXPECT_EQ(filterCase.outputHandling, filterDataHandlingNone);
        EXPECT_EQ(filterCase.flags1, 0);
        EXPECT_EQ(filterCase.flags2, 0);
    }
    ASSERT_TRUE(info->terminology.has_value());
    EXPECT_EQ(info->terminology->classId, FourCC("vLkp"));
    EXPECT_EQ(info->terminology->eventId, FourCC("vLkp"));
    EXPECT_EQ(info->terminology->terminologyId, 16003);
    EXPECT_EQ(info->terminology->uniqueId, "{8234f55b-feb4-4eaf-881c-442dcbfd551e}");

    const std::optional<PiplInfo> x86 = Parse(AsString(kPiplX86));
    ASSERT_TRUE(x86.has_value());
    EXPECT_EQ(x86->entryPointX86, "PluginMain");
    EXPECT_EQ(x86->entryPointX64, "");
    EXPECT_EQ(Parse(AsString(kPiplNative))->NativeEntryPoint(), "PluginMain");
}

TEST(PiplParser, RejectsEveryTruncation) {
    const std::string bytes = AsString(kPiplX64);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(Parse(bytes.substr(0, size)).has_value()) << "size " << size;
    }
}

TEST(PiplParser, RejectsLengthsAndStringsThatLeaveTheirData) {
    // Property length far beyond the buffer (would wrap a careless sum).
    EXPECT_FALSE(Parse(OneProperty("MIB8dnik", Bytes("\xff\xff\xff\xff"), "MFB8")));
    // Length byte of the name larger than the property's data.
    EXPECT_FALSE(Parse(OneProperty("MIB8eman", Bytes("\x04\0\0\0"),
                                   Bytes("\x04"
                                         "abc"))));
    // Entry-point name without its terminating zero.
    EXPECT_FALSE(Parse(OneProperty("MIB84668", Bytes("\x04\0\0\0"), "Plug")));
    // Terminology shorter than its fixed part.
    EXPECT_FALSE(Parse(OneProperty("MIB8mtsh", Bytes("\x04\0\0\0"), Bytes("\0\0\0\0"))));
    // A count no buffer of this size can hold.
    EXPECT_FALSE(
        Parse(Bytes("\x01\0"
                    "\0\0\0\0"
                    "\xff\xff\xff\x7f")));
    // Unknown list version.
    EXPECT_FALSE(
        Parse(Bytes("\x01\0"
                    "\x01\0\0\0"
                    "\0\0\0\0")));
}

TEST(PiplParser, SkipsForeignPropertiesAndAcceptsUnpaddedLengths) {
    // Another vendor's 'name' is not ours to read.
    const std::optional<PiplInfo> foreign = Parse(OneProperty("XXXXeman", Bytes("\x04\0\0\0"),
                                                              Bytes("\x03"
                                                                    "abc")));
    ASSERT_TRUE(foreign.has_value());
    EXPECT_EQ(foreign->name, "");

    // A length written exactly (7) with the padding byte after it.
    const std::string unpadded = Bytes(
                                     "\x01\0"
                                     "\0\0\0\0"
                                     "\x02\0\0\0") +
                                 Bytes(
                                     "MIB8eman"
                                     "\0\0\0\0"
                                     "\x07\0\0\0"
                                     "\x06"
                                     "Filter"
                                     "\0") +
                                 Bytes(
                                     "MIB8gtac"
                                     "\0\0\0\0"
                                     "\x04\0\0\0"
                                     "\x03"
                                     "Cat");
    const std::optional<PiplInfo> info = Parse(unpadded);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->name, "Filter");
    EXPECT_EQ(info->category, "Cat");
}

}  // namespace
