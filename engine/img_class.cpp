#include "engine/img_class.h"

#include <cstring>

void tImgClass::CopyBytes(const uint8_t* src, uint8_t* dest, size_t count) const {
    if (count != 0 && src != dest) std::memmove(dest, src, count);
}

void tImgClass::NameImage(const uint8_t* image, uint32_t width, uint32_t height, const char* name,
                          int zeroValue, int displayBias, float scale, int32_t level) const {
    if (observer_ != nullptr)
        observer_(observerContext_, image, width, height, name, zeroValue, displayBias, scale,
                  level);
}

void tImgClass::SetImageObserver(ImageObserver observer, void* context) {
    observer_ = observer;
    observerContext_ = context;
}
