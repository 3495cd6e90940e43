// LUMISTRA's own contract between a Linux host and the plug-in's preview
// dialog. It is NOT part of the published plug-in interface: no other host or
// plug-in knows it.
//
// The published interface gives the plug-in only a window handle to own its
// dialogs to (PlatformData's hwnd). A Linux host that wants to show the
// plug-in's dialog sets that member to the address of a LumistraDialogView
// table, which offers the window operations the dialog needs and a modal loop.
// The plug-in trusts the table only when its magic, version and size check
// out and every operation is present; a null window, or one that fails the
// check, means there is no view, and the dialog answers as one that cannot be
// created.
//
// The plug-in passes a LumistraDialogEvents table to runModal; the host's loop
// delivers the window's messages back through it until the dialog is ended.
// All calls happen on the host's thread, inside the plug-in's start selector.
// Coordinates are pixels, y downward; rectangles have exclusive right and
// bottom edges. Control ids and codes are those of the dialog template and
// the Win32 messages the events stand for.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// 'LMDV' in the first four bytes of the table.
#define LUMISTRA_DIALOG_VIEW_MAGIC 0x4C4D4456u
#define LUMISTRA_DIALOG_VIEW_VERSION 1u

typedef struct LumistraViewPoint {
    int32_t x;
    int32_t y;
} LumistraViewPoint;

typedef struct LumistraViewRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
} LumistraViewRect;

// The plug-in's side: each entry returns what a dialog procedure returns for
// the message (1 handled, 0 not).
typedef struct LumistraDialogEvents {
    uint32_t size;  // sizeof(LumistraDialogEvents)
    void* dialog;   // handed back to every entry
    int32_t (*initDialog)(void* dialog);
    // WM_COMMAND: control id, notification (0 clicked, 0x0300 edit changed).
    int32_t (*command)(void* dialog, int32_t controlId, int32_t notification);
    // WM_HSCROLL of a slider: trackbar scroll code and thumb position.
    int32_t (*sliderScroll)(void* dialog, int32_t sliderId, int32_t scrollCode,
                            int32_t thumbPosition);
    int32_t (*timer)(void* dialog, int32_t timerId);
    int32_t (*paint)(void* dialog);
    int32_t (*setCursor)(void* dialog);
    // Mouse messages in dialog client coordinates; keys as WM_MOUSEMOVE's wParam.
    int32_t (*leftButtonDown)(void* dialog, LumistraViewPoint point);
    int32_t (*mouseMove)(void* dialog, LumistraViewPoint point, uint32_t keys);
    int32_t (*leftButtonUp)(void* dialog, LumistraViewPoint point);
} LumistraDialogEvents;

// The host's side. Every operation gets the table's host pointer first.
typedef struct LumistraDialogView {
    uint32_t magic;    // LUMISTRA_DIALOG_VIEW_MAGIC
    uint32_t version;  // LUMISTRA_DIALOG_VIEW_VERSION
    uint32_t size;     // sizeof(LumistraDialogView) as the host built it
    void* host;

    // Runs the dialog modally: calls initDialog, then delivers events until
    // endDialog was called and the event under way has returned. Returns the
    // result given to endDialog, or -1 when the dialog could not be created.
    int32_t (*runModal)(void* host, const LumistraDialogEvents* events);

    // Control texts. Setting the text of an edit raises its change event
    // (command with 0x0300) before the call returns.
    void (*setItemText)(void* host, int32_t id, const char* text);
    // Copies at most capacity - 1 characters and a zero; returns the count.
    int32_t (*getItemText)(void* host, int32_t id, char* buffer, int32_t capacity);

    // Trackbars: range, page and line size, tick frequency, position.
    void (*setSliderRange)(void* host, int32_t id, int32_t minimum, int32_t maximum,
                           int32_t redraw);
    void (*setSliderPageSize)(void* host, int32_t id, int32_t size);
    void (*setSliderLineSize)(void* host, int32_t id, int32_t size);
    void (*setSliderTickFrequency)(void* host, int32_t id, int32_t frequency);
    void (*setSliderPosition)(void* host, int32_t id, int32_t position, int32_t redraw);

    void (*enableItem)(void* host, int32_t id, int32_t enabled);
    void (*focusItem)(void* host, int32_t id);
    void (*checkButton)(void* host, int32_t id, int32_t checked);
    int32_t (*isButtonChecked)(void* host, int32_t id);
    void (*setCaption)(void* host, const char* text);

    // Timers: starting a running one restarts it with the new period.
    void (*startTimer)(void* host, int32_t timerId, uint32_t periodMs);
    void (*killTimer)(void* host, int32_t timerId);

    // Painting: invalidate (no erase), is anything invalid, validate all,
    // begin and end a paint; the context from beginPaint is what the
    // plug-in hands to the host's displayPixels.
    void (*invalidateArea)(void* host, const LumistraViewRect* area);
    int32_t (*hasUpdateRegion)(void* host);
    void (*validateUpdateRegion)(void* host);
    void* (*beginPaint)(void* host);
    void (*endPaint)(void* host, void* context);
    // One-pixel frames: black on the paint context; red on the window,
    // returning 0 when nothing could be drawn.
    void (*frameBlack)(void* host, void* context, const LumistraViewRect* area);
    int32_t (*frameRed)(void* host, const LumistraViewRect* area);

    void (*captureMouse)(void* host);
    void (*releaseMouse)(void* host);
    // Shows a cursor (0 the host window's own, 109/110/111 the module's
    // hands, 32650 application starting) and returns a token for the one
    // shown before, which restoreCursor takes back.
    intptr_t (*showCursor)(void* host, int32_t cursor);
    void (*restoreCursor)(void* host, intptr_t previous);

    void (*endDialog)(void* host, int32_t result);
    void (*showErrorMessage)(void* host, const char* caption, const char* text);

    void (*screenSize)(void* host, int32_t* width, int32_t* height);
    void (*clientRect)(void* host, LumistraViewRect* rect);
    // A control's window rectangle in screen coordinates.
    void (*itemWindowRect)(void* host, int32_t id, LumistraViewRect* rect);
    LumistraViewPoint (*screenToClient)(void* host, LumistraViewPoint point);
    LumistraViewPoint (*clientToScreen)(void* host, LumistraViewPoint point);

    // Opens the product's help; 0 after the host showed its own failure.
    int32_t (*openHelp)(void* host);
} LumistraDialogView;

#ifdef __cplusplus
}
#endif
