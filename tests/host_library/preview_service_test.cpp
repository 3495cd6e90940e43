// The host's side of a preview: requests at whole sampling rates with their
// selection masks, served through advanceState as a plug-in makes them, and
// displayPixels, which checks the map, keeps a copy and draws into the view.
#include <cstring>

#include "tests/host_library/plugin_fixture.h"

namespace {

// An odd-sized photo with a selection mask that varies over the image.
Document MaskedPhoto() {
    Document photo = MakePhoto(ColourMode::kRgb, 301, 257, 7);
    std::vector<uint8_t> mask(static_cast<std::size_t>(photo.width()) * photo.height());
    for (int32_t y = 0; y < photo.height(); ++y) {
        for (int32_t x = 0; x < photo.width(); ++x) {
            mask[static_cast<std::size_t>(y) * photo.width() + x] =
                static_cast<uint8_t>((x * 7 + y * 3) % 256);
        }
    }
    photo.selectionMask = std::move(mask);
    return photo;
}

class PreviewServiceTest : public PluginTest {
protected:
    PreviewServiceTest() : document_(MaskedPhoto()), host_(Module(), document_, ViewOptions()) {
        host_.BeginInvocation();
    }

    static HostOptions ViewOptions() {
        HostOptions options;
        options.viewWidth = 40;
        options.viewHeight = 30;
        return options;
    }

    FilterRecord& record() { return host_.record(); }

    // Asks, as a preview does, for rect at rate with the mask at the same rate.
    OSErr Request(const Rect& rect, int32_t rate, int16_t maskPadding) {
        FilterRecord& r = record();
        r.inRect = rect;
        r.inputRate = rate << 16;
        r.outRect = Rect{};
        r.maskRect = rect;
        r.maskRate = rate << 16;
        r.maskPadding = maskPadding;
        r.inputPadding = maskPadding;
        r.inLoPlane = 0;
        r.inHiPlane = 2;
        return r.advanceState();
    }

