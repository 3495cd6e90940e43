// Decodes a property list ("PIPL" bytes, little-endian as stored in a
// module) into the facts a host needs to list and load a filter. The input
// is untrusted: any length that leaves the buffer makes the parse fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "interface/property_list.h"

struct PiplTerminology {
    DescriptorClassID classId = 0;
    DescriptorEventID eventId = 0;
    int16_t terminologyId = 0;  // id of the terminology resource
    std::string uniqueId;       // the scope string
};

// Properties that are absent keep their empty defaults. Properties of other
// vendors and unknown keys are skipped; of a repeated key the last one counts.
struct PiplInfo {
    OSType kind = 0;
    std::string name;
    std::string category;
    int32_t version = 0;  // major << 16 | minor
    std::string entryPointX86;
    std::string entryPointX64;
    std::vector<uint8_t> modeFlags;
    std::string enableExpression;
    std::vector<FilterCaseInfo> filterCases;  // entry i describes filterCase i + 1
    std::optional<PiplTerminology> terminology;

    bool SupportsImageMode(int16_t imageMode) const;
    // The entry-point name for a module of the running process's pointer size.
    const std::string& NativeEntryPoint() const;
};

std::optional<PiplInfo> ParsePipl(const uint8_t* data, std::size_t size);
