#include "tests/dispatch/dispatch_support.h"

#include "tests/support/test_random.h"

namespace dispatch_test {

std::vector<KernelPath> WidePaths() {
    std::vector<KernelPath> paths;
    for (KernelPath path : {KernelPath::kSse2, KernelPath::kAvx2})
        if (KernelTableFor(path) != nullptr && KernelPathSupported(path)) paths.push_back(path);
    return paths;
}

std::string PathName(KernelPath path) { return KernelPathName(path); }

std::vector<uint8_t> MakePlane(uint32_t width, uint32_t height, Content content, uint32_t seed) {
    lumistra_test::TestRandom random(seed * 7919u + width * 31u + height);
    std::vector<uint8_t> plane(size_t(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t& sample = plane[size_t(y) * width + x];
            switch (content) {
                case Content::kNoise:
                    sample = random.Byte();
                    break;
                case Content::kTies:
                    sample = uint8_t(100 + random.Below(3));
                    break;
                case Content::kGradient: {
                    const uint32_t base = (x * 3 + y * 5) & 255;
                    sample = random.Below(23) == 0 ? random.Byte() : uint8_t(base);
                    break;
                }
            }
        }
    }
    return plane;
}

std::vector<Size> SweepSizes() {
    std::vector<Size> sizes;
    for (uint32_t height = 1; height <= 8; ++height)
        for (uint32_t width = 1; width <= 94; ++width) sizes.push_back({width, height});
    for (Size size : {Size{9, 97}, Size{95, 23}, Size{127, 9}, Size{257, 31}, Size{1031, 13},
                      Size{33, 301}, Size{1, 77}, Size{2049, 5}})
        sizes.push_back(size);
    return sizes;
}

std::string FirstDifference(const std::vector<uint8_t>& expected,
                            const std::vector<uint8_t>& actual) {
    if (expected.size() != actual.size()) return "sizes differ";
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] != actual[i])
            return "index " + std::to_string(i) + ": " + std::to_string(expected[i]) +
                   " != " + std::to_string(actual[i]);
    }
    return "";
}

}  // namespace dispatch_test
