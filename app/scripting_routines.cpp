// Descriptor parameters (reading a replayed action, writing the recorded
// one), the basic suite, and the descriptor registry and action descriptor
// suites it hands out.
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/host_routines.h"

namespace {

// ---- Reading descriptor parameters

PIReadDescriptor PLUGIN_CALLBACK OpenReadDescriptor(Handle descriptor, DescriptorKeyID* keys) {
    const RoutineCall call = EnterRoutine(HostCallback::kReadOpen);
    if (call.fail || !call.host->handles().Knows(descriptor)) return nullptr;
    const std::optional<Descriptor> contents =
        Descriptor::Deserialize(call.host->handles().Contents(descriptor));
    return contents ? call.host->scripting().OpenReader(*contents, keys) : nullptr;
}

OSErr PLUGIN_CALLBACK CloseReadDescriptor(PIReadDescriptor reader) {
    const RoutineCall call = EnterRoutine(HostCallback::kReadClose);
    if (call.host == nullptr) return paramErr;
    const std::optional<OSErr> sticky = call.host->scripting().CloseReader(reader);
    if (call.fail || !sticky) return paramErr;
    return *sticky;
}

Boolean PLUGIN_CALLBACK GetKey(PIReadDescriptor reader, DescriptorKeyID* key,
                               DescriptorTypeID* type, int32_t* flags) {
    const RoutineCall call = EnterRoutine(HostCallback::kReadGetKey);
    if (call.fail) return 0;
    ScriptingStore::ReadSession* session = call.host->scripting().FindReader(reader);
    if (session == nullptr || session->next >= session->descriptor.items().size()) return 0;
    session->current = &session->descriptor.items()[session->next++];
    if (key != nullptr) *key = session->current->key;
    if (type != nullptr) *type = session->current->type;
    if (flags != nullptr) *flags = 0;
    // The host strikes each key it hands out from the caller's list.
    for (DescriptorKeyID* expected = session->expectedKeys; expected != nullptr && *expected != 0;
         ++expected) {
        if (*expected == session->current->key) {
            *expected = 0;
            break;
        }
    }
    return 1;
}

OSErr PLUGIN_CALLBACK GetFloat(PIReadDescriptor reader, double* value) {
    const RoutineCall call = EnterRoutine(HostCallback::kReadGetFloat);
    if (call.host == nullptr) return paramErr;
    ScriptingStore::ReadSession* session = call.host->scripting().FindReader(reader);
    if (session == nullptr) return paramErr;
    OSErr error = noErr;
    if (call.fail || value == nullptr || session->current == nullptr ||
        session->current->type != typeFloat) {
        error = paramErr;
    } else {
        *value = session->current->value;
    }
    if (error != noErr) session->stickyError = error;
    return error;
}

OSErr NoteUnsupportedRead(PIReadDescriptor reader) {
    const RoutineCall call = EnterRoutine(HostCallback::kReadOther);
    if (call.host == nullptr) return paramErr;
    if (ScriptingStore::ReadSession* session = call.host->scripting().FindReader(reader)) {
        session->stickyError = paramErr;
    }
    return paramErr;
}

OSErr PLUGIN_CALLBACK GetInteger(PIReadDescriptor reader, int32_t*) {
    return NoteUnsupportedRead(reader);
}
OSErr PLUGIN_CALLBACK GetUnitFloat(PIReadDescriptor reader, DescriptorUnitID*, double*) {
    return NoteUnsupportedRead(reader);
}
OSErr PLUGIN_CALLBACK GetBoolean(PIReadDescriptor reader, Boolean*) {
    return NoteUnsupportedRead(reader);
}
OSErr PLUGIN_CALLBACK GetPinnedInteger(PIReadDescriptor reader, int32_t, int32_t, int32_t*) {
    return NoteUnsupportedRead(reader);
}
OSErr PLUGIN_CALLBACK GetPinnedFloat(PIReadDescriptor reader, const double*, const double*,
                                     double*) {
    return NoteUnsupportedRead(reader);
}

// The slots whose signatures this host does not declare: every argument is
// ignored and the call reports an error.
OSErr PLUGIN_CALLBACK UnsupportedRead() {
    EnterRoutine(HostCallback::kReadOther);
    return paramErr;
}

// ---- Writing descriptor parameters

PIWriteDescriptor PLUGIN_CALLBACK OpenWriteDescriptor() {
    const RoutineCall call = EnterRoutine(HostCallback::kWriteOpen);
    return call.fail ? nullptr : call.host->scripting().OpenWriter();
}

OSErr PLUGIN_CALLBACK CloseWriteDescriptor(PIWriteDescriptor writer, Handle* descriptor) {
    const RoutineCall call = EnterRoutine(HostCallback::kWriteClose);
    if (descriptor != nullptr) *descriptor = nullptr;
    if (call.host == nullptr) return paramErr;
    const std::optional<Descriptor> contents = call.host->scripting().CloseWriter(writer);
    if (call.fail || !contents || descriptor == nullptr) return paramErr;
    const std::vector<uint8_t> bytes = contents->Serialize();
    Handle handle = call.host->handles().New(static_cast<int32_t>(bytes.size()));
    std::memcpy(*handle, bytes.data(), bytes.size());
    *descriptor = handle;
    return noErr;
}

OSErr PLUGIN_CALLBACK PutFloat(PIWriteDescriptor writer, DescriptorKeyID key, const double* value) {
    const RoutineCall call = EnterRoutine(HostCallback::kWritePutFloat);
    if (call.fail || value == nullptr) return paramErr;
    Descriptor* contents = call.host->scripting().FindWriter(writer);
    if (contents == nullptr) return paramErr;
    contents->Append({key, typeFloat, *value});
    return noErr;
}

OSErr NoteUnsupportedWrite() {
    EnterRoutine(HostCallback::kWriteOther);
    return paramErr;
}

OSErr PLUGIN_CALLBACK PutInteger(PIWriteDescriptor, DescriptorKeyID, int32_t) {
    return NoteUnsupportedWrite();
}
OSErr PLUGIN_CALLBACK PutUnitFloat(PIWriteDescriptor, DescriptorKeyID, DescriptorUnitID,
                                   const double*) {
    return NoteUnsupportedWrite();
}
OSErr PLUGIN_CALLBACK PutBoolean(PIWriteDescriptor, DescriptorKeyID, Boolean) {
    return NoteUnsupportedWrite();
}
OSErr PLUGIN_CALLBACK UnsupportedWrite() { return NoteUnsupportedWrite(); }

// ---- Action descriptor suite (version 2)

OSErr PLUGIN_CALLBACK MakeDescriptor(PIActionDescriptor* descriptor) {
    const RoutineCall call = EnterRoutine(HostCallback::kDescriptorMake);
    if (descriptor == nullptr) return paramErr;
    *descriptor = nullptr;
    if (call.fail) return memFullErr;
    *descriptor = call.host->scripting().MakeDescriptor();
    return noErr;
}

OSErr PLUGIN_CALLBACK FreeDescriptor(PIActionDescriptor descriptor) {
    const RoutineCall call = EnterRoutine(HostCallback::kDescriptorFree);
    if (call.host == nullptr) return paramErr;
    const bool freed = call.host->scripting().FreeDescriptor(descriptor);
    return call.fail || !freed ? paramErr : noErr;
}

OSErr PLUGIN_CALLBACK DescriptorPutFloat(PIActionDescriptor descriptor, DescriptorKeyID key,
                                         double value) {
    const RoutineCall call = EnterRoutine(HostCallback::kDescriptorPutFloat);
    if (call.fail) return memFullErr;
    Descriptor* contents = call.host->scripting().FindDescriptor(descriptor);
    if (contents == nullptr) return paramErr;
    contents->PutFloat(key, value);
    return noErr;
}

OSErr PLUGIN_CALLBACK DescriptorGetFloat(PIActionDescriptor descriptor, DescriptorKeyID key,
                                         double* value) {
    const RoutineCall call = EnterRoutine(HostCallback::kDescriptorGetFloat);
    if (call.fail || value == nullptr) return paramErr;
    const Descriptor* contents = call.host->scripting().FindDescriptor(descriptor);
    const std::optional<double> found = contents ? contents->GetFloat(key) : std::nullopt;
    if (!found) return paramErr;
    *value = *found;
    return noErr;
}

OSErr PLUGIN_CALLBACK DescriptorHasKey(PIActionDescriptor descriptor, DescriptorKeyID key,
                                       Boolean* hasKey) {
    const RoutineCall call = EnterRoutine(HostCallback::kDescriptorHasKey);
    if (call.fail || hasKey == nullptr) return paramErr;
    const Descriptor* contents = call.host->scripting().FindDescriptor(descriptor);
    if (contents == nullptr) return paramErr;
    *hasKey = contents->HasKey(key) ? 1 : 0;
    return noErr;
}

OSErr PLUGIN_CALLBACK UnsupportedDescriptorRoutine() {
    EnterRoutine(HostCallback::kDescriptorOther);
    return errPlugInHostInsufficient;
}

OSErr PLUGIN_CALLBACK DescriptorPutInteger(PIActionDescriptor, DescriptorKeyID, int32_t) {
    return UnsupportedDescriptorRoutine();
}

OSErr PLUGIN_CALLBACK DescriptorGetInteger(PIActionDescriptor, DescriptorKeyID, int32_t*) {
    return UnsupportedDescriptorRoutine();
}

const SuiteSlotProc kUnsupported = reinterpret_cast<SuiteSlotProc>(UnsupportedDescriptorRoutine);

// Slots in the order of the version 2 table.
const PSActionDescriptorProcs kActionDescriptorSuite = {
    MakeDescriptor,        // Make
    FreeDescriptor,        // Free
    kUnsupported,          // GetType
    kUnsupported,          // GetKey
    DescriptorHasKey,      // HasKey
    kUnsupported,          // GetCount
    kUnsupported,          // IsEqual
    kUnsupported,          // Erase
    kUnsupported,          // Clear
    DescriptorPutInteger,  // PutInteger
    DescriptorPutFloat,    // PutFloat
    kUnsupported,          // PutUnitFloat
    kUnsupported,          // PutString
    kUnsupported,          // PutBoolean
    kUnsupported,          // PutList
    kUnsupported,          // PutObject
    kUnsupported,          // PutGlobalObject
    kUnsupported,          // PutEnumerated
    kUnsupported,          // PutReference
    kUnsupported,          // PutClass
    kUnsupported,          // PutGlobalClass
    kUnsupported,          // PutAlias
    DescriptorGetInteger,  // GetInteger
    DescriptorGetFloat,    // GetFloat
    kUnsupported,          // GetUnitFloat
    kUnsupported,          // GetStringLength
    kUnsupported,          // GetString
    kUnsupported,          // GetBoolean
    kUnsupported,          // GetList
    kUnsupported,          // GetObject
    kUnsupported,          // GetGlobalObject
    kUnsupported,          // GetEnumerated
    kUnsupported,          // GetReference
    kUnsupported,          // GetClass
    kUnsupported,          // GetGlobalClass
    kUnsupported,          // GetAlias
    kUnsupported,          // HasKeys
    kUnsupported,          // PutIntegers
    kUnsupported,          // GetIntegers
    kUnsupported,          // AsHandle
    kUnsupported,          // HandleToDescriptor
    kUnsupported,          // PutZString
    kUnsupported,          // GetZString
    kUnsupported,          // PutData
    kUnsupported,          // GetDataLength
    kUnsupported,          // GetData
};

// ---- Descriptor registry suite (version 1)

OSErr PLUGIN_CALLBACK RegistryRegister(const char* key, PIActionDescriptor descriptor,
                                       Boolean persistent) {
    const RoutineCall call = EnterRoutine(HostCallback::kRegistryRegister);
    if (call.fail) return memFullErr;
    const Descriptor* contents = call.host->scripting().FindDescriptor(descriptor);
    if (key == nullptr || contents == nullptr) return paramErr;
    call.host->scripting().Register(key, *contents, persistent != 0);
    return noErr;
}

OSErr PLUGIN_CALLBACK RegistryErase(const char* key) {
    const RoutineCall call = EnterRoutine(HostCallback::kRegistryErase);
    if (call.fail || key == nullptr) return paramErr;
    call.host->scripting().Erase(key);
    return noErr;
}

// A key never registered yields no descriptor and no error.
OSErr PLUGIN_CALLBACK RegistryGet(const char* key, PIActionDescriptor* descriptor) {
    const RoutineCall call = EnterRoutine(HostCallback::kRegistryGet);
    if (descriptor == nullptr) return paramErr;
    *descriptor = nullptr;
    if (call.fail || key == nullptr) return paramErr;
    if (const ScriptingStore::RegistryEntry* entry = call.host->scripting().Lookup(key)) {
        *descriptor = call.host->scripting().MakeDescriptor(entry->descriptor);
    }
    return noErr;
}

const PSDescriptorRegistryProcs kRegistrySuite = {RegistryRegister, RegistryErase, RegistryGet};

// ---- Basic suite

SPErr PLUGIN_CALLBACK AcquireSuite(const char* name, int32_t version, const void** suite) {
    const RoutineCall call = EnterRoutine(HostCallback::kAcquireSuite);
    if (suite == nullptr) return kSPBadParameterError;
    *suite = nullptr;
    if (call.fail || name == nullptr) return kSPSuiteNotFoundError;
    if (std::strcmp(name, kPSDescriptorRegistrySuite) == 0 &&
        version == kPSDescriptorRegistrySuiteVersion) {
        *suite = &kRegistrySuite;
    } else if (std::strcmp(name, kPSActionDescriptorSuite) == 0 &&
               version == kPSActionDescriptorSuiteVersion) {
        *suite = &kActionDescriptorSuite;
    } else {
        return kSPSuiteNotFoundError;
    }
    call.host->scripting().NoteAcquired(name);
    return kSPNoError;
}

SPErr PLUGIN_CALLBACK ReleaseSuite(const char* name, int32_t /*version*/) {
    const RoutineCall call = EnterRoutine(HostCallback::kReleaseSuite);
    if (call.host == nullptr || name == nullptr) return kSPBadParameterError;
    const bool held = call.host->scripting().NoteReleased(name);
    return call.fail || !held ? kSPBadParameterError : kSPNoError;
}

SPBoolean PLUGIN_CALLBACK IsEqual(const char* first, const char* second) {
    EnterRoutine(HostCallback::kBasicOther);
    return first != nullptr && second != nullptr && std::strcmp(first, second) == 0;
}

SPErr PLUGIN_CALLBACK AllocateBlock(std::size_t size, void** block) {
    const RoutineCall call = EnterRoutine(HostCallback::kBasicOther);
    if (block == nullptr) return kSPBadParameterError;
    *block = call.fail ? nullptr : call.host->AllocateBlock(size);
    return *block != nullptr ? kSPNoError : kSPOutOfMemoryError;
}

SPErr PLUGIN_CALLBACK FreeBlock(void* block) {
    const RoutineCall call = EnterRoutine(HostCallback::kBasicOther);
    if (call.host == nullptr) return kSPBadParameterError;
    const bool freed = call.host->FreeBlock(block);
    return call.fail || !freed ? kSPBadParameterError : kSPNoError;
}

SPErr PLUGIN_CALLBACK ReallocateBlock(void* block, std::size_t size, void** newBlock) {
    const RoutineCall call = EnterRoutine(HostCallback::kBasicOther);
    if (newBlock == nullptr) return kSPBadParameterError;
    *newBlock = call.fail ? nullptr : call.host->ReallocateBlock(block, size);
    return *newBlock != nullptr ? kSPNoError : kSPOutOfMemoryError;
}

SPErr PLUGIN_CALLBACK Undefined() {
    EnterRoutine(HostCallback::kBasicOther);
    return kSPUnimplementedError;
}

}  // namespace

