// The host's scripting objects: action descriptors handed out through the
// action descriptor suite, the registry of last-used values, the sessions
// that read or write descriptor parameters, and the suites a plug-in has
// acquired. Opaque references given to the plug-in are addresses of objects
// kept here, so an unknown one is recognised instead of followed.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/descriptor.h"
#include "interface/host_suites.h"
#include "interface/pica_suites.h"

class ScriptingStore {
public:
    // ---- Action descriptors
    PIActionDescriptor MakeDescriptor(const Descriptor& contents = {});
    Descriptor* FindDescriptor(PIActionDescriptor descriptor);
    bool FreeDescriptor(PIActionDescriptor descriptor);
    std::size_t LiveDescriptorCount() const { return descriptors_.size(); }

    // ---- Registry of last-used values
    struct RegistryEntry {
        Descriptor descriptor;
        bool persistent = false;  // the plug-in allowed keeping it across sessions
    };
    void Register(const std::string& key, const Descriptor& descriptor, bool persistent);
    const RegistryEntry* Lookup(const std::string& key) const;
    const std::map<std::string, RegistryEntry>& registry() const { return registry_; }
    bool Erase(const std::string& key);

    // ---- Reading descriptor parameters
    struct ReadSession {
        Descriptor descriptor;
        std::size_t next = 0;                     // index of the next key to hand out
        const DescriptorItem* current = nullptr;  // the key last handed out
        DescriptorKeyID* expectedKeys = nullptr;  // zero-terminated; zeroed as keys are read
        OSErr stickyError = 0;                    // the worst error met while reading
    };
    PIReadDescriptor OpenReader(const Descriptor& descriptor, DescriptorKeyID* expectedKeys);
    ReadSession* FindReader(PIReadDescriptor reader);
    // Empty when the reader is unknown; otherwise its sticky error.
    std::optional<OSErr> CloseReader(PIReadDescriptor reader);

    // ---- Writing descriptor parameters
    PIWriteDescriptor OpenWriter();
    Descriptor* FindWriter(PIWriteDescriptor writer);
    std::optional<Descriptor> CloseWriter(PIWriteDescriptor writer);

    std::size_t OpenSessionCount() const { return readers_.size() + writers_.size(); }

    // ---- Suites acquired through the basic suite
    void NoteAcquired(const std::string& suite) { ++acquired_[suite]; }
    // False when the suite is not held.
    bool NoteReleased(const std::string& suite);
    std::size_t HeldSuiteCount() const;

    // References the store never handed out, or already gave back.
    uint32_t MisuseCount() const { return misuse_; }
    void NoteMisuse() { ++misuse_; }

private:
    template <class Key, class Value>
    static Key KeyOf(const std::unique_ptr<Value>& object) {
        return reinterpret_cast<Key>(object.get());
    }

    std::map<PIActionDescriptor, std::unique_ptr<Descriptor>> descriptors_;
    std::map<std::string, RegistryEntry> registry_;
    std::map<PIReadDescriptor, std::unique_ptr<ReadSession>> readers_;
    std::map<PIWriteDescriptor, std::unique_ptr<Descriptor>> writers_;
    std::map<std::string, std::size_t> acquired_;
    uint32_t misuse_ = 0;
};
