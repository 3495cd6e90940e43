#include "engine/img_class.h"
#include "engine/running_extreme.h"

// 19x19 running maximum (radius 9).
void tImgClass::MaxFilter(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                          uint8_t* /*tempMem*/, uint32_t /*tempSize*/, uint32_t /*flags*/) const {
    running_extreme::FilterPlane<9, running_extreme::AtLeast>(src, width, height, dest);
}

// For byte samples the dispatcher is MaxFilter itself. The engine's vector paths have their
// own running extremes (running_extreme_simd.inl), with the same bytes.
void tImgClass::MaxFilterSimd(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                              uint8_t* tempMem, uint32_t tempSize, uint32_t callFlags) const {
    MaxFilter(src, width, height, dest, tempMem, tempSize, callFlags);
}
