#include "ui/zoom_geometry.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/dialog_harness.h"
#include "ui/pane_layout.h"

namespace {
std::string Label(int16_t level, int16_t highest) {
    char text[16];
    FormatZoomLabel(level, highest, text, sizeof text);
    return text;
}

void ExpectRect(const Rect& rect, int16_t top, int16_t left, int16_t bottom, int16_t right) {
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.bottom, bottom);
    EXPECT_EQ(rect.right, right);
}
}  // namespace

TEST(PreviewZoomGeometry, LabelsNameTheLevel) {
    const char* expected[] = {"100%",  "50%",   "25%",   "12.5%", "6.25%", "3.12%",
                              "1.56%", "0.78%", "0.39%", "0.20%", "0.10%", "0.10%"};
    for (int16_t d = 0; d < 12; ++d) EXPECT_EQ(Label(int16_t(14 - d), 14), expected[d]);
}

// 3000 x 2000 in a preview area of 410 x 404 after the inset.
TEST(PreviewZoomGeometry, TheLargeImageExample) {
    DialogHarness dialog;
    dialog.Start();
    const PaneView& preview = dialog.model.PreviewPane();
    EXPECT_EQ(preview.rate, 1 << 16);  // 100 %
    EXPECT_EQ(preview.width, 375);
    EXPECT_EQ(preview.height, 250);
    // Centred in the control (client 18..432 x 60..468).
    ExpectRect(preview.display, 139, 37, 389, 412);

    const ZoomState& zoom = dialog.model.Zoom();
    EXPECT_EQ(zoom.highest, 3);
    EXPECT_EQ(zoom.level, 3);
    EXPECT_EQ(zoom.viewTop, 874);
    EXPECT_EQ(zoom.viewLeft, 1312);
    ExpectRect(preview.source, 874, 1312, 1124, 1687);
    EXPECT_EQ(dialog.view.texts[kZoomLabel], "100%");
    EXPECT_FALSE(dialog.view.enabled[kZoomInButton]);
    EXPECT_TRUE(dialog.view.enabled[kZoomOutButton]);

    const PaneView& navigator = dialog.model.NavigatorPane();
    EXPECT_EQ(navigator.rate, 13 << 16);
    ExpectRect(navigator.source, 0, 0, 153, 230);
    ExpectRect(navigator.display, 83, 505, 236, 735);

    const char* labels[] = {"50%", "25%", "12.5%"};
    const int32_t rates[] = {2, 4, 8};
    for (int32_t i = 0; i < 3; ++i) {
        dialog.Click(kZoomOutButton);
        EXPECT_EQ(dialog.view.texts[kZoomLabel], labels[i]);
        EXPECT_EQ(WholeRate(preview.rate), rates[i]);
        EXPECT_EQ(preview.source.bottom - preview.source.top, 250);
    }
    EXPECT_EQ(zoom.level, 0);
    ExpectRect(preview.source, 0, 0, 250, 375);
    EXPECT_FALSE(dialog.view.enabled[kZoomOutButton]);
    EXPECT_TRUE(dialog.view.enabled[kZoomInButton]);
    EXPECT_EQ(dialog.view.focusHistory.back(), kZoomInButton);

    for (int32_t i = 0; i < 3; ++i) dialog.Click(kZoomInButton);
    EXPECT_EQ(zoom.level, 3);
    EXPECT_FALSE(dialog.view.enabled[kZoomInButton]);
    EXPECT_EQ(dialog.view.focusHistory.back(), kZoomOutButton);
    EXPECT_EQ(dialog.view.texts[kZoomLabel], "100%");
}

TEST(PreviewZoomGeometry, AnImageSmallerThanThePreviewHasOneLevel) {
    DialogHarness dialog(Rect{0, 0, 300, 320});
    dialog.Start();
    const PaneView& preview = dialog.model.PreviewPane();
    EXPECT_EQ(dialog.model.Zoom().highest, 0);
    EXPECT_EQ(dialog.view.texts[kZoomLabel], "100%");
    EXPECT_FALSE(dialog.view.enabled[kZoomInButton]);
    EXPECT_FALSE(dialog.view.enabled[kZoomOutButton]);
    EXPECT_EQ(preview.rate, 1 << 16);
    ExpectRect(preview.source, 0, 0, 300, 320);
    // Centred: screen (118 + 532 - 320) / 2 = 165, (110 + 518 - 300) / 2 = 164.
    ExpectRect(preview.display, 114, 65, 414, 385);
}

