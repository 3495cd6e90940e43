// A filter plug-in module as a host sees it: its property list, read from the
// file before any of its code runs, and its entry point.
#pragma once

#include <memory>
#include <string>

#include "app/pipl_parser.h"
#include "app/platform_module.h"
#include "interface/filter_record.h"

class PluginModule {
public:
    // Reads the property list, refuses anything but a filter, opens the module
    // and finds the entry point the list names. Null on failure, with the
    // reason in *error.
    static std::unique_ptr<PluginModule> Load(const std::string& path, std::string* error);

    const PiplInfo& properties() const { return properties_; }
    const std::string& path() const { return path_; }
    const std::string& entryPointName() const { return entryPointName_; }
    PluginEntryProc entry() const { return entry_; }

    // Any other exported symbol, or null.
    void* FindSymbol(const char* name) const { return library_.FindSymbol(name); }

    // Whether the filter may be offered for a document of this mode and depth:
    // its image-mode flags must include the mode, and its enable condition,
    // where it has one the host understands, must hold. On refusal *reason
    // says why.
    bool AcceptsDocument(int16_t imageMode, int32_t depth, std::string* reason) const;

private:
    PluginModule() = default;

    std::string path_;
    PiplInfo properties_;
    std::string entryPointName_;
    NativeLibrary library_;
    PluginEntryProc entry_ = nullptr;
};
