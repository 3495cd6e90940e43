// Reads the resources back out of the built Windows modules, without Windows:
// the property list and terminology must be the bytes the Linux module
// carries in its sections, and the dialogs, strings, cursors, logo and version
// resource must be what the dialog code and the hosts expect.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/elf_section_reader.h"
#include "resources/plugin_resources.h"
#include "resources/resource_ids.h"
#include "tests/windows/dialog_template.h"
#include "tests/windows/pe_image.h"

namespace {

struct ModuleUnderTest {
    const char* label;
    const char* path;
    uint16_t machine;
};

void PrintTo(const ModuleUnderTest& module, std::ostream* out) { *out << module.label; }

const ModuleUnderTest kModules[] = {
    {"x86", LUMISTRA_WINDOWS_MODULE_X86, kPeMachineI386},
    {"x64", LUMISTRA_WINDOWS_MODULE_X64, kPeMachineAmd64},
};

const PeImage& Module(const ModuleUnderTest& module) {
    static const auto x86 = PeImage::Load(kModules[0].path);
    static const auto x64 = PeImage::Load(kModules[1].path);
    const auto& image = module.machine == kPeMachineI386 ? x86 : x64;
    if (!image) throw std::runtime_error(std::string("cannot read ") + module.path);
    return *image;
}

std::vector<uint8_t> LinuxSection(const char* name) {
    const ElfSectionContents section = ReadElfSection(LUMISTRA_LINUX_MODULE, name);
    EXPECT_EQ(section.status, ElfReadStatus::kOk) << LUMISTRA_LINUX_MODULE << " " << name;
    return section.bytes;
}

template <std::size_t N>
std::vector<uint8_t> Vector(const std::array<uint8_t, N>& bytes) {
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<uint8_t> Resource(const PeImage& image, const ResourceKey& type,
                              const ResourceKey& name) {
    const auto bytes = image.FindResource(type, name, kLanguageEnglishUs);
    EXPECT_TRUE(bytes.has_value()) << "resource missing";
    return bytes.value_or(std::vector<uint8_t>{});
}

uint16_t Le16(const std::vector<uint8_t>& bytes, std::size_t at) {
    return at + 2 <= bytes.size() ? static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8) : 0;
}

uint32_t Le32(const std::vector<uint8_t>& bytes, std::size_t at) {
    return Le16(bytes, at) | static_cast<uint32_t>(Le16(bytes, at + 2)) << 16;
}

class WindowsModule : public testing::TestWithParam<ModuleUnderTest> {};

TEST_P(WindowsModule, IsBuiltForItsArchitecture) {
    EXPECT_EQ(Module(GetParam()).Machine(), GetParam().machine);
}

TEST_P(WindowsModule, PropertyListAndTerminologyAreTheLinuxModulesBytes) {
    const PeImage& image = Module(GetParam());
    const std::vector<uint8_t> linuxPipl = LinuxSection(".PIPL");
    const std::vector<uint8_t> pipl = Resource(image, "PIPL", IDR_PIPL);
    if (GetParam().machine == kPeMachineAmd64) {
        EXPECT_EQ(pipl, linuxPipl);
    } else {
        // The same list, naming the entry point with the 32-bit key instead.
        EXPECT_EQ(pipl, Vector(kPiplX86));
        ASSERT_EQ(pipl.size(), linuxPipl.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < pipl.size(); ++i) differing += pipl[i] != linuxPipl[i];
        EXPECT_LE(differing, 4u);
    }
    EXPECT_EQ(Resource(image, "AETE", IDR_AETE), LinuxSection(".AETE"));
}

TEST_P(WindowsModule, EveryResourceIsUsEnglish) {
    const std::vector<uint16_t> languages = Module(GetParam()).AllResourceLanguages();
    ASSERT_FALSE(languages.empty());
    for (uint16_t language : languages) EXPECT_EQ(language, kLanguageEnglishUs);
}

TEST_P(WindowsModule, CursorsAre32By32With16ColoursAndTheirHotSpots) {
    const PeImage& image = Module(GetParam());
    struct Cursor {
        uint16_t id, hotX, hotY;
    };
    for (const Cursor& cursor : {Cursor{IDCUR_HAND_OPEN, 13, 4}, Cursor{IDCUR_HAND_CLOSED, 12, 2},
                                 Cursor{IDCUR_HAND_POINTING, 12, 2}}) {
        SCOPED_TRACE(cursor.id);
        const std::vector<uint8_t> group = Resource(image, kResourceTypeGroupCursor, cursor.id);
        ASSERT_EQ(Le16(group, 4), 1) << "one image per cursor";
        const uint16_t imageId = Le16(group, 6 + 12);
        const std::vector<uint8_t> data = Resource(image, kResourceTypeCursor, imageId);
        EXPECT_EQ(Le16(data, 0), cursor.hotX);
        EXPECT_EQ(Le16(data, 2), cursor.hotY);
        EXPECT_EQ(Le32(data, 4 + 4), 32u);  // width
        EXPECT_EQ(Le32(data, 4 + 8), 64u);  // height of image and mask
        EXPECT_EQ(Le16(data, 4 + 14), 4);   // bits per pixel: 16 colours
    }
}

TEST_P(WindowsModule, LogoIs70By40With24BitsPerPixel) {
    const std::vector<uint8_t> logo = Resource(Module(GetParam()), kResourceTypeBitmap, IDB_LOGO);
    EXPECT_EQ(Le32(logo, 4), 70u);
    EXPECT_EQ(Le32(logo, 8), 40u);
    EXPECT_EQ(Le16(logo, 14), 24);
}

TEST_P(WindowsModule, String1IsTheSubtitle) {
    // Strings come in blocks of 16, each length-prefixed UTF-16.
    const std::vector<uint8_t> block =
        Resource(Module(GetParam()), kResourceTypeString, IDS_SUBTITLE / 16 + 1);
    std::size_t at = 0;
    for (int index = 0; index < IDS_SUBTITLE % 16; ++index) at += 2 + 2 * Le16(block, at);
    std::string text;
    for (uint16_t i = 0, length = Le16(block, at); i < length; ++i) {
        text.push_back(static_cast<char>(Le16(block, at + 2 + 2 * i)));
    }
    EXPECT_EQ(text, "Automatically Reduces Image Noise");
}

TEST_P(WindowsModule, VersionResourceDescribesTheLibrary) {
    const std::vector<uint8_t> version = Resource(Module(GetParam()), kResourceTypeVersion, 1);
    // The fixed part follows the key "VS_VERSION_INFO", at offset 40.
    ASSERT_EQ(Le32(version, 40), 0xFEEF04BDu);
    EXPECT_EQ(Le32(version, 48), 0x00010001u);  // file version 1.1.4.0
    EXPECT_EQ(Le32(version, 52), 0x00040000u);
    EXPECT_EQ(Le32(version, 56), 0x00010001u);  // product version 1.1.4.0
    EXPECT_EQ(Le32(version, 60), 0x00040000u);
    EXPECT_EQ(Le32(version, 68), 0u);           // no flags
    EXPECT_EQ(Le32(version, 72), 0x00000004u);  // 32-bit Windows
    EXPECT_EQ(Le32(version, 76), 0x00000002u);  // dynamic library
}

INSTANTIATE_TEST_SUITE_P(BothArchitectures, WindowsModule, testing::ValuesIn(kModules),
                         [](const testing::TestParamInfo<ModuleUnderTest>& paramInfo) {
                             return std::string(paramInfo.param.label);
                         });

TEST(WindowsModules, ShareEverythingButTheEntryPointProperty) {
    const PeImage& x86 = Module(kModules[0]);
    const PeImage& x64 = Module(kModules[1]);
    const ResourceKey shared[][2] = {
        {"AETE", IDR_AETE},
        {kResourceTypeDialog, "QNT"},
        {kResourceTypeDialog, "ABOUTQNT"},
        {kResourceTypeVersion, 1},
        {kResourceTypeBitmap, IDB_LOGO},
    };
    for (const auto& key : shared) {
        EXPECT_EQ(Resource(x86, key[0], key[1]), Resource(x64, key[0], key[1]));
    }
}

// ---- Dialog templates ------------------------------------------------------------

constexpr uint32_t kWsPopup = 0x80000000, kWsVisible = 0x10000000, kWsCaption = 0x00C00000,
                   kWsBorder = 0x00800000, kWsSysMenu = 0x00080000;
constexpr uint32_t kDsModalFrame = 0x80, kDsSetForeground = 0x200, kDsCenter = 0x800;

enum class Kind {
    kPushNotify,
    kPush,
    kDefaultPush,
    kRadioNotify,
    kTrackbar,
    kNumberEdit,
    kHiddenSunken,
    kText,
    kCentredText,
    kCentredBorderText,
    kRightText,
    kGroupBox,
    kLogo,
};

struct ExpectedControl {
    int16_t id;
    Kind kind;
    const char* text;
    int16_t x, y, cx, cy;
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The dialog manager takes the predefined classes by ordinal or by name.
bool HasClass(const DialogItem& item, uint16_t ordinal) {
    if (item.windowClass.ordinal) return item.windowClass.ordinal == ordinal;
    const std::string name = Lower(item.windowClass.text);
    return (ordinal == kDialogClassButton && name == "button") ||
           (ordinal == kDialogClassEdit && name == "edit") ||
           (ordinal == kDialogClassStatic && name == "static");
}

bool IsKind(const DialogItem& item, Kind kind) {
    const uint32_t style = item.style;
    const auto isClass = [&](uint16_t ordinal) { return HasClass(item, ordinal); };
    const bool visible = (style & kWsVisible) != 0;
    const uint32_t buttonType = style & 0xF, staticType = style & 0x1F;
    switch (kind) {
        case Kind::kPushNotify:
            return isClass(kDialogClassButton) && buttonType == 0 && (style & 0x4000);
        case Kind::kPush:
            return isClass(kDialogClassButton) && buttonType == 0;
        case Kind::kDefaultPush:
            return isClass(kDialogClassButton) && buttonType == 1;
        case Kind::kRadioNotify:
            return isClass(kDialogClassButton) && buttonType == 9 && (style & 0x4000);
        case Kind::kGroupBox:
            return isClass(kDialogClassButton) && buttonType == 7;
        case Kind::kNumberEdit:
            return isClass(kDialogClassEdit) && (style & 3) == 1 && (style & 0x2000) &&
                   (style & kWsBorder);
        case Kind::kTrackbar:
            return Lower(item.windowClass.text) == "msctls_trackbar32" && (style & 1);
        case Kind::kHiddenSunken:
            return isClass(kDialogClassStatic) && !visible && (style & 0x1000);
        case Kind::kText:
            return isClass(kDialogClassStatic) && staticType == 0;
        case Kind::kCentredText:
            return isClass(kDialogClassStatic) && staticType == 1;
        case Kind::kCentredBorderText:
            return isClass(kDialogClassStatic) && staticType == 1 && (style & kWsBorder);
        case Kind::kRightText:
            return isClass(kDialogClassStatic) && staticType == 2;
        case Kind::kLogo:
            return isClass(kDialogClassStatic) && staticType == 0xE && (style & 0x100) &&
                   item.text.ordinal == IDB_LOGO;
    }
    return false;
}

void ExpectControls(const DialogTemplate& dialog, const std::vector<ExpectedControl>& expected) {
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const DialogItem& item = dialog.items[i];
        const ExpectedControl& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (" + want.text + ")");
        EXPECT_EQ(item.id, want.id);
        EXPECT_TRUE(IsKind(item, want.kind)) << std::hex << item.style;
        if (want.kind != Kind::kLogo) {
            EXPECT_EQ(item.text.text, want.text);
        }
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        if (want.kind != Kind::kHiddenSunken) {
            EXPECT_TRUE(item.style & kWsVisible);
        }
    }
}

DialogTemplate LoadDialog(const char* name) {
    const auto dialog =
        ParseDialogTemplate(Resource(Module(kModules[0]), kResourceTypeDialog, name));
    if (!dialog) throw std::runtime_error(std::string("cannot decode dialog ") + name);
    return *dialog;
}

TEST(WindowsDialogs, MainDialogHasEveryControlInTabOrder) {
    const DialogTemplate dialog = LoadDialog("QNT");
    EXPECT_EQ(dialog.cx, 506);
    EXPECT_EQ(dialog.cy, 325);
    EXPECT_EQ(dialog.caption, "LUMISTRA Plug-In");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, "MS Sans Serif");
    const uint32_t styles = kWsPopup | kWsVisible | kWsCaption | kWsSysMenu | kDsModalFrame |
                            kDsCenter | kDsSetForeground;
    EXPECT_EQ(dialog.style & styles, styles);

