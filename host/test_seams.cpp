#include "host/test_seams.h"

#include "host/plugin_alloc.h"
#include "host/user_interface_seams.h"

namespace {

LumistraTestEnginePassObserver gEnginePassObserver = nullptr;

void PassOnEnginePass(const PreviewEnginePass& pass, void* context) {
    const LumistraTestEnginePass reported = {pass.startLevel, pass.maxLevel, pass.hiStrength,
                                             pass.loStrength, pass.clarity,  pass.width,
                                             pass.height,     pass.plane};
    if (gEnginePassObserver != nullptr) gEnginePassObserver(&reported, context);
}

}  // namespace

void LumistraTestReset() {
    Seams() = UserInterfaceSeams{};
    gEnginePassObserver = nullptr;
}

void LumistraTestSetEnginePassObserver(LumistraTestEnginePassObserver observer, void* context) {
    gEnginePassObserver = observer;
    Seams().enginePassObserver = observer != nullptr ? PassOnEnginePass : nullptr;
    Seams().enginePassContext = context;
}

void LumistraTestSetDialogAnswer(int answer) { Seams().dialogAnswer = answer; }

void LumistraTestSetDialogValues(float noiseHighAmount, float noiseLowAmount, float clarityAmount) {
    Seams().editsValues = true;
    Seams().dialogValues = FilterParameters{noiseHighAmount, noiseLowAmount, clarityAmount};
}

void LumistraTestSetScreenSize(int width, int height) {
    Seams().screenWidth = width;
    Seams().screenHeight = height;
}

int LumistraTestDialogCount() { return Seams().dialogCount; }

int LumistraTestMessageCount() { return Seams().messageCount; }

const char* LumistraTestLastCaption() { return Seams().lastCaption.c_str(); }

const char* LumistraTestLastMessage() { return Seams().lastMessage.c_str(); }

int LumistraTestLiveBlockCount() { return static_cast<int>(LiveBlockCount()); }
