// Replaceable behaviour for tests that drive the real entry point: what the
// preview dialog answers, the screen size, and a record of the messages shown.
// The shipped module never changes these; the testable module exports setters.
#pragma once

#include <cstdint>
#include <string>

#include "engine/filter_parameters.h"
#include "ui/preview_port.h"

struct UserInterfaceSeams {
    int dialogAnswer = 0;  // 0: the dialog as built
    bool editsValues = false;
    FilterParameters dialogValues{};  // what the "user" sets before answering
    int32_t screenWidth = 0;          // 0 by 0: the real screen
    int32_t screenHeight = 0;
    // Told of every engine pass the preview makes; null: nobody watches.
    void (*enginePassObserver)(const PreviewEnginePass& pass, void* context) = nullptr;
    void* enginePassContext = nullptr;

    int dialogCount = 0;  // ShowPreviewDialog calls
    int messageCount = 0;
    std::string lastCaption;
    std::string lastMessage;
};

UserInterfaceSeams& Seams();