    const int16_t none = -1;
    ExpectControls(
        dialog,
        {
            {IDC_ZOOM_IN, Kind::kPushNotify, "&+", 303, 65, 18, 18},
            {IDC_ZOOM_OUT, Kind::kPushNotify, "&-", 303, 117, 18, 18},
            {IDC_PREVIEW_BEFORE, Kind::kRadioNotify, "&Before", 97, 305, 35, 10},
            {IDC_PREVIEW_AFTER, Kind::kRadioNotify, "&After", 167, 305, 35, 10},
            {IDC_HIGHLIGHT_SLIDER, Kind::kTrackbar, "", 363, 188, 101, 18},
            {IDC_HIGHLIGHT_EDIT, Kind::kNumberEdit, "", 470, 190, 22, 13},
            {IDC_SHADOW_SLIDER, Kind::kTrackbar, "", 363, 223, 101, 18},
            {IDC_SHADOW_EDIT, Kind::kNumberEdit, "", 470, 225, 22, 13},
            {IDC_CLARITY_SLIDER, Kind::kTrackbar, "", 363, 257, 101, 18},
            {IDC_CLARITY_EDIT, Kind::kNumberEdit, "", 470, 259, 22, 13},
            {IDC_OK, Kind::kDefaultPush, "&OK", 281, 302, 50, 17},
            {IDC_DEFAULT, Kind::kPush, "&Default", 337, 302, 50, 17},
            {2, Kind::kPush, "&Cancel", 393, 302, 50, 17},
            {IDC_HELP_BUTTON, Kind::kPush, "&Help", 450, 302, 50, 17},
            {IDC_PREVIEW_PANE, Kind::kHiddenSunken, "", 12, 39, 276, 251},
            {IDC_ZOOM_CAPTION, Kind::kCentredText, "Zoom", 300, 87, 23, 10},
            {none, Kind::kText, "100", 450, 210, 14, 8},
            {IDC_NAVIGATOR_PANE, Kind::kHiddenSunken, "", 336, 39, 159, 130},
            {none, Kind::kGroupBox, "Preview", 6, 31, 288, 264},
            {IDC_SUBTITLE, Kind::kCentredText, "Placeholder for Title Text", 180, 8, 200, 16},
            {IDC_LOGO, Kind::kLogo, "logo", 453, 4, 47, 25},
            {IDC_CONTROLS_GROUP, Kind::kGroupBox, "Controls", 301, 176, 199, 119},
            {none, Kind::kRightText, "Highlight Noise Reduction", 307, 190, 49, 17},
            {none, Kind::kRightText, "Shadow Noise Reduction", 310, 226, 46, 16},
            {none, Kind::kText, "0", 369, 246, 8, 8},
            {none, Kind::kText, "100", 450, 246, 13, 8},
            {none, Kind::kRightText, "Clarity", 336, 263, 20, 8},
            {none, Kind::kText, "Soften", 362, 280, 22, 8},
            {none, Kind::kText, "Sharpen", 442, 280, 28, 8},
            {IDC_ZOOM_LABEL, Kind::kCentredBorderText, "100 %", 299, 99, 25, 13},
            {none, Kind::kText, "0", 369, 210, 8, 8},
            {IDC_NAVIGATOR_GROUP, Kind::kGroupBox, "Navigator", 331, 31, 169, 143},
        });
}

