#include "tools/plane/image_dump.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "tools/support/netpbm.h"

namespace lumistra {

ImageDump::ImageDump(std::string directory) : directory_(std::move(directory)) {}

std::string ImageDump::Prepare() const {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    if (error) return "cannot create dump folder " + directory_ + ": " + error.message();
    if (!std::filesystem::is_directory(directory_, error))
        return "dump folder " + directory_ + " is not a folder";
    return {};
}

void ImageDump::Install(tImgClass& kernels) { kernels.SetImageObserver(&Observe, this); }

void ImageDump::Observe(void* context, const uint8_t* image, uint32_t width, uint32_t height,
                        const char* name, int, int, float, int32_t level) {
    static_cast<ImageDump*>(context)->Write(image, width, height, name, level);
}

void ImageDump::Write(const uint8_t* image, uint32_t width, uint32_t height, const char* name,
                      int32_t level) {
    if (!problem_.empty()) return;
    std::string safeName = name;
    for (char& c : safeName)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    char fileName[96];
    std::snprintf(fileName, sizeof fileName, "%03u-%.40s-L%d-%ux%u.pgm", sequence_++,
                  safeName.c_str(), int(level), unsigned(width), unsigned(height));
    problem_ =
        WritePgm((std::filesystem::path(directory_) / fileName).string(), image, width, height);
}

}  // namespace lumistra
