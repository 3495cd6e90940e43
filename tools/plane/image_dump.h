#pragma once

#include <cstdint>
#include <string>

#include "engine/img_class.h"

namespace lumistra {

// Writes every image the engine names into one folder as a binary PGM holding the
// image's bytes unchanged, named "NNN-<name>-L<level>-<width>x<height>.pgm" with a
// sequence number first so that a listing shows the pipeline's order.
class ImageDump {
public:
    explicit ImageDump(std::string directory);

    // Creates the folder when missing; returns an empty string or the problem.
    std::string Prepare() const;
    void Install(tImgClass& kernels);
    // The first write failure, or an empty string; later images are skipped after one.
    const std::string& Problem() const { return problem_; }

private:
    static void Observe(void* context, const uint8_t* image, uint32_t width, uint32_t height,
                        const char* name, int zeroValue, int displayBias, float scale,
                        int32_t level);
    void Write(const uint8_t* image, uint32_t width, uint32_t height, const char* name,
               int32_t level);

    std::string directory_;
    unsigned sequence_ = 0;
    std::string problem_;
};

}  // namespace lumistra