TEST(WindowsDialogs, AboutBoxHasItsControls) {
    const DialogTemplate dialog = LoadDialog("ABOUTQNT");
    EXPECT_EQ(dialog.cx, 213);
    EXPECT_EQ(dialog.cy, 102);
    EXPECT_EQ(dialog.caption, "LUMISTRA Plug-In");
    EXPECT_EQ(dialog.pointSize, 10);
    EXPECT_EQ(dialog.typeface, "Arial");
    const uint32_t styles = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame | kDsCenter;
    EXPECT_EQ(dialog.style & styles, styles);

    ASSERT_EQ(dialog.items.size(), 6u);
    const DialogItem& ok = dialog.items[0];
    EXPECT_EQ(ok.id, IDC_OK);
    EXPECT_TRUE(IsKind(ok, Kind::kDefaultPush));
    EXPECT_EQ(ok.text.text, "&OK");
    EXPECT_EQ((std::vector<int16_t>{ok.x, ok.y, ok.cx, ok.cy}),
              (std::vector<int16_t>{79, 83, 54, 14}));
    EXPECT_EQ(dialog.items[1].text.text, "LUMISTRA Plug-In");
    const DialogItem& version = dialog.items[2];
    EXPECT_EQ(version.id, IDC_ABOUT_VERSION);
    EXPECT_EQ((std::vector<int16_t>{version.x, version.y, version.cx, version.cy}),
              (std::vector<int16_t>{20, 45, 166, 8}));
    const DialogItem& logo = dialog.items[5];
    EXPECT_EQ(logo.id, IDC_LOGO);
    EXPECT_TRUE(IsKind(logo, Kind::kLogo));
    EXPECT_EQ((std::vector<int16_t>{logo.x, logo.y, logo.cx, logo.cy}),
              (std::vector<int16_t>{4, 4, 40, 20}));
}

// ---- The reader itself -----------------------------------------------------------

TEST(PeImageReader, TruncatedModulesNeverReadPastTheirEnd) {
    std::ifstream file(kModules[0].path, std::ios::binary);
    const std::vector<uint8_t> whole((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    ASSERT_FALSE(whole.empty());
    for (std::size_t size = 0; size < whole.size(); size += 1 + size / 16) {
        const auto image =
            PeImage::Parse(std::vector<uint8_t>(whole.begin(), whole.begin() + size));
        if (!image) continue;
        image->AllResourceLanguages();
        // A prefix that still holds the whole property list yields it intact.
        const auto pipl = image->FindResource("PIPL", IDR_PIPL, kLanguageEnglishUs);
        if (pipl) {
            EXPECT_EQ(*pipl, Vector(kPiplX86)) << size;
        }
    }
    EXPECT_FALSE(PeImage::Parse({'M', 'Z'}).has_value());
}

}  // namespace
