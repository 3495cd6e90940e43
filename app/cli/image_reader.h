// Reading an image file: its format told from its first bytes, then its
// header, so that an image the filter cannot take is refused before its
// pixels are decoded, then its pixels as rows of 8-bit samples.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/cli/image_header.h"
#include "app/cli/input_file.h"

class ImageReader {
public:
    // Empty on success, else the rest of the line that names the file:
    // "cannot be read: ...", "is not an image that can be read: ...", "is
    // truncated or damaged: ...".
    std::string Open(const std::string& path);
    const ImageHeader& header() const { return header_; }
    // The whole file as stored, for the metadata.
    const uint8_t* fileData() const { return file_.data(); }
    std::size_t fileSize() const { return file_.size(); }

    // Every row of the first image, top to bottom. Empty on success, else the
    // decoder's reason.
    std::string ReadPixels(const RowSink& sink);
    // Lets go of the file once nothing more is needed from it.
    void Close();

private:
    InputFile file_;
    std::unique_ptr<ImageDecoder> decoder_;
    ImageHeader header_;
};
