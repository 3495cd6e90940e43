#include "gimp/dialog_layout.h"

#include "ui/dialog_controls.h"

namespace {

// A dialog-unit length in pixels, rounded as the dialog manager rounds it.
int32_t Across(int32_t units) { return (units * 3 + 1) / 2; }
int32_t Down(int32_t units) { return (units * 13 + 4) / 8; }

DialogItem Item(int32_t id, DialogItemKind kind, const char* text, int32_t x, int32_t y,
                int32_t width, int32_t height) {
    return {id, kind, text, {Across(x), Down(y), Across(x + width), Down(y + height)}};
}

constexpr int32_t kControlsGroup = 1042;
constexpr int32_t kNavigatorGroup = 1041;
constexpr int32_t kZoomCaption = 1044;

std::vector<DialogItem> TemplateItems() {
    using K = DialogItemKind;
    return {
        Item(kZoomInButton, K::kButton, "&+", 303, 65, 18, 18),
        Item(kZoomOutButton, K::kButton, "&-", 303, 117, 18, 18),
        Item(kBeforeRadio, K::kRadio, "&Before", 97, 305, 35, 10),
        Item(kAfterRadio, K::kRadio, "&After", 167, 305, 35, 10),
        Item(kHighlightSlider, K::kSlider, "", 363, 188, 101, 18),
        Item(kHighlightEdit, K::kEdit, "", 470, 190, 22, 13),
        Item(kShadowSlider, K::kSlider, "", 363, 223, 101, 18),
        Item(kShadowEdit, K::kEdit, "", 470, 225, 22, 13),
        Item(kClaritySlider, K::kSlider, "", 363, 257, 101, 18),
        Item(kClarityEdit, K::kEdit, "", 470, 259, 22, 13),
        Item(kOkButton, K::kDefaultButton, "&OK", 281, 302, 50, 17),
        Item(kDefaultButton, K::kButton, "&Default", 337, 302, 50, 17),
        Item(kCancelButton, K::kButton, "&Cancel", 393, 302, 50, 17),
        Item(kHelpButton, K::kButton, "&Help", 450, 302, 50, 17),
        Item(kPreviewPlaceholder, K::kPane, "", 12, 39, 276, 251),
        Item(kZoomCaption, K::kLabelCentre, "Zoom", 300, 87, 23, 10),
        Item(kStaticItem, K::kLabelLeft, "100", 450, 210, 14, 8),
        Item(kNavigatorPlaceholder, K::kPane, "", 336, 39, 159, 130),
        Item(kStaticItem, K::kGroup, "Preview", 6, 31, 288, 264),
        Item(kSubtitleText, K::kLabelCentre, "", 180, 8, 200, 16),
        Item(kControlsGroup, K::kGroup, "Controls", 301, 176, 199, 119),
        Item(kStaticItem, K::kLabelRight, "Highlight Noise Reduction", 307, 190, 49, 17),
        Item(kStaticItem, K::kLabelRight, "Shadow Noise Reduction", 310, 226, 46, 16),
        Item(kStaticItem, K::kLabelLeft, "0", 369, 246, 8, 8),
        Item(kStaticItem, K::kLabelLeft, "100", 450, 246, 13, 8),
        Item(kStaticItem, K::kLabelRight, "Clarity", 336, 263, 20, 8),
        Item(kStaticItem, K::kLabelLeft, "Soften", 362, 280, 22, 8),
        Item(kStaticItem, K::kLabelLeft, "Sharpen", 442, 280, 28, 8),
        Item(kZoomLabel, K::kFramedLabel, "100 %", 299, 99, 25, 13),
        Item(kStaticItem, K::kLabelLeft, "0", 369, 210, 8, 8),
        Item(kNavigatorGroup, K::kGroup, "Navigator", 331, 31, 169, 143),
    };
}

}  // namespace

const std::vector<DialogItem>& DialogItems() {
    static const std::vector<DialogItem> items = TemplateItems();
    return items;
}

const DialogItem* FindDialogItem(int32_t id) {
    if (id == kStaticItem) return nullptr;
    for (const DialogItem& item : DialogItems()) {
        if (item.id == id) return &item;
    }
    return nullptr;
}
