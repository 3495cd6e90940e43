#include "app/cli/action_file.h"

#include <nlohmann/json.hpp>

#include "app/cli/atomic_output.h"
#include "app/cli/descriptor_json.h"
#include "app/cli/file_bytes.h"

namespace {

std::string EventOf(const PiplInfo& filter) {
    return filter.terminology ? FourCharCode(filter.terminology->eventId) : std::string();
}

}  // namespace

std::string WriteActionFile(const std::string& path, const PiplInfo& filter,
                            const Descriptor& recorded) {
    nlohmann::json action = {{"filter", filter.name},
                             {"event", EventOf(filter)},
                             {"descriptor", DescriptorToJson(recorded)}};
    const std::string text = action.dump(2) + "\n";
    const WriteResult result = WriteFileAtomically(
        path, std::vector<uint8_t>(text.begin(), text.end()), [] { return true; });
    return result.outcome == WriteOutcome::kWritten ? std::string() : result.problem;
}

Descriptor ReadActionFile(const std::string& path, const PiplInfo& filter, std::string* problem) {
    std::vector<uint8_t> bytes;
    *problem = ReadWholeFile(path, &bytes);
    if (!problem->empty()) return {};
    nlohmann::json action;
    try {
        action = nlohmann::json::parse(bytes.begin(), bytes.end());
    } catch (const nlohmann::json::out_of_range&) {
        // Valid JSON, but with a number no double can hold, such as 1e999.
        *problem = "holds a number too large to be a value";
        return {};
    } catch (const nlohmann::json::exception&) {
        action = nlohmann::json();
    }
    if (!action.is_object()) {
        *problem = "is not a JSON object";
        return {};
    }
    if (!action.contains("descriptor")) {
        *problem = "holds no \"descriptor\"";
        return {};
    }
    const std::string expectedEvent = EventOf(filter);
    if (action.contains("event") && !expectedEvent.empty() && action["event"] != expectedEvent) {
        *problem = "was recorded for another filter (event " + action["event"].dump() +
                   ", this filter's is \"" + expectedEvent + "\")";
        return {};
    }
    return DescriptorFromJson(action["descriptor"], problem);
}
