#include "app/elf_section_reader.h"

#include <gtest/gtest.h>

#include "app/pipl_parser.h"
#include "resources/plugin_resources.h"
#include "tests/resources/resource_test_util.h"

namespace {

void PutLe(std::vector<uint8_t>& image, std::size_t at, uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A minimal ELF image: the null section, the section-name table and one named
// section holding data. With escapedCounts the section count and the
// name-table index are moved into section 0, as very large files do.
std::vector<uint8_t> MakeElf(bool is64, const std::string& name, const std::string& data,
                             bool escapedCounts) {
    const std::size_t headerSize = is64 ? 64 : 52;
    const std::size_t entrySize = is64 ? 64 : 40;
    const std::size_t word = is64 ? 8 : 4;
    const std::string names = Bytes("\0.shstrtab\0") + name + Bytes("\0");
    const std::size_t namesAt = headerSize;
    const std::size_t dataAt = namesAt + names.size();
    const std::size_t tableAt = dataAt + data.size();
    std::vector<uint8_t> image(tableAt + 3 * entrySize, 0);

    const uint8_t ident[] = {0x7F, 'E', 'L', 'F', static_cast<uint8_t>(is64 ? 2 : 1), 1, 1};
    std::copy(std::begin(ident), std::end(ident), image.begin());
    std::copy(names.begin(), names.end(), image.begin() + namesAt);
    std::copy(data.begin(), data.end(), image.begin() + dataAt);
    PutLe(image, is64 ? 0x28 : 0x20, tableAt, word);
    PutLe(image, is64 ? 0x3A : 0x2E, entrySize, 2);
    PutLe(image, is64 ? 0x3C : 0x30, escapedCounts ? 0 : 3, 2);
    PutLe(image, is64 ? 0x3E : 0x32, escapedCounts ? 0xFFFF : 1, 2);

    const auto putSection = [&](std::size_t index, uint32_t nameAt, uint32_t type, uint64_t offset,
                                uint64_t size, uint32_t link) {
        const std::size_t at = tableAt + index * entrySize;
        PutLe(image, at, nameAt, 4);
        PutLe(image, at + 4, type, 4);
        PutLe(image, at + (is64 ? 24 : 16), offset, word);
        PutLe(image, at + (is64 ? 32 : 20), size, word);
        PutLe(image, at + (is64 ? 40 : 24), link, 4);
    };
    putSection(0, 0, 0, 0, escapedCounts ? 3 : 0, escapedCounts ? 1 : 0);
    putSection(1, 1, 3, namesAt, names.size(), 0);  // string table
    putSection(2, 11, 1, dataAt, data.size(), 0);   // program data
    return image;
}

ElfSectionContents Find(const std::vector<uint8_t>& image, const std::string& name) {
    return FindElfSection(image.data(), image.size(), name);
}

TEST(ElfSectionReader, ReadsTheResourcesOfABuiltLibrary) {
    // The second library is linked with --gc-sections, which must not drop them.
    for (const char* path : {LUMISTRA_TEST_MODULE, LUMISTRA_TEST_MODULE_GC}) {
        SCOPED_TRACE(path);
        const ElfSectionContents pipl = ReadElfSection(path, ".PIPL");
        ASSERT_EQ(pipl.status, ElfReadStatus::kOk);
        EXPECT_EQ(AsString(pipl.bytes), AsString(kPiplNative));
        const ElfSectionContents aete = ReadElfSection(path, ".AETE");
        ASSERT_EQ(aete.status, ElfReadStatus::kOk);
        EXPECT_EQ(AsString(aete.bytes), AsString(kAete));

        const std::optional<PiplInfo> info = ParsePipl(pipl.bytes.data(), pipl.bytes.size());
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->NativeEntryPoint(), "PluginMain");
    }
}

TEST(ElfSectionReader, ReportsWhatIsMissing) {
    EXPECT_EQ(ReadElfSection(LUMISTRA_TEST_MODULE, ".PIPLX").status,
              ElfReadStatus::kSectionNotFound);
    EXPECT_EQ(ReadElfSection(LUMISTRA_TEST_MODULE, ".PIP").status, ElfReadStatus::kSectionNotFound);
    EXPECT_EQ(ReadElfSection("/nonexistent/module.so", ".PIPL").status, ElfReadStatus::kCannotOpen);
    const std::vector<uint8_t> text = {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n',
                                       ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    EXPECT_EQ(Find(text, ".PIPL").status, ElfReadStatus::kNotElf);
    std::vector<uint8_t> bigEndian = MakeElf(true, ".PIPL", "data", false);
    bigEndian[5] = 2;
    EXPECT_EQ(Find(bigEndian, ".PIPL").status, ElfReadStatus::kUnsupported);
}

TEST(ElfSectionReader, ReadsBothClassesAndEscapedSectionCounts) {
    for (bool is64 : {false, true}) {
        for (bool escaped : {false, true}) {
            SCOPED_TRACE(testing::Message() << "64-bit " << is64 << ", escaped " << escaped);
            const ElfSectionContents found =
                Find(MakeElf(is64, ".AETE", "abcdef", escaped), ".AETE");
            ASSERT_EQ(found.status, ElfReadStatus::kOk);
            EXPECT_EQ(AsString(found.bytes), "abcdef");
        }
    }
}

TEST(ElfSectionReader, RejectsSectionsOutsideTheFile) {
    std::vector<uint8_t> image = MakeElf(false, ".PIPL", "data", false);
    const std::size_t dataSectionAt = image.size() - 40;
    PutLe(image, dataSectionAt + 20, 0xFFFFFFF0u, 4);  // size runs past the end
    EXPECT_EQ(Find(image, ".PIPL").status, ElfReadStatus::kMalformed);

    image = MakeElf(true, ".PIPL", "data", false);
    PutLe(image, 0x3C, 0x7FFF, 2);  // more section headers than the file holds
    EXPECT_EQ(Find(image, ".PIPL").status, ElfReadStatus::kMalformed);
}

// A truncated library must never yield a section; a damaged section table
// must never lead outside the image (run under the sanitizers to see it).
TEST(ElfSectionReader, SurvivesTruncatedAndDamagedLibraries) {
    std::vector<uint8_t> image = ReadWholeFile(LUMISTRA_TEST_MODULE);
    ASSERT_GT(image.size(), 64u);
    for (std::size_t size = 0; size < image.size(); ++size) {
        const ElfSectionContents found = FindElfSection(image.data(), size, ".PIPL");
        EXPECT_NE(found.status, ElfReadStatus::kOk) << "size " << size;
    }
    const std::size_t tableOffsetAt = image[4] == 2 ? 0x28 : 0x20;  // by ELF class
    std::size_t tableAt = 0;
    for (std::size_t i = 0; i < 4; ++i) tableAt |= std::size_t{image[tableOffsetAt + i]} << (8 * i);
    ASSERT_LT(tableAt, image.size());
    for (std::size_t at = tableAt; at < image.size(); ++at) {
        const uint8_t original = image[at];
        image[at] = 0xFF;
        const ElfSectionContents found = Find(image, ".PIPL");
        EXPECT_LE(found.bytes.size(), image.size());
        image[at] = original;
    }
}

}  // namespace
