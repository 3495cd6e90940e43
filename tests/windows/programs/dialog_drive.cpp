// lumistra-dialog-drive: opens the plug-in's preview dialog and About box in a
// Windows host and works them as a user would, through window messages to the
// controls from a second thread while the host's thread runs the modal dialog.
//
//   lumistra-dialog-drive MODULE [OUTPUT_DIR]
//
// Prints one line per check and exits 0 when all passed, 1 when any failed or
// the module cannot be loaded; started without arguments it exits with 2.
// With OUTPUT_DIR it also writes there the document it opened the dialog on
// (photo.ppm), the pixels of the first two displayPixels calls (display-000.ppm,
// the preview, and display-001.ppm, the navigator), the dialog's geometry as
// lumistra-preview arguments (geometry.txt), and screenshots (dialog-*.ppm,
// about.ppm).
#include <windows.h>
// Needs the types of windows.h.
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/document.h"
#include "app/filter_host.h"
#include "app/plugin_module.h"
#include "resources/plugin_identity.h"
#include "resources/resource_ids.h"
#include "tests/windows/programs/window_user.h"
#include "tools/sample_image/sample_image.h"

namespace {

constexpr char kDialogCaption[] = "LUMISTRA  v1.1.4";
constexpr char kAboutCaption[] = "LUMISTRA Plug-In";
constexpr char kHelpErrorCaption[] = "VLK QNT - ERROR";
constexpr char kAboutErrorCaption[] = "LUMISTRA Plug-In - ERROR";
constexpr char kHelpKey[] = "SOFTWARE\\MORVANE\\TRX Plug-Ins\\QNT\\10";

int failures = 0;
std::string outputDir;  // empty: nothing is written

// displayPixels calls of the current invocation, counted on the dialog's thread.
volatile LONG displayCalls = 0;

void Expect(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

void Type(HWND dialog, int editId, const char* text) {
    SendMessageA(GetDlgItem(dialog, editId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Click(HWND dialog, int buttonId) {
    SendMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

void PressKey(HWND control, WPARAM key) {
    SendMessageA(control, WM_KEYDOWN, key, 0);
    SendMessageA(control, WM_KEYUP, key, 0);
}

int SliderPosition(HWND dialog, int sliderId) {
    return static_cast<int>(SendMessageA(GetDlgItem(dialog, sliderId), TBM_GETPOS, 0, 0));
}

void ExpectField(HWND dialog, int editId, int sliderId, const char* text, int position,
                 const std::string& what) {
    Expect(ItemText(dialog, editId) == text && SliderPosition(dialog, sliderId) == position,
           what + ": field \"" + ItemText(dialog, editId) + "\" slider " +
               std::to_string(SliderPosition(dialog, sliderId)));
}

// The dialog's client point at the centre of a control.
POINT CentreOf(HWND dialog, int id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ScreenToClient(dialog, &point);
    return point;
}

LPARAM PointParameter(POINT point) { return MAKELPARAM(point.x, point.y); }

bool WritePpm(const std::string& name, const uint8_t* interleaved, int32_t width, int32_t height) {
    if (outputDir.empty()) return true;
    FILE* file = std::fopen((outputDir + "\\" + name).c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", static_cast<int>(width), static_cast<int>(height));
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    const bool written = std::fwrite(interleaved, 1, bytes, file) == bytes;
    return std::fclose(file) == 0 && written;
}

void WaitForDisplayCalls(LONG count) {
    for (DWORD waited = 0; waited < kWaitMs && displayCalls < count; waited += 20) Sleep(20);
    Sleep(200);  // the red frame is drawn after the panes
}

void SaveScreenshot(HWND window, const std::string& name) {
    // A sent message is handled only once the dialog's thread is back in its
    // loop, after the paint that drew the panes; its controls paint next.
    SendMessageA(window, WM_NULL, 0, 0);
    Sleep(500);
    const Screenshot shot = Capture(window);
    Expect(WritePpm(name, shot.rgb.data(), shot.width, shot.height), "screenshot " + name);
}

// The red pixels inside the navigator must be exactly the outline of one rectangle.
void ExpectRedFrame(HWND dialog, const std::string& what) {
    const Screenshot shot = Capture(dialog);
    RECT window = {};
    GetWindowRect(dialog, &window);
    RECT navigator = {};
    GetWindowRect(GetDlgItem(dialog, IDC_NAVIGATOR_PANE), &navigator);
    int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    long red = 0;
    for (int32_t y = navigator.top - window.top; y < navigator.bottom - window.top; ++y) {
        for (int32_t x = navigator.left - window.left; x < navigator.right - window.left; ++x) {
            if (!shot.IsRed(x, y)) continue;
            ++red;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    bool outline = red > 0;
    for (int32_t x = left; outline && x <= right; ++x) {
        outline = shot.IsRed(x, top) && shot.IsRed(x, bottom);
    }
    for (int32_t y = top; outline && y <= bottom; ++y) {
        outline = shot.IsRed(left, y) && shot.IsRed(right, y);
    }
    const long perimeter = outline ? 2L * (right - left + 1) + 2L * (bottom - top + 1) - 4 : -1;
    Expect(outline && red == perimeter,
           what + ": the red navigator frame is one rectangle outline (" + std::to_string(red) +
               " red pixels, " + std::to_string(right - left + 1) + " by " +
               std::to_string(bottom - top + 1) + ")");
}

void WriteGeometry(HWND dialog) {
    if (outputDir.empty()) return;
    auto clientRect = [&](int id) {
        RECT rect = {};
        GetWindowRect(GetDlgItem(dialog, id), &rect);
        POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
        MapWindowPoints(nullptr, dialog, corners, 2);
        return std::to_string(corners[0].x) + "," + std::to_string(corners[0].y) + "," +
               std::to_string(corners[1].x) + "," + std::to_string(corners[1].y);
    };
    RECT client = {};
    GetClientRect(dialog, &client);
    FILE* file = std::fopen((outputDir + "\\geometry.txt").c_str(), "wb");
    if (file == nullptr) return;
    std::fprintf(file, "--preview-pane;%s;--navigator-pane;%s;--client;%ld,%ld;--screen;%d,%d",
                 clientRect(IDC_PREVIEW_PANE).c_str(), clientRect(IDC_NAVIGATOR_PANE).c_str(),
                 client.right, client.bottom, GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN));
    std::fclose(file);
}

Document MakePhoto(int32_t width, int32_t height, uint32_t seed) {
    Document document(ColourMode::kRgb, width, height);
    const lumistra::SampleChannel channels[] = {lumistra::SampleChannel::Red,
                                                lumistra::SampleChannel::Green,
                                                lumistra::SampleChannel::Blue};
    for (int plane = 0; plane < 3; ++plane) {
        const std::vector<uint8_t> samples = lumistra::MakeSamplePlane(
            static_cast<uint32_t>(width), static_cast<uint32_t>(height), channels[plane], seed);
        document.Plane(plane).assign(samples.begin(), samples.end());
    }
    return document;
}

std::vector<std::vector<uint8_t>> CopyPlanes(const Document& document) {
    std::vector<std::vector<uint8_t>> planes;
    for (int plane = 0; plane < document.PlaneCount(); ++plane)
        planes.emplace_back(document.Plane(plane).begin(), document.Plane(plane).end());
    return planes;
}

double ValueOf(const Descriptor& descriptor, uint32_t key) {
    for (const DescriptorItem& item : descriptor.items()) {
        if (item.key == key) return item.value;
    }
    return NAN;
}

bool HoldsValues(const Descriptor& descriptor, double high, double low, double clarity) {
    return ValueOf(descriptor, keyNoiseHighAmount) == high &&
           ValueOf(descriptor, keyNoiseLowAmount) == low &&
           ValueOf(descriptor, keyClarityAmount) == clarity;
}

struct Expected {
    int16_t result;
    double high;
    double low;
    double clarity;
};

class Driver {
public:
    Driver(const PluginModule& module, HWND hostWindow)
        : module_(module), hostWindow_(hostWindow) {}

    // One invocation with the dialog shown; script works the dialog.
    // With writeDisplays the document and the first two displayPixels calls are
    // written into the output directory.
    void Run(const std::string& name, const Expected& expected,
             const std::function<void(HWND)>& script, bool writeDisplays = false) {
        Document photo = MakePhoto(1200, 800, 7);
        if (writeDisplays) {
            std::vector<uint8_t> interleaved;
            for (std::size_t i = 0; i < photo.Plane(0).size(); ++i) {
                for (int plane = 0; plane < 3; ++plane)
                    interleaved.push_back(photo.Plane(plane)[i]);
            }
            WritePpm("photo.ppm", interleaved.data(), photo.width(), photo.height());
        }
        const auto before = CopyPlanes(photo);
        InterlockedExchange(&displayCalls, 0);
        HostOptions options;
        options.displayObserver = [&](const DisplayCopy& copy) {
            const LONG index = InterlockedIncrement(&displayCalls) - 1;
            if (writeDisplays && index < 2 && copy.planeCount == 3) {
                WritePpm(index == 0 ? "display-000.ppm" : "display-001.ppm", copy.pixels.data(),
                         copy.width, copy.height);
            }
        };
        FilterHost host(module_, photo, options);
        host.SetPlatformWindow(reinterpret_cast<intptr_t>(hostWindow_));
        const ULONG_PTR classCursor = GetClassLongPtrA(hostWindow_, GCLP_HCURSOR);
        ULONG_PTR cursorDuringDialog = 1;

        UserThread user([&] {
            const HWND dialog = WaitForDialog(kDialogCaption);
            Expect(dialog != nullptr, name + ": the dialog opened");
            if (dialog == nullptr) return;
            cursorDuringDialog = GetClassLongPtrA(hostWindow_, GCLP_HCURSOR);
            script(dialog);
            if (!WaitUntilGone(dialog)) {
                Expect(false, name + ": the dialog closed");
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        });
        InvocationOptions invocation;
        invocation.playInfo = plugInDialogDisplay;
        const InvocationReport report = host.Invoke(invocation);
        user.Join();

        Expect(report.result == expected.result,
               name + ": result " + std::to_string(report.result));
        Expect(
            cursorDuringDialog == 0 && GetClassLongPtrA(hostWindow_, GCLP_HCURSOR) == classCursor,
            name + ": host class cursor cleared during the dialog and restored");
        const LONG drawn = displayCalls;
        Expect(drawn > 0, name + ": displayPixels drew " + std::to_string(drawn) + " times");
        if (expected.result != noErr) {
            Expect(CopyPlanes(photo) == before, name + ": document untouched");
            return;
        }
        Expect(report.recorded &&
                   HoldsValues(*report.recorded, expected.high, expected.low, expected.clarity),
               name + ": recorded " +
                   (report.recorded
                        ? std::to_string(ValueOf(*report.recorded, keyNoiseHighAmount)) + " " +
                              std::to_string(ValueOf(*report.recorded, keyNoiseLowAmount)) + " " +
                              std::to_string(ValueOf(*report.recorded, keyClarityAmount))
                        : std::string("nothing")));
        const auto* lastUsed = host.scripting().Lookup(kPluginUniqueId);
        Expect(lastUsed != nullptr &&
                   HoldsValues(lastUsed->descriptor, expected.high, expected.low, expected.clarity),
               name + ": stored as the last-used values");
        // The same values replayed without the dialog filter the same bytes (and
        // the selector runs hold replays to the Linux build's bytes).
        Document replayed = MakePhoto(1200, 800, 7);
        FilterHost replayHost(module_, replayed);
        InvocationOptions replay;
        replay.playInfo = plugInDialogDontDisplay;
        replay.replay = Descriptor{{keyNoiseHighAmount, expected.high},
                                   {keyNoiseLowAmount, expected.low},
                                   {keyClarityAmount, expected.clarity}};
        replayHost.Invoke(replay);
        Expect(CopyPlanes(photo) != before && CopyPlanes(photo) == CopyPlanes(replayed),
               name + ": filtered document equals the replay of the same values");
    }

private:
    const PluginModule& module_;
    HWND hostWindow_;
};

void TypedValuesThenOk(HWND dialog) {
    Expect(ItemText(dialog, IDC_ZOOM_LABEL) == "100%", "opens at 100%");
    Expect(!IsWindowEnabled(GetDlgItem(dialog, IDC_ZOOM_IN)) &&
               IsWindowEnabled(GetDlgItem(dialog, IDC_ZOOM_OUT)),
           "zoom in disabled, zoom out enabled at the start");
    ExpectField(dialog, IDC_HIGHLIGHT_EDIT, IDC_HIGHLIGHT_SLIDER, "50", 50, "starts at 50");
    Type(dialog, IDC_HIGHLIGHT_EDIT, "150");
    ExpectField(dialog, IDC_HIGHLIGHT_EDIT, IDC_HIGHLIGHT_SLIDER, "100", 100, "150 typed");
    Type(dialog, IDC_SHADOW_EDIT, "");
    ExpectField(dialog, IDC_SHADOW_EDIT, IDC_SHADOW_SLIDER, "", 0, "field emptied");
    Type(dialog, IDC_CLARITY_EDIT, "33");
    ExpectField(dialog, IDC_CLARITY_EDIT, IDC_CLARITY_SLIDER, "33", 33, "33 typed");
    Click(dialog, IDC_OK);
}

void SliderKeysThenEnter(HWND dialog) {
    const HWND highlight = GetDlgItem(dialog, IDC_HIGHLIGHT_SLIDER);
    const struct {
        WPARAM key;
        const char* text;
        int position;
        const char* name;
    } steps[] = {
        {VK_RIGHT, "51", 51, "Right"},   {VK_LEFT, "50", 50, "Left"},
        {VK_PRIOR, "49", 49, "Page Up"}, {VK_NEXT, "50", 50, "Page Down"},
        {VK_HOME, "0", 0, "Home"},       {VK_END, "100", 100, "End"},
    };
    for (const auto& step : steps) {
        PressKey(highlight, step.key);
        ExpectField(dialog, IDC_HIGHLIGHT_EDIT, IDC_HIGHLIGHT_SLIDER, step.text, step.position,
                    std::string("slider key ") + step.name);
    }
    const HWND shadow = GetDlgItem(dialog, IDC_SHADOW_SLIDER);
    PressKey(shadow, VK_HOME);
    for (int i = 0; i < 3; ++i) PressKey(shadow, VK_DOWN);
    ExpectField(dialog, IDC_SHADOW_EDIT, IDC_SHADOW_SLIDER, "3", 3, "Home and three steps");

    // A drag of the Clarity thumb to the slider's right end.
    const HWND clarity = GetDlgItem(dialog, IDC_CLARITY_SLIDER);
    RECT thumb = {};
    SendMessageA(clarity, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    RECT client = {};
    GetClientRect(clarity, &client);
    const int y = (thumb.top + thumb.bottom) / 2;
    SendMessageA(clarity, WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((thumb.left + thumb.right) / 2, y));
    for (int x = (thumb.left + thumb.right) / 2; x <= client.right + 10; x += 7) {
        SendMessageA(clarity, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    SendMessageA(clarity, WM_LBUTTONUP, 0, MAKELPARAM(client.right + 10, y));
    ExpectField(dialog, IDC_CLARITY_EDIT, IDC_CLARITY_SLIDER, "100", 100,
                "thumb dragged to the end");
    PostMessageA(clarity, WM_KEYDOWN, VK_RETURN, 0);
}

const char* const kZoomLabels[] = {"100%", "50%", "25%", "12.5%", "6.25%", "3.12%", "1.56%"};

void DefaultZoomNavigatorThenOk(HWND dialog) {
    Type(dialog, IDC_HIGHLIGHT_EDIT, "10");
    Type(dialog, IDC_SHADOW_EDIT, "20");
    Type(dialog, IDC_CLARITY_EDIT, "90");
    Click(dialog, IDC_DEFAULT);
    ExpectField(dialog, IDC_HIGHLIGHT_EDIT, IDC_HIGHLIGHT_SLIDER, "50", 50, "Default: highlight");
    ExpectField(dialog, IDC_SHADOW_EDIT, IDC_SHADOW_SLIDER, "50", 50, "Default: shadow");
    ExpectField(dialog, IDC_CLARITY_EDIT, IDC_CLARITY_SLIDER, "50", 50, "Default: clarity");

    int levelsOut = 0;
    while (IsWindowEnabled(GetDlgItem(dialog, IDC_ZOOM_OUT)) && levelsOut < 6) {
        Click(dialog, IDC_ZOOM_OUT);
        ++levelsOut;
        Expect(ItemText(dialog, IDC_ZOOM_LABEL) == kZoomLabels[levelsOut] &&
                   IsWindowEnabled(GetDlgItem(dialog, IDC_ZOOM_IN)),
               "zoom out to " + ItemText(dialog, IDC_ZOOM_LABEL));
    }
    Expect(levelsOut >= 1 && !IsWindowEnabled(GetDlgItem(dialog, IDC_ZOOM_OUT)),
           "zoom out stops at the whole image after " + std::to_string(levelsOut) + " steps");
    for (int level = levelsOut - 1; level >= 0; --level) {
        Click(dialog, IDC_ZOOM_IN);
        Expect(ItemText(dialog, IDC_ZOOM_LABEL) == kZoomLabels[level] &&
                   IsWindowEnabled(GetDlgItem(dialog, IDC_ZOOM_OUT)),
               "zoom in to " + ItemText(dialog, IDC_ZOOM_LABEL));
    }
    Expect(!IsWindowEnabled(GetDlgItem(dialog, IDC_ZOOM_IN)), "zoom in disabled at 100%");

    // A click in the navigator's corner, then a drag from its centre.
    RECT navigator = {};
    GetWindowRect(GetDlgItem(dialog, IDC_NAVIGATOR_PANE), &navigator);
    POINT corner = {navigator.left + 8, navigator.top + 8};
    ScreenToClient(dialog, &corner);
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, PointParameter(corner));
    SendMessageA(dialog, WM_LBUTTONUP, 0, PointParameter(corner));
    POINT centre = CentreOf(dialog, IDC_NAVIGATOR_PANE);
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, PointParameter(centre));
    for (int step = 1; step <= 5; ++step) {
        const POINT moved = {centre.x + 6 * step, centre.y + 3 * step};
        SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, PointParameter(moved));
    }
    SendMessageA(dialog, WM_LBUTTONUP, 0, PointParameter({centre.x + 30, centre.y + 15}));

    Click(dialog, IDC_PREVIEW_BEFORE);
    Expect(IsDlgButtonChecked(dialog, IDC_PREVIEW_BEFORE) == BST_CHECKED &&
               IsDlgButtonChecked(dialog, IDC_PREVIEW_AFTER) == BST_UNCHECKED,
           "Before checked");
    Click(dialog, IDC_PREVIEW_AFTER);
    Expect(IsDlgButtonChecked(dialog, IDC_PREVIEW_AFTER) == BST_CHECKED, "After checked");
    UpdateWindow(dialog);
    Click(dialog, IDC_OK);
}

// The first paint, Before and After, the whole image: pictures and the red frame.
void PaintedPanesThenOk(HWND dialog) {
    WaitForDisplayCalls(2);
    WriteGeometry(dialog);
    ExpectRedFrame(dialog, "100% After");
    SaveScreenshot(dialog, "dialog-100-after.ppm");
    Click(dialog, IDC_PREVIEW_BEFORE);
    WaitForDisplayCalls(4);
    ExpectRedFrame(dialog, "100% Before");
    SaveScreenshot(dialog, "dialog-100-before.ppm");
    Click(dialog, IDC_PREVIEW_AFTER);
    while (IsWindowEnabled(GetDlgItem(dialog, IDC_ZOOM_OUT))) Click(dialog, IDC_ZOOM_OUT);
    Sleep(1500);  // the refresh timer refilters the whole image
    ExpectRedFrame(dialog, "zoomed out");
    SaveScreenshot(dialog, "dialog-zoomed-out-after.ppm");
    Click(dialog, IDC_OK);
}

void SetHelpValue(DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kHelpKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    if (data == nullptr) {
        RegDeleteValueA(key, "HelpFile");
    } else {
        RegSetValueExA(key, "HelpFile", 0, type, static_cast<const BYTE*>(data), bytes);
    }
    RegCloseKey(key);
}

// The shell call the plug-in makes, seen through its import table.
std::vector<std::string> shellOpens;

HINSTANCE WINAPI ObserveShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                     LPCSTR folder, INT show) {
    shellOpens.push_back(
        std::string(verb ? verb : "(null)") + " " + (file ? file : "(null)") +
        (owner == nullptr && parameters == nullptr && folder == nullptr && show == SW_SHOWNORMAL
             ? ""
             : " (unexpected arguments)"));
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

// The plug-in's registration of the common controls, seen the same way.
std::vector<DWORD> controlRegistrations;

BOOL WINAPI ObserveInitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
    controlRegistrations.push_back(controls != nullptr ? controls->dwICC : 0);
    return InitCommonControlsEx(controls);
}

void PressHelp(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_HELP_BUTTON)));
}

void HelpCasesThenCancel(HWND dialog) {
    SetHelpValue(REG_SZ, "C:\\Help\\", 9);
    PressHelp(dialog);
    for (int waited = 0; waited < 500 && shellOpens.empty(); ++waited) Sleep(20);
    Expect(shellOpens.size() == 1 && shellOpens[0] == "open file://C:\\Help\\LumistraHelp.htm",
           "Help opens " + (shellOpens.empty() ? std::string("nothing") : shellOpens[0]));

    const DWORD number = 1;
    const char unterminated[] = {'C', ':', '\\'};
    const struct {
        DWORD type;
        const void* data;
        DWORD bytes;
        const char* name;
    } unusable[] = {{REG_DWORD, &number, sizeof number, "a number"},
                    {REG_SZ, nullptr, 0, "no value"},
                    {REG_SZ, unterminated, sizeof unterminated, "an unterminated string"}};
    for (const auto& value : unusable) {
        SetHelpValue(value.type, value.data, value.bytes);
        PressHelp(dialog);
        const std::string text = AnswerMessageBox(kHelpErrorCaption);
        Expect(text == "Help location could not be determined",
               std::string("Help with ") + value.name + ": " + text);
    }
    const std::string tooLong = "C:\\" + std::string(240, 'h') + "\\";
    SetHelpValue(REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size() + 1));
    PressHelp(dialog);
    const std::string text = AnswerMessageBox(kHelpErrorCaption);
    Expect(text == "Help could not be opened" && shellOpens.size() == 1,
           "Help with a location too long for the address: " + text);
    Expect(IsWindow(dialog), "the dialog stays open after help failures");
    Click(dialog, IDCANCEL);
}

void CancelByEscape(HWND dialog) {
    WaitForDisplayCalls(2);
    Type(dialog, IDC_HIGHLIGHT_EDIT, "80");
    PostMessageA(GetDlgItem(dialog, IDC_CLARITY_SLIDER), WM_KEYDOWN, VK_ESCAPE, 0);
}

void CancelByCloseBox(HWND dialog) {
    WaitForDisplayCalls(2);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

using AboutProc = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

void AboutBox(const PluginModule& module, HWND hostWindow) {
    HMODULE instance = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(module.entry()), &instance);
    const auto procedure = reinterpret_cast<AboutProc>(module.FindSymbol("VLKQNTAboutProc"));
    Expect(procedure != nullptr, "VLKQNTAboutProc exported");
    if (procedure == nullptr) return;
    const struct {
        WPARAM key;
        INT_PTR result;
        const char* name;
    } closings[] = {{VK_RETURN, 1, "Enter"}, {VK_ESCAPE, 2, "Escape"}};
    for (const auto& closing : closings) {
        UserThread user([&] {
            const HWND about = WaitForDialog(kAboutCaption);
            if (about == nullptr) return;
            Expect(ItemText(about, IDC_ABOUT_VERSION) == "Version 1.1.4  (10/2004)",
                   "About version line \"" + ItemText(about, IDC_ABOUT_VERSION) + "\"");
            SendMessageA(about, WM_COMMAND, MAKEWPARAM(IDC_LOGO, STN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(about, IDC_LOGO)));
            Expect(IsWindow(about), "a click on the logo leaves the About box open");
            if (closing.result == 1) SaveScreenshot(about, "about.ppm");
            PostMessageA(GetDlgItem(about, IDC_OK), WM_KEYDOWN, closing.key, 0);
        });
        const INT_PTR result = DialogBoxParamA(instance, "ABOUTQNT", hostWindow,
                                               reinterpret_cast<DLGPROC>(procedure), 0);
        user.Join();
        Expect(result == closing.result, std::string("About box ended by ") + closing.name +
                                             " with " + std::to_string(result));
    }

    // Through the about selector, with a window the box cannot be owned by.
    Document photo = MakePhoto(300, 300, 3);
    FilterHost host(module, photo);
    host.SetPlatformWindow(0x7fff0001);
    std::string message;
    UserThread user([&] { message = AnswerMessageBox(kAboutErrorCaption); });
    InvocationOptions about;
    about.showAbout = true;
    about.playInfo = plugInDialogDontDisplay;
    about.replay =
        Descriptor{{keyNoiseHighAmount, 50.0}, {keyNoiseLowAmount, 50.0}, {keyClarityAmount, 50.0}};
    host.Invoke(about);
    user.Join();
    Expect(message == "Could not display About window", "About box without a window: " + message);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s MODULE [OUTPUT_DIR]\n", argv[0]);
        return 2;
    }
    if (argc == 3) outputDir = argv[2];
    std::string error;
    const std::unique_ptr<PluginModule> module = PluginModule::Load(argv[1], &error);
    if (!module) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    WNDCLASSEXA trackbar = {};
    trackbar.cbSize = sizeof trackbar;
    std::printf(
        "note: this host %s the trackbar class\n",
        GetClassInfoExA(nullptr, TRACKBAR_CLASSA, &trackbar) ? "registered" : "did not register");
    const HWND hostWindow = MakeHostWindow();
    Driver driver(*module, hostWindow);
    HMODULE instance = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(module->entry()), &instance);
    Expect(RedirectImport(instance, "InitCommonControlsEx",
                          reinterpret_cast<const void*>(&ObserveInitCommonControlsEx)),
           "the module can register the common controls");

    driver.Run("first paint, Before/After, zoomed out, OK", {noErr, 50.0, 50.0, 50.0},
               PaintedPanesThenOk, true);
    driver.Run("typed values, OK", {noErr, 100.0, 0.0, 33.0}, TypedValuesThenOk);
    driver.Run("slider keys and drag, Enter", {noErr, 100.0, 3.0, 100.0}, SliderKeysThenEnter);
    driver.Run("Default, zoom, navigator, OK", {noErr, 50.0, 50.0, 50.0},
               DefaultZoomNavigatorThenOk);
    Expect(RedirectImport(instance, "ShellExecuteA",
                          reinterpret_cast<const void*>(&ObserveShellExecute)),
           "the module calls ShellExecuteA");
    driver.Run("Help, Cancel", {userCanceledErr, 0, 0, 0}, HelpCasesThenCancel);
    driver.Run("Escape", {userCanceledErr, 0, 0, 0}, CancelByEscape);
    driver.Run("close box", {userCanceledErr, 0, 0, 0}, CancelByCloseBox);
    AboutBox(*module, hostWindow);

    Expect(controlRegistrations.empty(),
           "a host that registered the trackbar class keeps its common controls as they were");
    // A host in which the trackbar class is not registered: the plug-in registers
    // the bar classes. (Wine registers its classes when comctl32 loads and not
    // again, so here the dialog still cannot be created.)
    UnregisterClassA(TRACKBAR_CLASSA, GetModuleHandleA("comctl32.dll"));
    Expect(!GetClassInfoExA(nullptr, TRACKBAR_CLASSA, &trackbar),
           "the trackbar class is unregistered");
    {
        Document photo = MakePhoto(400, 300, 9);
        const auto before = CopyPlanes(photo);
        FilterHost host(*module, photo);
        host.SetPlatformWindow(reinterpret_cast<intptr_t>(hostWindow));
        UserThread user([] {
            // Where the registration works the dialog opens; the user cancels it.
            for (int waited = 0; waited < 100; ++waited) {
                const HWND dialog = FindWindowA("#32770", kDialogCaption);
                if (dialog != nullptr) {
                    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                    return;
                }
                Sleep(20);
            }
        });
        InvocationOptions invocation;
        invocation.playInfo = plugInDialogDisplay;
        const InvocationReport report = host.Invoke(invocation);
        user.Join();
        Expect(controlRegistrations.size() == 1 && controlRegistrations[0] == ICC_BAR_CLASSES,
               "without the trackbar class the plug-in registers the bar classes, once");
        Expect(
            report.result != noErr && CopyPlanes(photo) == before,
            "no trackbar class: result " + std::to_string(report.result) + ", document untouched");
    }

    DestroyWindow(hostWindow);
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
