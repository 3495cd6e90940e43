#include "app/cli/webp_codec.h"

#include <webp/decode.h>
#include <webp/encode.h>

#include <vector>

#include "app/cli/image_encoding.h"

namespace {

const char* DescribeStatus(VP8StatusCode status) {
    switch (status) {
        case VP8_STATUS_NOT_ENOUGH_DATA:
            return "the file ends early";
        case VP8_STATUS_OUT_OF_MEMORY:
            return "out of memory";
        case VP8_STATUS_UNSUPPORTED_FEATURE:
            return "it uses a feature the decoder lacks";
        default:
            return "the WebP data is damaged";
    }
}

class WebpDecoder : public ImageDecoder {
public:
    WebpDecoder(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::string ReadHeader(ImageHeader* header) override {
        const VP8StatusCode status = WebPGetFeatures(data_, size_, &features_);
        if (status != VP8_STATUS_OK) return DescribeStatus(status);
        header->width = features_.width;
        header->height = features_.height;
        header->alpha = features_.has_alpha != 0;
        header->channels = header->alpha ? 4 : 3;
        header->storedMode = header->alpha ? ColourMode::kRgba : ColourMode::kRgb;
        header->severalImages = features_.has_animation != 0;
        channels_ = header->channels;
        return {};
    }

    std::string ReadRows(const RowSink& sink) override {
        const std::size_t stride = static_cast<std::size_t>(features_.width) * channels_;
        std::vector<uint8_t> pixels(stride * static_cast<std::size_t>(features_.height));
        const uint8_t* decoded = channels_ == 4
                                     ? WebPDecodeRGBAInto(data_, size_, pixels.data(),
                                                          pixels.size(), static_cast<int>(stride))
                                     : WebPDecodeRGBInto(data_, size_, pixels.data(), pixels.size(),
                                                         static_cast<int>(stride));
        if (decoded == nullptr) return "the WebP data is damaged or ends early";
        for (int32_t y = 0; y < features_.height; ++y)
            sink(y, pixels.data() + static_cast<std::size_t>(y) * stride);
        return {};
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    WebPBitstreamFeatures features_{};
    std::size_t channels_ = 3;
};

}  // namespace

std::unique_ptr<ImageDecoder> MakeWebpDecoder(const uint8_t* data, std::size_t size) {
    return std::make_unique<WebpDecoder>(data, size);
}

std::string EncodeWebp(const EncodeRequest& request, std::vector<uint8_t>* bytes) {
    if (request.width > WEBP_MAX_DIMENSION || request.height > WEBP_MAX_DIMENSION)
        return "webp files hold at most 16383 x 16383 pixels";
    const std::size_t stride = static_cast<std::size_t>(request.width) * request.channels;
    std::vector<uint8_t> pixels(stride * static_cast<std::size_t>(request.height));
    for (int32_t y = 0; y < request.height; ++y)
        request.rows(y, pixels.data() + static_cast<std::size_t>(y) * stride);
    uint8_t* output = nullptr;
    const float quality = static_cast<float>(request.quality);
    const std::size_t size = request.channels == 4
                                 ? WebPEncodeRGBA(pixels.data(), request.width, request.height,
                                                  static_cast<int>(stride), quality, &output)
                                 : WebPEncodeRGB(pixels.data(), request.width, request.height,
                                                 static_cast<int>(stride), quality, &output);
    if (size == 0) return "the image cannot be encoded";
    bytes->assign(output, output + size);
    WebPFree(output);
    return {};
}
