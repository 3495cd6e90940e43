// The plug-in's side of the Linux dialog view: when it trusts the table a host
// offers, how the view interface maps onto it, and the host request the
// preview's port makes over the filter record.
#include <gtest/gtest.h>

#include <cstring>

#include "app/scripted_dialog_view.h"
#include "host/dialog_view_adapter.h"
#include "host/filter_record_port.h"
#include "host/plugin_alloc.h"
#include "tests/plugin/fake_host.h"

namespace {

constexpr int32_t kEdit = 1013;
constexpr int32_t kEditChanged = 0x0300;

TEST(DialogViewTableTest, OnlyAWellFormedTableIsAView) {
    ScriptedDialogView scripted({}, {});
    LumistraDialogView table = *scripted.Table();
    PlatformData platform{reinterpret_cast<intptr_t>(&table)};
    EXPECT_EQ(OfferedDialogView(&platform), &table);

    EXPECT_EQ(OfferedDialogView(nullptr), nullptr);
    platform.hwnd = 0;
    EXPECT_EQ(OfferedDialogView(&platform), nullptr);
    platform.hwnd = 0x3a00007;  // an X window id, not an address of ours
    EXPECT_EQ(OfferedDialogView(&platform), nullptr);
    platform.hwnd = reinterpret_cast<intptr_t>(&table) + 1;  // misaligned
    EXPECT_EQ(OfferedDialogView(&platform), nullptr);

    platform.hwnd = reinterpret_cast<intptr_t>(&table);
    const auto refusedAfter = [&](auto change) {
        LumistraDialogView spoiled = *scripted.Table();
        change(spoiled);
        table = spoiled;
        return OfferedDialogView(&platform) == nullptr;
    };
    EXPECT_TRUE(refusedAfter([](LumistraDialogView& t) { t.magic ^= 1; }));
    EXPECT_TRUE(refusedAfter([](LumistraDialogView& t) { t.version = 2; }));
    EXPECT_TRUE(refusedAfter([](LumistraDialogView& t) { t.size = sizeof t - 8; }));
    EXPECT_TRUE(refusedAfter([](LumistraDialogView& t) { t.frameRed = nullptr; }));
    EXPECT_TRUE(refusedAfter([](LumistraDialogView& t) { t.runModal = nullptr; }));
    EXPECT_FALSE(refusedAfter([](LumistraDialogView& t) { t.size += 16; }));  // a newer host
}

struct ChangeCounter {
    int changes = 0;
    int32_t lastId = 0;
};

int32_t CountChange(void* dialog, int32_t id, int32_t notification) {
    auto& counter = *static_cast<ChangeCounter*>(dialog);
    if (notification == kEditChanged) {
        ++counter.changes;
        counter.lastId = id;
    }
    return 1;
}

TEST(DialogViewTableTest, AdapterReadsAndWritesFieldsAsWin32Does) {
    ScriptedViewSetup setup;
    setup.editIds = {kEdit};
    setup.controlRects[1039] = {12, 60, 426, 468};
    setup.clientOriginGiven = true;
    setup.clientOrigin = {100, 50};
    ChangeCounter counter;
    std::vector<ScriptAction> script;
    std::string error;
    ASSERT_TRUE(ParseScriptLine("type 1013 150", &script, &error)) << error;
    ScriptedDialogView scripted(setup, script);
    DialogViewAdapter view(*scripted.Table());

    // Events only reach the dialog inside the modal loop.
    LumistraDialogEvents events{};
    events.size = sizeof events;
    events.dialog = &counter;
    events.initDialog = [](void*) { return 0; };
    events.command = CountChange;
    events.sliderScroll = [](void*, int32_t, int32_t, int32_t) { return 1; };
    events.timer = [](void*, int32_t) { return 0; };
    events.paint = [](void*) { return 0; };
    events.setCursor = [](void*) { return 1; };
    events.leftButtonDown = [](void*, LumistraViewPoint) { return 1; };
    events.mouseMove = [](void*, LumistraViewPoint, uint32_t) { return 1; };
    events.leftButtonUp = [](void*, LumistraViewPoint) { return 1; };
    EXPECT_EQ(scripted.Table()->runModal(scripted.Table()->host, &events), 0);
    EXPECT_EQ(counter.changes, 1);
    EXPECT_TRUE(scripted.closedAtEndOfScript());

    view.SetItemInt(kEdit, 42, false);
    EXPECT_EQ(scripted.Find(kEdit)->text, "42");
    view.SetItemInt(kEdit, static_cast<uint32_t>(-5), true);
    EXPECT_EQ(view.GetItemInt(kEdit, true), static_cast<uint32_t>(-5));
    EXPECT_EQ(view.GetItemInt(kEdit, false), 0u);  // a minus is unreadable unsigned
    view.SetItemText(kEdit, "");
    EXPECT_EQ(view.GetItemInt(kEdit, false), 0u);
    view.SetItemText(kEdit, "12a");
    EXPECT_EQ(view.GetItemInt(kEdit, false), 0u);
    view.SetItemText(kEdit, "4294967296");
    EXPECT_EQ(view.GetItemInt(kEdit, false), 0u);
    view.SetItemText(kEdit, "4294967295");
    EXPECT_EQ(view.GetItemInt(kEdit, false), 4294967295u);

    // Window rectangles come in screen coordinates.
    const ViewRect pane = view.ItemWindowRect(1039);
    EXPECT_EQ(pane.left, 112);
    EXPECT_EQ(pane.top, 110);
    EXPECT_EQ(view.ScreenToClient({112, 110}).x, 12);
    char subtitle[255];
    EXPECT_EQ(view.LoadModuleString(1, subtitle, sizeof subtitle), 33);
    EXPECT_STREQ(subtitle, "Automatically Reduces Image Noise");
}

TEST(FilterRecordPortTest, AsksForThePaneAsTheHostRequestSays) {
    FakeHost host;
    DescribeRgbDocument(host.filter, 3000, 2000);
    host.filter.haveMask = 1;
    host.filter.supportsPadding = 1;
    host.filter.maskPadding = plugInWantsErrorOnBoundsException;
    host.filter.outRect = Rect{1, 2, 3, 4};
    host.BeginCall(filterSelectorStart);
    FilterRecordPort port(host.filter, 3);

    PaneSamples samples{};
    const Rect source = {164, 109, 414, 484};
    ASSERT_EQ(port.RequestPane({source, 1 << 16, true}, &samples), noErr);
    const FilterRecord& r = host.filter;
    EXPECT_EQ(host.Count("advance"), 1);
    EXPECT_EQ(std::memcmp(&r.inRect, &source, sizeof source), 0);
    EXPECT_EQ(std::memcmp(&r.maskRect, &source, sizeof source), 0);
    EXPECT_EQ(r.outRect.top | r.outRect.left | r.outRect.bottom | r.outRect.right, 0);
    EXPECT_EQ(r.inputRate, 1 << 16);
    EXPECT_EQ(r.maskRate, 1 << 16);
    EXPECT_EQ(r.maskPadding, 0);
    EXPECT_EQ(r.inLoPlane, 0);
    EXPECT_EQ(r.inHiPlane, 2);

    // Without a mask wanted the mask rectangle is emptied and padding untouched.
    host.filter.maskPadding = plugInWantsErrorOnBoundsException;
    ASSERT_EQ(port.RequestPane({source, 8 << 16, false}, &samples), noErr);
    EXPECT_EQ(r.maskRect.bottom, 0);
    EXPECT_EQ(r.maskPadding, plugInWantsErrorOnBoundsException);
    EXPECT_EQ(r.inputRate, 8 << 16);
    EXPECT_EQ(samples.maskData, nullptr);

    // The port's allocator is the plug-in's accounted one.
    void* block = port.Allocator()(64);
    EXPECT_EQ(LiveBlockCount(), 1u);
    port.Releaser()(block);
    EXPECT_EQ(LiveBlockCount(), 0u);
}

}  // namespace
