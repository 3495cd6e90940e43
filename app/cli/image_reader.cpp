#include "app/cli/image_reader.h"

namespace {

bool IsCmyk(const OIIO::ImageSpec& imageSpec) {
    const std::string jpeg = imageSpec.get_string_attribute("jpeg:ColorSpace");
    if (jpeg == "CMYK" || jpeg == "YCbCrK") return true;
    return imageSpec.get_string_attribute("tiff:ColorSpace") == "CMYK" ||
           imageSpec.get_int_attribute("tiff:PhotometricInterpretation", 0) == 5;
}

ColourModel ModelOf(const OIIO::ImageSpec& imageSpec) {
    if (IsCmyk(imageSpec)) return ColourModel::kCmyk;
    switch (imageSpec.nchannels) {
        case 1: return ColourModel::kGrey;
        case 2: return imageSpec.alpha_channel == 1 ? ColourModel::kGreyAlpha : ColourModel::kOther;
        case 3: return ColourModel::kRgb;
        case 4: return imageSpec.alpha_channel == 3 ? ColourModel::kRgba : ColourModel::kOther;
        default: return ColourModel::kOther;
    }
}

}  // namespace

std::string FirstLine(const std::string& text) {
    const std::size_t end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end);
}

std::string ImageReader::Open(const std::string& path) {
    OIIO::ImageSpec config;
    // The colour planes as stored: a filter must not see them multiplied by alpha.
    config.attribute("oiio:UnassociatedAlpha", 1);
    input_ = OIIO::ImageInput::open(path, &config);
    if (!input_) return FirstLine(OIIO::geterror());

    const OIIO::ImageSpec& imageSpec = input_->spec();
    header_ = ImageHeader{};
    header_.width = imageSpec.width;
    header_.height = imageSpec.height;
    header_.channels = imageSpec.nchannels;
    header_.model = ModelOf(imageSpec);
    header_.bitsPerSample = static_cast<int>(imageSpec.format.size() * 8);
    header_.floatingPoint = imageSpec.format.is_floating_point();
    header_.formatName = input_->format_name();
    header_.severalImages = input_->seek_subimage(1, 0);
    // A reader with one image may note the failed seek as an error; it is
    // not one, and must not be taken for damage found while decoding.
    input_->geterror();
    if (header_.severalImages && !input_->seek_subimage(0, 0))
        return FirstLine(input_->geterror());
    return {};
}

std::string ImageReader::ReadPixels(std::vector<uint8_t>* pixels) {
    pixels->assign(static_cast<std::size_t>(header_.width) *
                       static_cast<std::size_t>(header_.height) *
                       static_cast<std::size_t>(header_.channels),
                   0);
    const bool read = input_->read_image(0, 0, 0, header_.channels, OIIO::TypeDesc::UINT8,
                                         pixels->data());
    // Some readers report damage (a JPEG that ends early) and still succeed.
    const std::string problem = input_->geterror();
    if (!read || !problem.empty()) {
        return problem.empty() ? std::string("the pixels cannot be decoded") : FirstLine(problem);
    }
    return {};
}
