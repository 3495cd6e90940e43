// The preview dialog's controls as its template lays them out, in client
// pixels, for window layers that build the dialog themselves (the template
// itself is a Windows resource). Dialog units become pixels as they do for the
// template's 8-point font: 1.5 pixels across, 1.625 down.
#pragma once

#include <cstdint>
#include <vector>

#include "interface/dialog_view_abi.h"

enum class DialogItemKind {
    kButton,
    kDefaultButton,
    kRadio,
    kSlider,
    kEdit,
    kLabelLeft,
    kLabelCentre,
    kLabelRight,
    kFramedLabel,  // a centred label with a border
    kGroup,        // a group box: a frame with its title
    kPane,         // a hidden placeholder: only its rectangle counts
};

struct DialogItem {
    int32_t id;  // kStaticItem for the labels nobody addresses
    DialogItemKind kind;
    const char* text;  // '&' marks the mnemonic, as in the template
    LumistraViewRect rect;
};

constexpr int32_t kStaticItem = -1;
// The client area of the template's 506 x 325 dialog units.
constexpr int32_t kDialogClientWidth = 759;
constexpr int32_t kDialogClientHeight = 528;

// In template order, which is also the tab order.
const std::vector<DialogItem>& DialogItems();
// Null for an id the template does not hold.
const DialogItem* FindDialogItem(int32_t id);
