#include "engine/img_class.h"
#include "engine/running_extreme.h"

// 17x17 running minimum (radius 8).
void tImgClass::MinFilter(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                          uint8_t* /*tempMem*/, uint32_t /*tempSize*/, uint32_t /*flags*/) const {
    running_extreme::FilterPlane<8, running_extreme::AtMost>(src, width, height, dest);
}

// For byte samples the dispatcher is MinFilter itself. The engine's vector paths have their
// own running extremes (running_extreme_simd.inl), with the same bytes.
void tImgClass::MinFilterSimd(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                              uint8_t* tempMem, uint32_t tempSize, uint32_t callFlags) const {
    MinFilter(src, width, height, dest, tempMem, tempSize, callFlags);
}
