// Decodes a classic dialog template resource (DLGTEMPLATE with its items), as
// the Windows dialog manager reads it, so that tests can check the compiled
// dialogs of a module.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A class, text or menu field: empty, a string, or an ordinal (0xFFFF, n).
struct DialogField {
    std::optional<uint16_t> ordinal;
    std::string text;  // ASCII; other characters read as '?'
};

struct DialogItem {
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    int16_t id = 0;
    DialogField windowClass;  // ordinal 0x80 button, 0x81 edit, 0x82 static
    DialogField text;
};

struct DialogTemplate {
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    uint16_t pointSize = 0;  // with DS_SETFONT
    std::string typeface;
    std::vector<DialogItem> items;
};

constexpr uint16_t kDialogClassButton = 0x80;
constexpr uint16_t kDialogClassEdit = 0x81;
constexpr uint16_t kDialogClassStatic = 0x82;

// Null when the bytes are not a complete classic template.
std::optional<DialogTemplate> ParseDialogTemplate(const std::vector<uint8_t>& bytes);
