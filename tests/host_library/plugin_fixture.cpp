#include "tests/host_library/plugin_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "engine/noise_reducer.h"
#include "tests/support/value_reference.h"
#include "tools/sample_image/sample_image.h"

#ifndef LUMISTRA_TESTABLE_MODULE
#error "LUMISTRA_TESTABLE_MODULE must name the testable plug-in module"
#endif

namespace {

constexpr int32_t kEngineStartLevel = 1;
constexpr int32_t kEngineMaxLevel = 5;

void* AllocateZeroed(uint32_t size) { return std::calloc(size == 0 ? 1 : size, 1); }

template <class Function>
Function Find(const PluginModule& module, const char* name) {
    void* symbol = module.FindSymbol(name);
    if (symbol == nullptr) {
        ADD_FAILURE() << "the testable module does not export " << name;
        std::abort();
    }
    return reinterpret_cast<Function>(symbol);
}

std::vector<uint8_t> FilterRegion(const Document& document, int plane,
                                  const EngineParameters& parameters) {
    const Rect& area = document.filterRect;
    const uint32_t width = static_cast<uint32_t>(area.right - area.left);
    const uint32_t height = static_cast<uint32_t>(area.bottom - area.top);
    std::vector<uint8_t> input(static_cast<std::size_t>(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            input[y * width + x] = document.At(plane, area.left + static_cast<int32_t>(x),
                                               area.top + static_cast<int32_t>(y));
        }
    }
    std::vector<uint8_t> output(input.size());
    NoiseReducer engine(AllocateZeroed, std::free);
    const bool failed = engine.ProcessPlane(input.data(), output.data(), width, height,
                                            parameters.hiStrength, parameters.loStrength,
                                            parameters.clarity, kEngineStartLevel, kEngineMaxLevel);
    EXPECT_FALSE(failed) << "the engine could not filter the expected plane";
    return output;
}

}  // namespace

EngineParameters ConvertAmounts(const Amounts& amounts) {
    return {ReferenceStrength(amounts.high), ReferenceStrength(amounts.low),
            ReferenceClarity(amounts.clarity)};
}

Document MakePhoto(ColourMode mode, int32_t width, int32_t height, uint32_t seed) {
    Document document(mode, width, height);
    const uint32_t w = static_cast<uint32_t>(width);
    const uint32_t h = static_cast<uint32_t>(height);
    const lumistra::SampleChannel channels[] = {lumistra::SampleChannel::Red,
                                                lumistra::SampleChannel::Green,
                                                lumistra::SampleChannel::Blue};
    for (int plane = 0; plane < document.PlaneCount(); ++plane) {
        if (plane < 3) {
            const std::vector<uint8_t> samples =
                lumistra::MakeSamplePlane(w, h, channels[plane], seed);
            document.Plane(plane).assign(samples.begin(), samples.end());
            continue;
        }
        // Alpha or black: a diagonal ramp, easy to recognise if it were touched.
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                document.At(plane, x, y) = static_cast<uint8_t>((x + 2 * y) % 256);
            }
        }
    }
    return document;
}

Document EngineResult(const Document& original, const Amounts& amounts) {
    Document result = original;
    const EngineParameters parameters = ConvertAmounts(amounts);
    const Rect& area = original.filterRect;
    const int32_t width = area.right - area.left;
    const int colourPlanes = std::min<int>(original.PlaneCount(), 3);
    for (int plane = 0; plane < colourPlanes; ++plane) {
        const std::vector<uint8_t> filtered = FilterRegion(original, plane, parameters);
        for (int32_t y = area.top; y < area.bottom; ++y) {
            for (int32_t x = area.left; x < area.right; ++x) {
                const uint32_t value =
                    filtered[static_cast<std::size_t>(y - area.top) * width + (x - area.left)];
                uint32_t weight = 255;
                if (original.selectionMask) {
                    weight =
                        (*original
                              .selectionMask)[static_cast<std::size_t>(y) * original.width() + x];
                }
                const uint32_t before = original.At(plane, x, y);
                result.At(plane, x, y) =
                    static_cast<uint8_t>((value * weight + before * (255 - weight) + 127) / 255);
            }
        }
    }
    return result;
}

std::size_t DifferingSamples(const Document& a, const Document& b) {
    std::size_t differing = 0;
    for (int plane = 0; plane < a.PlaneCount(); ++plane) {
        const PixelBytes& first = a.Plane(plane);
        const PixelBytes& second = b.Plane(plane);
        for (std::size_t i = 0; i < first.size(); ++i) differing += first[i] != second[i];
    }
    return differing;
}

const PluginModule& PluginTest::Module() {
    static const std::unique_ptr<PluginModule> module = [] {
        std::string error;
        std::unique_ptr<PluginModule> loaded = PluginModule::Load(LUMISTRA_TESTABLE_MODULE, &error);
        if (!loaded) {
            ADD_FAILURE() << error;
            std::abort();
        }
        return loaded;
    }();
    return *module;
}

const PluginSeams& PluginTest::Seams() {
    static const PluginSeams seams = [] {
        const PluginModule& module = Module();
        return PluginSeams{
            Find<void (*)()>(module, "LumistraTestReset"),
            Find<void (*)(int)>(module, "LumistraTestSetDialogAnswer"),
            Find<void (*)(float, float, float)>(module, "LumistraTestSetDialogValues"),
            Find<void (*)(int, int)>(module, "LumistraTestSetScreenSize"),
            Find<int (*)()>(module, "LumistraTestDialogCount"),
            Find<int (*)()>(module, "LumistraTestMessageCount"),
            Find<const char* (*)()>(module, "LumistraTestLastCaption"),
            Find<const char* (*)()>(module, "LumistraTestLastMessage"),
            Find<int (*)()>(module, "LumistraTestLiveBlockCount"),
        };
    }();
    return seams;
}

void PluginTest::SetUp() {
    Seams().reset();
    Seams().setDialogAnswer(kDialogOk);
    Seams().setScreenSize(1920, 1080);
}

void PluginTest::TearDown() { EXPECT_EQ(Seams().liveBlockCount(), 0); }

HostOptions PluginTest::Unchecked(HostOptions options) {
    options.enforceModes = false;
    return options;
}
