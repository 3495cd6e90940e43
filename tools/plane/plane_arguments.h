#pragma once

#include <cstdint>
#include <string>

namespace lumistra {

// What one run of lumistra-plane is asked to do.
struct PlaneArguments {
    std::string inputPath;
    std::string outputPath;
    uint32_t width = 0;
    uint32_t height = 0;
    float hiStrength = 0.0f;
    float loStrength = 0.0f;
    float clarity = 0.0f;
    int32_t startLevel = 0;
    int32_t maxLevel = 0;
    std::string dumpDirectory;  // empty: no dump
    bool helpRequested = false;
};

extern const char* const kPlaneUsage;

// Reads the command line (without the program name). Returns an empty string on
// success, else a one-line description of the first problem.
std::string ParsePlaneArguments(int argc, const char* const* argv, PlaneArguments& arguments);

}  // namespace lumistra
