#include "engine/img_class.h"
#include "engine/running_extreme.h"

// 19x19 running maximum (radius 9).
void tImgClass::MaxFilter(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                          uint8_t* /*tempMem*/, uint32_t /*tempSize*/, uint32_t /*flags*/) const {
    running_extreme::FilterPlane<9, running_extreme::AtLeast>(src, width, height, dest);
}

// Byte samples have no packed variant: the result never depends on the processor.
void tImgClass::MaxFilterSimd(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                              uint8_t* tempMem, uint32_t tempSize, uint32_t flags) const {
    MaxFilter(src, width, height, dest, tempMem, tempSize, flags);
}
