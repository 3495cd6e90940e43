#include <gtest/gtest.h>

#include "resources/plugin_resources.h"
#include "tests/resources/resource_test_util.h"

namespace {

// The files handed to the Windows resource compiler carry exactly the arrays.
TEST(ResourceFiles, HoldTheSameBytesAsTheArrays) {
    const std::string directory = LUMISTRA_RESOURCE_FILE_DIR;
    EXPECT_EQ(AsString(ReadWholeFile(directory + "/pipl_x86.bin")), AsString(kPiplX86));
    EXPECT_EQ(AsString(ReadWholeFile(directory + "/pipl_x64.bin")), AsString(kPiplX64));
    EXPECT_EQ(AsString(ReadWholeFile(directory + "/aete.bin")), AsString(kAete));
}

}  // namespace
