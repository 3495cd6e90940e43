#include "app/cli/image_writer.h"

#include <memory>

#include "app/cli/image_reader.h"
#include "app/cli/memory_file.h"

namespace {

std::unique_ptr<OIIO::ImageOutput> CreateWriter(const std::string& path, std::string* problem) {
    std::unique_ptr<OIIO::ImageOutput> writer = OIIO::ImageOutput::create(path);
    if (!writer) {
        OIIO::geterror();
        *problem = "the name does not say which image format to write (use .jpg, .png or .tif)";
    }
    return writer;
}

// Attributes that describe how the input file was stored, or that were
// derived from another attribute on reading, rather than the picture; the
// output's writer decides these for itself.
bool DescribesStorage(const std::string& name) {
    for (const char* prefix : {"oiio:", "jpeg:", "tiff:", "png:", "ICCProfile:"}) {
        if (name.rfind(prefix, 0) == 0) return true;
    }
    return name == "compression" || name == "Compression" || name == "planarconfig";
}

}  // namespace

std::string CheckOutputFormat(const std::string& path, int channels) {
    std::string problem;
    std::unique_ptr<OIIO::ImageOutput> writer = CreateWriter(path, &problem);
    if (!writer) return problem;
    if (channels == 4 && !writer->supports("alpha")) {
        return std::string(writer->format_name()) +
               " files cannot keep the transparency of this image; write a .png or .tif instead";
    }
    if (!writer->supports("ioproxy"))
        return std::string(writer->format_name()) + " files are not supported for output";
    return {};
}

std::string EncodeImage(const EncodeRequest& request, std::vector<uint8_t>* bytes) {
    std::string problem;
    std::unique_ptr<OIIO::ImageOutput> writer = CreateWriter(request.path, &problem);
    if (!writer) return problem;

    OIIO::ImageSpec imageSpec(request.width, request.height, request.channels, OIIO::TypeDesc::UINT8);
    if (request.attributes != nullptr) {
        for (const OIIO::ParamValue& attribute : *request.attributes) {
            if (!DescribesStorage(attribute.name().string())) imageSpec.extra_attribs.push_back(attribute);
        }
    }
    // The samples are stored as they came, never multiplied by alpha.
    imageSpec.attribute("oiio:UnassociatedAlpha", 1);
    if (std::string(writer->format_name()) == "jpeg")
        imageSpec.attribute("Compression", "jpeg:" + std::to_string(request.jpegQuality));
    // The TIFF writer reports a spurious failure for its own EXIF block, and
    // metadata comes separately anyway.
    imageSpec.attribute("tiff:write_exif", 0);

    bytes->clear();
    MemoryFile file(bytes);
    writer->set_ioproxy(&file);
    const bool encoded = writer->open(request.path, imageSpec) &&
                         writer->write_image(OIIO::TypeDesc::UINT8, request.pixels) &&
                         writer->close();
    const std::string error = writer->geterror();
    if (!encoded || !error.empty())
        return error.empty() ? std::string("the image cannot be encoded") : FirstLine(error);
    return {};
}
