// The dialog template's layout in pixels, as the window layers that build the
// dialog themselves place it.
#include "gimp/dialog_layout.h"

#include <gtest/gtest.h>

#include <set>

#include "ui/dialog_controls.h"

namespace {

bool SameRect(const LumistraViewRect& a, const LumistraViewRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Dialog units become pixels as the dialog manager rounds them for the
// template's font: 3/2 across and 13/8 down, halves rounded up.
TEST(DialogLayoutTest, PanesLieWhereTheDialogManagerPutsThem) {
    const DialogItem* preview = FindDialogItem(kPreviewPlaceholder);
    const DialogItem* navigator = FindDialogItem(kNavigatorPlaceholder);
    ASSERT_NE(preview, nullptr);
    ASSERT_NE(navigator, nullptr);
    EXPECT_TRUE(SameRect(preview->rect, {18, 63, 432, 471}));
    EXPECT_TRUE(SameRect(navigator->rect, {504, 63, 743, 275}));
    EXPECT_EQ(preview->kind, DialogItemKind::kPane);
}

TEST(DialogLayoutTest, EveryControlIsOnceInsideTheClientArea) {
    std::set<int32_t> ids;
    for (const DialogItem& item : DialogItems()) {
        if (item.id != kStaticItem) {
            EXPECT_TRUE(ids.insert(item.id).second) << item.id;
        }
        EXPECT_GE(item.rect.left, 0) << item.text;
        EXPECT_GE(item.rect.top, 0) << item.text;
        EXPECT_LE(item.rect.right, kDialogClientWidth) << item.text;
        EXPECT_LE(item.rect.bottom, kDialogClientHeight) << item.text;
        EXPECT_LT(item.rect.left, item.rect.right) << item.text;
    }
    // Every control the model addresses is there.
    for (int32_t id :
         {kOkButton, kCancelButton, kDefaultButton, kHelpButton, kZoomInButton, kZoomOutButton,
          kBeforeRadio, kAfterRadio, kHighlightSlider, kHighlightEdit, kShadowSlider, kShadowEdit,
          kClaritySlider, kClarityEdit, kZoomLabel, kSubtitleText}) {
        EXPECT_EQ(ids.count(id), 1u) << id;
    }
    EXPECT_EQ(FindDialogItem(kStaticItem), nullptr);
}

}  // namespace
