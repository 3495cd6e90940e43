#include "app/cli/image_reader.h"

#include "app/cli/image_format.h"
#include "app/cli/jpeg_codec.h"
#include "app/cli/png_codec.h"
#include "app/cli/tiff_codec.h"
#include "app/cli/webp_codec.h"

namespace {

constexpr char kUnreadable[] = "is not an image that can be read: ";
constexpr char kDamaged[] = "is truncated or damaged: ";

std::unique_ptr<ImageDecoder> DecoderFor(ImageFormat format, const uint8_t* data,
                                         std::size_t size) {
    switch (format) {
        case ImageFormat::kJpeg:
            return MakeJpegDecoder(data, size);
        case ImageFormat::kPng:
            return MakePngDecoder(data, size);
        case ImageFormat::kTiff:
            return MakeTiffDecoder(data, size);
        case ImageFormat::kWebp:
            return MakeWebpDecoder(data, size);
        case ImageFormat::kGif:
            break;
    }
    return nullptr;
}

}  // namespace

std::string ImageReader::Open(const std::string& path) {
    header_ = ImageHeader{};
    decoder_.reset();
    std::string problem = file_.Open(path);
    if (!problem.empty()) return "cannot be read: " + problem;

    const std::optional<ImageFormat> format = FormatOfContents(file_.data(), file_.size());
    if (!format) {
        return std::string(kUnreadable) +
               (file_.size() == 0 ? "the file is empty" : "not a JPEG, PNG, TIFF or WebP file");
    }
    if (*format == ImageFormat::kGif) {
        return std::string(kUnreadable) +
               "a GIF holds at most 256 colours, not a photograph; lumistra does not read it";
    }
    problem = file_.ReadAll();
    if (!problem.empty()) return "cannot be read: " + problem;
    decoder_ = DecoderFor(*format, file_.data(), file_.size());
    problem = decoder_->ReadHeader(&header_);
    // The format is known by now, so whatever its header lacks is damage.
    if (!problem.empty()) return kDamaged + problem;
    return {};
}

std::string ImageReader::ReadPixels(const RowSink& sink) { return decoder_->ReadRows(sink); }

void ImageReader::Close() {
    decoder_.reset();
    file_.Close();
}