    Document document_;
    FilterHost host_;
};

TEST_F(PreviewServiceTest, WholeRatesDeliverEveryRthSampleOfImageAndMask) {
    FilterHost::ActiveScope scope(&host_);
    const Document& image = document_;
    for (int32_t rate = 1; rate <= 8; ++rate) {
        SCOPED_TRACE(rate);
        // The filter area reduced by the rate, as the navigator asks for it.
        const Rect reduced = {static_cast<int16_t>(1 / rate), static_cast<int16_t>(3 / rate),
                              static_cast<int16_t>(image.height() / rate),
                              static_cast<int16_t>(image.width() / rate)};
        ASSERT_EQ(Request(reduced, rate, 0), noErr);
        const FilterRecord& r = record();
        // The record's layout leaves its pointers unaligned: read them by value.
        const auto* in = static_cast<const uint8_t*>(r.inData);
        const auto* mask = static_cast<const uint8_t*>(r.maskData);
        ASSERT_NE(in, nullptr);
        ASSERT_NE(mask, nullptr);
        std::size_t mismatches = 0;
        for (int32_t y = 0; y < reduced.bottom - reduced.top; ++y) {
            for (int32_t x = 0; x < reduced.right - reduced.left; ++x) {
                const int32_t docX = (reduced.left + x) * rate;
                const int32_t docY = (reduced.top + y) * rate;
                for (int plane = 0; plane < 3; ++plane) {
                    if (in[y * r.inRowBytes + x * 3 + plane] != image.At(plane, docX, docY)) {
                        ++mismatches;
                    }
                }
                const uint8_t expected =
                    (*image.selectionMask)[static_cast<std::size_t>(docY) * image.width() + docX];
                if (mask[y * r.maskRowBytes + x] != expected) ++mismatches;
            }
        }
        EXPECT_EQ(mismatches, 0u);
    }
    ASSERT_EQ(host_.observations().requests().size(), 8u);
    const HostRequest& last = host_.observations().requests().back();
    EXPECT_EQ(last.inputRate, 8 << 16);
    EXPECT_EQ(last.maskRate, 8 << 16);
    EXPECT_EQ(last.inHiPlane, 2);
}

TEST_F(PreviewServiceTest, MaskPaddingFillsWhatLiesPastTheImage) {
    FilterHost::ActiveScope scope(&host_);
    // At rate 4 the last reduced column, 75, maps to 300, the image's last;
    // 76 lies past it.
    const Rect overhanging = {60, 70, 65, 77};
    ASSERT_EQ(Request(overhanging, 4, 0), noErr);
    const auto* mask = static_cast<const uint8_t*>(record().maskData);
    const auto* in = static_cast<const uint8_t*>(record().inData);
    EXPECT_EQ(mask[5], (*document_.selectionMask)[240u * 301u + 300u]);
    EXPECT_EQ(mask[6], 0);
    EXPECT_EQ(in[6 * 3], 0);
    // 255 and edge replication as asked.
    ASSERT_EQ(Request(overhanging, 4, 255), noErr);
    EXPECT_EQ(static_cast<const uint8_t*>(record().maskData)[6], 255);
    ASSERT_EQ(Request(overhanging, 4, plugInWantsEdgeReplication), noErr);
    EXPECT_EQ(static_cast<const uint8_t*>(record().maskData)[6],
              (*document_.selectionMask)[240u * 301u + 300u]);
    // The host's default refuses it; the failure is logged too.
    EXPECT_EQ(Request(overhanging, 4, plugInWantsErrorOnBoundsException), paramErr);
    EXPECT_EQ(host_.observations().requests().back().result, paramErr);
    const void* none = record().inData;
    EXPECT_EQ(none, nullptr);
}

// A 4 x 3 interleaved RGB map with its mask at bounds (top 10, left 20).
struct DisplaySource {
    uint8_t pixels[3][12] = {};
    uint8_t maskBytes[3][4] = {};
    PSPixelMask mask{};
    PSPixelMap map{};

