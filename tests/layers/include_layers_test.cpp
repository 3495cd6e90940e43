// The include lines of the whole tree against the table of layers, and the
// table itself on the edges that matter.
#include "tests/layers/include_layers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
TEST(IncludeLayersTest, EveryIncludeOfTheTreeRunsDownTheLayers) {
    const std::vector<IncludeLine> includes = ReadIncludeLines(LUMISTRA_SOURCE_DIR);
    // A tree read wrongly (no folders found) would pass with nothing to check.
    ASSERT_GT(includes.size(), 400u);
    for (const std::string& problem : FindWrongWayIncludes(LUMISTRA_SOURCE_DIR, includes)) {
        ADD_FAILURE() << problem;
    }
}

TEST(IncludeLayersTest, FilesBelongToTheLayerOfTheirFolder) {
    EXPECT_EQ(LayerOf("interface/filter_record.h"), Layer::Interface);
    EXPECT_EQ(LayerOf("resources/version_info.h"), Layer::Resources);
    EXPECT_EQ(LayerOf("engine/engine_values.h"), Layer::EngineValues);
    EXPECT_EQ(LayerOf("engine/noise_reducer.h"), Layer::Engine);
    EXPECT_EQ(LayerOf("host/plugin_main.cpp"), Layer::Plugin);
    EXPECT_EQ(LayerOf("app/filter_host.h"), Layer::HostLibrary);
    EXPECT_EQ(LayerOf("app/cli/main.cpp"), Layer::CommandLine);
    EXPECT_EQ(LayerOf("gimp/gtk2/gtk2_dialog_view.h"), Layer::GimpPlugin);
    EXPECT_EQ(LayerOf("bench/kernel_bench.cpp"), Layer::Above);
    EXPECT_EQ(LayerOf("build/resources/version_info.h"), Layer::Unknown);
}

TEST(IncludeLayersTest, OnlyTheLayersAboveMayReachUp) {
    EXPECT_TRUE(MayInclude(Layer::Plugin, Layer::Engine));
    EXPECT_TRUE(MayInclude(Layer::Plugin, Layer::Ui));
    EXPECT_TRUE(MayInclude(Layer::Ui, Layer::EngineValues));
    EXPECT_TRUE(MayInclude(Layer::Engine, Layer::EngineValues));
    EXPECT_TRUE(MayInclude(Layer::CommandLine, Layer::HostLibrary));
    EXPECT_TRUE(MayInclude(Layer::Above, Layer::Above));

    EXPECT_FALSE(MayInclude(Layer::Engine, Layer::Plugin));
    EXPECT_FALSE(MayInclude(Layer::Ui, Layer::Plugin));
    EXPECT_FALSE(MayInclude(Layer::EngineValues, Layer::Engine));
    EXPECT_FALSE(MayInclude(Layer::Resources, Layer::Engine));
    EXPECT_FALSE(MayInclude(Layer::Interface, Layer::Resources));
    // The two sides of the interface know each other only through it.
    EXPECT_FALSE(MayInclude(Layer::HostLibrary, Layer::Plugin));
    EXPECT_FALSE(MayInclude(Layer::Plugin, Layer::HostLibrary));
    EXPECT_FALSE(MayInclude(Layer::HostLibrary, Layer::Resources));
    EXPECT_FALSE(MayInclude(Layer::HostLibrary, Layer::CommandLine));
    // The GIMP plug-in is a host: the dialog model's words, never the plug-in's code.
    EXPECT_TRUE(MayInclude(Layer::GimpPlugin, Layer::Ui));
    EXPECT_TRUE(MayInclude(Layer::GimpPlugin, Layer::CommandLine));
    EXPECT_FALSE(MayInclude(Layer::GimpPlugin, Layer::Plugin));
    EXPECT_FALSE(MayInclude(Layer::GimpPlugin, Layer::Engine));
    EXPECT_FALSE(MayInclude(Layer::Ui, Layer::GimpPlugin));
    EXPECT_FALSE(MayInclude(Layer::CommandLine, Layer::GimpPlugin));
    for (Layer below :
         {Layer::Interface, Layer::Resources, Layer::EngineValues, Layer::Engine, Layer::Ui,
          Layer::Plugin, Layer::HostLibrary, Layer::CommandLine, Layer::GimpPlugin}) {
        EXPECT_FALSE(MayInclude(below, Layer::Above)) << LayerName(below);
        EXPECT_FALSE(MayInclude(below, Layer::Unknown)) << LayerName(below);
    }
}
}  // namespace
