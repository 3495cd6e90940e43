#include "host/user_interface.h"

#include "host/host_seams.h"
#include "host/plugin_state.h"

ScreenSize CurrentScreenSize() {
    const HostSeams& seams = Seams();
    if (seams.screenWidth != 0 || seams.screenHeight != 0) {
        return ScreenSize{seams.screenWidth, seams.screenHeight};
    }
    return PlatformScreenSize();
}

void ShowErrorMessage(const char* caption, const char* text) {
    HostSeams& seams = Seams();
    ++seams.messageCount;
    seams.lastCaption = caption;
    seams.lastMessage = text;
    PlatformShowError(caption, text);
}

int ShowPreviewDialog() {
    HostSeams& seams = Seams();
    ++seams.dialogCount;
    if (seams.dialogAnswer == 0) return kDialogUnavailable;
    if (seams.dialogAnswer > 0 && seams.editsValues && State().parameters != nullptr) {
        *State().parameters = seams.dialogValues;
    }
    return seams.dialogAnswer;
}

OSErr DoAbout(const AboutRecord& about) { return PlatformShowAbout(about); }