void InstallScriptingRoutines(ReadDescriptorProcs* readProcs, WriteDescriptorProcs* writeProcs,
                              SPBasicSuite* basicSuite) {
    const auto unsupportedRead = reinterpret_cast<SuiteSlotProc>(UnsupportedRead);
    *readProcs = {kCurrentReadDescriptorProcsVersion,
                  kCurrentReadDescriptorProcsCount,
                  OpenReadDescriptor,
                  CloseReadDescriptor,
                  GetKey,
                  GetInteger,
                  GetFloat,
                  GetUnitFloat,
                  GetBoolean,
                  unsupportedRead,
                  unsupportedRead,
                  unsupportedRead,
                  unsupportedRead,
                  unsupportedRead,
                  unsupportedRead,
                  unsupportedRead,
                  unsupportedRead,
                  GetPinnedInteger,
                  GetPinnedFloat,
                  unsupportedRead};
    const auto unsupportedWrite = reinterpret_cast<SuiteSlotProc>(UnsupportedWrite);
    *writeProcs = {kCurrentWriteDescriptorProcsVersion,
                   kCurrentWriteDescriptorProcsCount,
                   OpenWriteDescriptor,
                   CloseWriteDescriptor,
                   PutInteger,
                   PutFloat,
                   PutUnitFloat,
                   PutBoolean,
                   unsupportedWrite,
                   unsupportedWrite,
                   unsupportedWrite,
                   unsupportedWrite,
                   unsupportedWrite,
                   unsupportedWrite,
                   unsupportedWrite,
                   unsupportedWrite,
                   unsupportedWrite,
                   unsupportedWrite};
    *basicSuite = {AcquireSuite, ReleaseSuite,    IsEqual,  AllocateBlock,
                   FreeBlock,    ReallocateBlock, Undefined};
}
