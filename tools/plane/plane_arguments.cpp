#include "tools/plane/plane_arguments.h"

#include <vector>

#include "app/cli/strict_number.h"

namespace lumistra {

const char* const kPlaneUsage =
    "lumistra-plane IN.raw OUT.raw WIDTH HEIGHT HI LO CLARITY START_LEVEL MAX_LEVEL "
    "[--dump DIR]";

namespace {

constexpr size_t kPositionalCount = 9;

std::string Problem(const char* name, const std::string& token, const std::string& reason) {
    return std::string(name) + " \"" + token + "\" " + reason;
}

}  // namespace

std::string ParsePlaneArguments(int argc, const char* const* argv, PlaneArguments& arguments) {
    std::vector<std::string> positional;
    for (int i = 0; i < argc; ++i) {
        std::string token = argv[i];
        if (token == "--help" || token == "-h") {
            arguments.helpRequested = true;
            return {};
        }
        if (token == "--dump") {
            if (i + 1 == argc) return "--dump needs a folder";
            arguments.dumpDirectory = argv[++i];
            if (arguments.dumpDirectory.empty()) return "--dump needs a folder";
            continue;
        }
        // Negative numbers ("-1", "-.5") are values, not options.
        bool looksLikeOption = token.size() > 1 && token[0] == '-' &&
                               !(token[1] >= '0' && token[1] <= '9') && token[1] != '.';
        if (looksLikeOption) return "unknown option " + token;
        positional.push_back(token);
    }
    if (positional.size() != kPositionalCount)
        return "expected " + std::to_string(kPositionalCount) + " arguments, got " +
               std::to_string(positional.size()) + " (usage: " + kPlaneUsage + ")";

    arguments.inputPath = positional[0];
    arguments.outputPath = positional[1];
    std::string reason;
    if (!(reason = ParseCount(positional[2], arguments.width)).empty())
        return Problem("WIDTH", positional[2], reason);
    if (!(reason = ParseCount(positional[3], arguments.height)).empty())
        return Problem("HEIGHT", positional[3], reason);
    if (!(reason = ParseDecimalFloat(positional[4], arguments.hiStrength)).empty())
        return Problem("HI", positional[4], reason);
    if (!(reason = ParseDecimalFloat(positional[5], arguments.loStrength)).empty())
        return Problem("LO", positional[5], reason);
    if (!(reason = ParseDecimalFloat(positional[6], arguments.clarity)).empty())
        return Problem("CLARITY", positional[6], reason);
    if (!(reason = ParseInt32(positional[7], arguments.startLevel)).empty())
        return Problem("START_LEVEL", positional[7], reason);
    if (!(reason = ParseInt32(positional[8], arguments.maxLevel)).empty())
        return Problem("MAX_LEVEL", positional[8], reason);
    // The engine counts a plane's samples in 32 bits.
    if (uint64_t(arguments.width) * arguments.height > UINT32_MAX)
        return "WIDTH x HEIGHT = " + std::to_string(uint64_t(arguments.width) * arguments.height) +
               " samples, more than the " + std::to_string(UINT32_MAX) + " a plane can hold";
    return {};
}

}  // namespace lumistra
