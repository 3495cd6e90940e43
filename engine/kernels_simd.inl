// The vector kernels and the one builder of a path's table, included inside an anonymous
// namespace by each instruction-set file after its vector types. Needs <cstring>,
// <cstdint>, engine_assert.h, kernel_paths.h, median_columns.h, sample_ops.h and sample_ramps.h.

// Each builds on the ones before it.
// clang-format off
#include "engine/simd_common.inl"
#include "engine/median_filter_simd.inl"
#include "engine/running_extreme_simd.inl"
#include "engine/sample_ops_simd.inl"
#include "engine/level_stages_simd.inl"
#include "engine/downsample_simd.inl"
#include "engine/upsample_simd.inl"
#include "engine/level_sweep_simd.inl"
// clang-format on

// The table of a path whose widest byte vector is Wide, with Narrow for planes too narrow
// for it and Doubles for the sums. Every member is set by its name, so that two members of
// the same type cannot change places unnoticed.
template <class Wide, class Narrow, class Doubles>
constexpr KernelTable MakeKernelTable(KernelPath path) {
    KernelTable table = {};
    table.path = path;
    table.median = MedianPlane<Wide, Narrow>;
    table.runningMax = ExtremePlane<Wide, 9, true>;
    table.runningMin = ExtremePlane<Wide, 8, false>;
    table.medianDifferenceMax = MedianDifferenceMaxPlane<Wide, Narrow>;
    table.minimumBlend = MinimumBlendWithTable<Wide>;
    table.downsample = DownsamplePlane<Wide>;
    table.upsample = UpsamplePlane<Wide>;
    table.absDifference = AbsDifferenceWith<Wide>;
    table.blendByWeight = BlendByWeightWith<Wide>;
    table.lookUp = LookUpWith<Wide>;
    table.combineDetail = CombineDetailWith<Doubles, Wide>;
    table.combineDetailWithCoarse = CombineDetailWithCoarseWith<Doubles, Wide>;
    table.combineOutput = CombineOutputWith<Doubles>;
    table.minimumBlendRamp = MinimumBlendWithRamp<Wide>;
    table.combineOutputRamp = CombineOutputRampWith<Wide>;
    table.levelSweep = LevelSweepWith<Wide, Narrow>;
    table.upsampleCombineOutput = UpsampleCombineOutputWith<Wide, Doubles>;
    return table;
}