    DisplaySource() {
        for (int y = 0; y < 3; ++y) {
            for (int i = 0; i < 12; ++i) pixels[y][i] = static_cast<uint8_t>(y * 40 + i);
            for (int x = 0; x < 4; ++x) maskBytes[y][x] = x == 0 ? 0 : 255;
        }
        map.version = 1;
        map.bounds = {10, 20, 13, 24};
        map.imageMode = plugInModeRGBColor;
        map.rowBytes = 12;
        map.colBytes = 3;
        map.planeBytes = 1;
        map.baseAddr = pixels;
        map.maskPhaseRow = map.maskPhaseCol = 1;
        mask.maskData = maskBytes;
        mask.rowBytes = 4;
        mask.colBytes = 1;
    }
};

TEST_F(PreviewServiceTest, DisplayPixelsKeepsACopyAndDrawsIntoTheView) {
    FilterHost::ActiveScope scope(&host_);
    DisplaySource source;
    source.map.masks = &source.mask;
    const VRect part = {11, 21, 13, 24};  // the lower right 3 x 2 pixels
    ASSERT_EQ(record().displayPixels(&source.map, &part, 5, 7, nullptr), noErr);
    std::memset(source.pixels, 0, sizeof source.pixels);  // the plug-in reuses its buffer

    ASSERT_EQ(host_.observations().displayCalls().size(), 1u);
    const DisplayCopy& copy = host_.observations().displayCalls()[0];
    EXPECT_EQ(copy.map.baseAddr, nullptr);
    EXPECT_EQ(copy.map.rowBytes, 12);
    EXPECT_EQ(copy.width, 3);
    EXPECT_EQ(copy.height, 2);
    EXPECT_EQ(copy.Sample(0, 0, 0), 40 + 3);
    EXPECT_EQ(copy.Sample(2, 1, 2), 80 + 11);
    ASSERT_TRUE(copy.mask.has_value());
    EXPECT_EQ(copy.chainedMasks, 1);
    EXPECT_EQ((*copy.mask)[0], 255);

    // Fully selected pixels land unchanged at the destination.
    const HostViewImage& view = host_.viewImage();
    EXPECT_EQ(view.At(7, 5), (std::array<uint8_t, 3>{43, 44, 45}));
    EXPECT_EQ(view.At(9, 6), (std::array<uint8_t, 3>{89, 90, 91}));
    EXPECT_EQ(view.At(6, 5), (std::array<uint8_t, 3>{255, 255, 255}));  // not drawn

    // An unselected pixel shows the checkerboard.
    const VRect firstColumn = {10, 20, 11, 21};
    ASSERT_EQ(record().displayPixels(&source.map, &firstColumn, 0, 8, nullptr), noErr);
    const uint8_t checker = HostViewImage::CheckerAt(8, 0);
    EXPECT_EQ(view.At(8, 0), (std::array<uint8_t, 3>{checker, checker, checker}));
    EXPECT_EQ(view.drawings(), 2u);

    // Drawing past the view is clipped, not refused.
    ASSERT_EQ(record().displayPixels(&source.map, &part, 29, 39, nullptr), noErr);
    EXPECT_EQ(view.At(39, 29), (std::array<uint8_t, 3>{0, 0, 0}));
}

TEST_F(PreviewServiceTest, DisplayPixelsRefusesMapsItCannotDraw) {
    FilterHost::ActiveScope scope(&host_);
    const VRect whole = {10, 20, 13, 24};
    const auto refused = [&](const PSPixelMap& map, const VRect& rect) {
        return record().displayPixels(&map, &rect, 0, 0, nullptr) == paramErr;
    };
    DisplaySource source;
    PSPixelMap bad = source.map;
    bad.version = 4;
    EXPECT_TRUE(refused(bad, whole));
    EXPECT_TRUE(refused(source.map, VRect{9, 20, 13, 24}));   // above the bounds
    EXPECT_TRUE(refused(source.map, VRect{10, 20, 13, 25}));  // past the right edge
    EXPECT_TRUE(refused(source.map, VRect{10, 20, 10, 24}));  // no rows
    bad = source.map;
    bad.baseAddr = nullptr;
    EXPECT_TRUE(refused(bad, whole));
    bad = source.map;
    bad.rowBytes = 11;  // rows would overlap
    EXPECT_TRUE(refused(bad, whole));
    bad = source.map;
    bad.colBytes = 0;
    EXPECT_TRUE(refused(bad, whole));
    bad = source.map;
    bad.planeBytes = 2;  // planes neither inside a pixel nor after each other
    EXPECT_TRUE(refused(bad, whole));
    bad = source.map;
    bad.imageMode = plugInModeCMYKColor;
    EXPECT_TRUE(refused(bad, whole));
    bad = source.map;
    PSPixelMask noData = source.mask;
    noData.maskData = nullptr;
    bad.masks = &noData;
    EXPECT_TRUE(refused(bad, whole));
    PSPixelMask loop = source.mask;
    loop.next = &loop;
    bad.masks = &loop;
    EXPECT_TRUE(refused(bad, whole));
    EXPECT_EQ(record().displayPixels(nullptr, &whole, 0, 0, nullptr), paramErr);

    EXPECT_TRUE(host_.observations().displayCalls().empty());
    EXPECT_EQ(host_.observations().refusedDisplays(), 12u);
    EXPECT_EQ(host_.viewImage().drawings(), 0u);
    // A version 0 map has no mask fields and is drawn.
    bad = source.map;
    bad.version = 0;
    bad.masks = &loop;
    EXPECT_EQ(record().displayPixels(&bad, &whole, 0, 0, nullptr), noErr);
}

}  // namespace