TEST(PreviewZoomGeometry, ZoomingOutNearACornerStaysInside) {
    DialogHarness dialog;
    dialog.Start();
    dialog.Click(kZoomOutButton);  // 50 %
    // Centre the region on the bottom-right corner of the image.
    const Rect& nav = dialog.model.NavigatorPane().display;
    dialog.model.OnLeftButtonDown(ViewPoint{nav.right, nav.bottom});
    dialog.model.OnLeftButtonUp(ViewPoint{nav.right, nav.bottom});
    dialog.Click(kZoomOutButton);  // 25 %: the region grows past the corner
    const ZoomState& zoom = dialog.model.Zoom();
    EXPECT_EQ(zoom.viewTop, 2000 - 1000);
    EXPECT_EQ(zoom.viewLeft, 3000 - 1500);
    EXPECT_EQ(zoom.viewTop % 2, 0);
    EXPECT_EQ(zoom.viewLeft % 2, 0);
}

TEST(PreviewZoomGeometry, AnOddOriginMayStartOneSampleBefore) {
    DialogHarness dialog(Rect{301, 451, 2301, 3451}, 4000, 2600);
    dialog.Start();
    const Rect& nav = dialog.model.NavigatorPane().display;
    dialog.model.OnLeftButtonDown(ViewPoint{nav.left, nav.top});
    dialog.model.OnLeftButtonUp(ViewPoint{nav.left, nav.top});
    EXPECT_EQ(dialog.model.Zoom().viewTop, 300);
    EXPECT_EQ(dialog.model.Zoom().viewLeft, 450);
    EXPECT_EQ(dialog.port.requestsOutside, 0);
}

// Every level and view origins all over (and past) the area, for many sizes, aspects and
// origins: no request reaches past the filter area at its rate.
TEST(PreviewZoomGeometry, RequestsStayInsideTheFilterArea) {
    const int16_t sizes[] = {256, 257, 270, 300, 401, 511, 640, 1000, 2001, 3001, 5000, 8191};
    const int16_t origins[] = {0, 1, 7};
    int32_t clipped = 0;
    for (int16_t width : sizes) {
        for (int16_t height : sizes) {
            for (int16_t origin : origins) {
                const Rect area{origin, int16_t(origin * 3), int16_t(origin + height),
                                int16_t(origin * 3 + width)};
                FakeView view;
                PaneView preview;
                preview.controlId = kPreviewPlaceholder;
                LayoutPane(view, area, preview);
                ZoomState zoom;
                BuildZoomLevels(area, zoom, preview);
                for (int16_t level = 0; level <= zoom.highest; ++level) {
                    for (int32_t ty = -1; ty <= 9; ++ty) {
                        for (int32_t tx = -1; tx <= 9; ++tx) {
                            zoom.level = level;
                            zoom.viewTop = int16_t(area.top + (height / 8) * ty);
                            zoom.viewLeft = int16_t(area.left + (width / 8) * tx);
                            PlaceRegion(area, zoom, preview);
                            const Rect asked = RequestRect(area, preview);
                            const int32_t rate = WholeRate(preview.rate);
                            ASSERT_LE(asked.bottom, area.bottom / rate) << width << "x" << height;
                            ASSERT_LE(asked.right, area.right / rate) << width << "x" << height;
                            // The even rounding of the origin may reach one sample back.
                            ASSERT_GE(asked.top, area.top / rate - 1);
                            ASSERT_GE(asked.left, area.left / rate - 1);
                            ASSERT_GT(asked.bottom, asked.top);
                            ASSERT_GT(asked.right, asked.left);
                            if (asked.bottom != preview.source.bottom ||
                                asked.right != preview.source.right) {
                                ++clipped;
                            }
                        }
                    }
                }
            }
        }
    }
    // Some of these sizes do reach past the area without the limit.
    EXPECT_GT(clipped, 0);
}

TEST(PreviewZoomGeometry, AClippedRequestIsPaddedByItsEdges) {
    // 5000 x 270: at level 0 the rate rounds to 14 for a buffer of 384 x 20 samples,
    // while the area holds only 357 columns at that rate.
    DialogHarness dialog(Rect{0, 0, 270, 5000});
    dialog.Start();
    while (dialog.model.Zoom().level > 0) dialog.Click(kZoomOutButton);
    dialog.view.updateRegion = true;
    dialog.Paint();
    const PaneView& preview = dialog.model.PreviewPane();
    const Rect asked = dialog.port.requests.back().request.source;
    ASSERT_EQ(WholeRate(preview.rate), 14);
    EXPECT_EQ(asked.right, 5000 / 14);
    EXPECT_EQ(preview.width, 384);
    const int32_t delivered = asked.right - asked.left;
    for (int32_t y = 0; y < preview.height; ++y) {
        for (int32_t x = delivered; x < preview.width; ++x) {
            for (int32_t p = 0; p < 3; ++p) {
                const size_t row = size_t(y) * preview.width;
                ASSERT_EQ(preview.unfilteredBuffer[(row + x) * 3 + p],
                          preview.unfilteredBuffer[(row + delivered - 1) * 3 + p]);
            }
        }
    }
    EXPECT_EQ(dialog.port.requestsOutside, 0);
}
