#include "engine/img_class.h"
#include "engine/running_extreme.h"

// 17x17 running minimum (radius 8).
void tImgClass::MinFilter(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                          uint8_t* /*tempMem*/, uint32_t /*tempSize*/, uint32_t /*flags*/) const {
    running_extreme::FilterPlane<8, running_extreme::AtMost>(src, width, height, dest);
}

// Byte samples have no packed variant: the result never depends on the processor.
void tImgClass::MinFilterSimd(const uint8_t* src, uint32_t width, uint32_t height, uint8_t* dest,
                              uint8_t* tempMem, uint32_t tempSize, uint32_t flags) const {
    MinFilter(src, width, height, dest, tempMem, tempSize, flags);
}
