// Carries a photograph's metadata (EXIF, IPTC, XMP, ICC profile, comment)
// from the input file to the output file through Exiv2, verbatim: the XMP
// packet as written, the profile byte for byte, every EXIF tag the library
// knows. Image formats Exiv2 does not handle are left to the image writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class MetadataCarrier {
public:
    MetadataCarrier();
    ~MetadataCarrier();
    MetadataCarrier(const MetadataCarrier&) = delete;
    MetadataCarrier& operator=(const MetadataCarrier&) = delete;

    // Reads the metadata of an image file held in memory. A file type the
    // library does not know is not an error: the carrier then holds
    // nothing and HoldsSource() is false. Empty on success, else the reason;
    // after a failure it holds nothing either.
    std::string Read(const uint8_t* file, std::size_t size);
    bool HoldsSource() const;

    // After a conversion from greyscale or CMYK the profile no longer
    // describes the pixels. Returns whether there was one.
    bool DropColourProfile();

    // Whether WriteInto can put the metadata into this encoded file.
    static bool CanWriteInto(const std::vector<uint8_t>& encoded);

    // Replaces the metadata of an encoded image with the carried one.
    // *dropped names the kinds the output format cannot hold ("IPTC",
    // "comment"). Empty on success, else the reason.
    std::string WriteInto(std::vector<uint8_t>* encoded, std::vector<std::string>* dropped) const;

private:
    struct Contents;
    std::unique_ptr<Contents> contents_;
};
