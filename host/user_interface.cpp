#include "host/user_interface.h"

#include "host/plugin_state.h"
#include "host/preview_dialog.h"
#include "host/user_interface_seams.h"

ScreenSize CurrentScreenSize() {
    const UserInterfaceSeams& seams = Seams();
    if (seams.screenWidth != 0 || seams.screenHeight != 0) {
        return ScreenSize{seams.screenWidth, seams.screenHeight};
    }
    return PlatformScreenSize();
}

void ShowErrorMessage(const char* caption, const char* text) {
    UserInterfaceSeams& seams = Seams();
    ++seams.messageCount;
    seams.lastCaption = caption;
    seams.lastMessage = text;
    PlatformShowError(caption, text);
}

int ShowPreviewDialog() {
    UserInterfaceSeams& seams = Seams();
    ++seams.dialogCount;
    // A test's answer takes precedence over any dialog.
    if (seams.dialogAnswer == 0) return RunPreviewDialog();
    if (seams.dialogAnswer > 0 && seams.editsValues && State().parameters != nullptr) {
        *State().parameters = seams.dialogValues;
    }
    return seams.dialogAnswer;
}

OSErr DoAbout(const AboutRecord& about) { return PlatformShowAbout(about); }
