#include "host/script_parameters.h"

#include "host/descriptor_amounts.h"
#include "host/offered_routines.h"
#include "host/plugin_state.h"

namespace {
void DisposeDescriptor(PIDescriptorParameters& script) {
    if (script.descriptor == nullptr) return;
    if (DisposePIHandleProc dispose = HostDisposeHandle(State().filter)) {
        dispose(script.descriptor);
    }
    script.descriptor = nullptr;
}

// Reads keys until the descriptor ends or a key is not ours or fails to read;
// the keys after such a one are left alone.
void ReadAmounts(const ReadDescriptorProcs& reader, PIReadDescriptor token,
                 FilterParameters& parameters) {
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    int32_t flags = 0;
    while (reader.getKeyProc(token, &key, &type, &flags)) {
        float* amount = AmountForKey(parameters, key);
        if (amount == nullptr) return;
        double value = 0.0;
        if (reader.getFloatProc(token, &value) != noErr) return;
        if (!StoreDescriptorAmount(value, *amount)) return;
    }
}
}  // namespace

OSErr ReadScriptParameters(bool& showDialog) {
    PIDescriptorParameters* script = State().filter->descriptorParameters;
    const ReadDescriptorProcs* reader = HostDescriptorReader(script);
    if (reader == nullptr || script->descriptor == nullptr) return noErr;

    // The host's report of missing keys is never used, but a well-formed list
    // lets it track them.
    DescriptorKeyID expectedKeys[] = {kAmountKeys[0], kAmountKeys[1], kAmountKeys[2], 0};
    OSErr result = noErr;
    if (PIReadDescriptor token = reader->openReadDescriptorProc(script->descriptor, expectedKeys)) {
        ReadAmounts(*reader, token, *State().parameters);
        result = reader->closeReadDescriptorProc(token);
        DisposeDescriptor(*script);
    }
    showDialog = script->playInfo == plugInDialogDisplay;
    return result;
}

OSErr WriteScriptParameters() {
    PIDescriptorParameters* script = State().filter->descriptorParameters;
    const WriteDescriptorProcs* writer = HostDescriptorWriter(script);
    if (writer == nullptr) return noErr;
    PIWriteDescriptor token = writer->openWriteDescriptorProc();
    if (token == nullptr) return noErr;

    // Recorded as given, widened: a replay must give back the very same singles.
    for (DescriptorKeyID key : kAmountKeys) {
        const double value = *AmountForKey(*State().parameters, key);
        writer->putFloatProc(token, key, &value);
    }

    DisposeDescriptor(*script);
    Handle written = nullptr;
    const OSErr result = writer->closeWriteDescriptorProc(token, &written);
    script->descriptor = written;
    script->recordInfo = plugInDialogOptional;
    return result;
}
