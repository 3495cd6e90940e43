#include "app/scripting_store.h"

PIActionDescriptor ScriptingStore::MakeDescriptor(const Descriptor& contents) {
    auto object = std::make_unique<Descriptor>(contents);
    const auto key = KeyOf<PIActionDescriptor>(object);
    descriptors_[key] = std::move(object);
    return key;
}

Descriptor* ScriptingStore::FindDescriptor(PIActionDescriptor descriptor) {
    const auto found = descriptors_.find(descriptor);
    if (found != descriptors_.end()) return found->second.get();
    ++misuse_;
    return nullptr;
}

bool ScriptingStore::FreeDescriptor(PIActionDescriptor descriptor) {
    if (descriptors_.erase(descriptor) != 0) return true;
    ++misuse_;
    return false;
}

void ScriptingStore::Register(const std::string& key, const Descriptor& descriptor,
                              bool persistent) {
    registry_[key] = {descriptor, persistent};
}

const ScriptingStore::RegistryEntry* ScriptingStore::Lookup(const std::string& key) const {
    const auto found = registry_.find(key);
    return found == registry_.end() ? nullptr : &found->second;
}

bool ScriptingStore::Erase(const std::string& key) { return registry_.erase(key) != 0; }

PIReadDescriptor ScriptingStore::OpenReader(const Descriptor& descriptor,
                                            DescriptorKeyID* expectedKeys) {
    auto session = std::make_unique<ReadSession>();
    session->descriptor = descriptor;
    session->expectedKeys = expectedKeys;
    const auto key = KeyOf<PIReadDescriptor>(session);
    readers_[key] = std::move(session);
    return key;
}

ScriptingStore::ReadSession* ScriptingStore::FindReader(PIReadDescriptor reader) {
    const auto found = readers_.find(reader);
    if (found != readers_.end()) return found->second.get();
    ++misuse_;
    return nullptr;
}

std::optional<OSErr> ScriptingStore::CloseReader(PIReadDescriptor reader) {
    const auto found = readers_.find(reader);
    if (found == readers_.end()) {
        ++misuse_;
        return std::nullopt;
    }
    const OSErr sticky = found->second->stickyError;
    readers_.erase(found);
    return sticky;
}

PIWriteDescriptor ScriptingStore::OpenWriter() {
    auto contents = std::make_unique<Descriptor>();
    const auto key = KeyOf<PIWriteDescriptor>(contents);
    writers_[key] = std::move(contents);
    return key;
}

Descriptor* ScriptingStore::FindWriter(PIWriteDescriptor writer) {
    const auto found = writers_.find(writer);
    if (found != writers_.end()) return found->second.get();
    ++misuse_;
    return nullptr;
}

std::optional<Descriptor> ScriptingStore::CloseWriter(PIWriteDescriptor writer) {
    const auto found = writers_.find(writer);
    if (found == writers_.end()) {
        ++misuse_;
        return std::nullopt;
    }
    Descriptor contents = std::move(*found->second);
    writers_.erase(found);
    return contents;
}

bool ScriptingStore::NoteReleased(const std::string& suite) {
    const auto found = acquired_.find(suite);
    if (found == acquired_.end() || found->second == 0) {
        ++misuse_;
        return false;
    }
    --found->second;
    return true;
}

std::size_t ScriptingStore::HeldSuiteCount() const {
    std::size_t held = 0;
    for (const auto& entry : acquired_) held += entry.second;
    return held;
}
