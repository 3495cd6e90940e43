// Carries a photograph's metadata (EXIF, IPTC, XMP, ICC profile, comment)
// from the input file to the output file, verbatim: the XMP packet as
// written, the profile byte for byte, every EXIF tag.
//
// The metadata library is large and slow to map, and most runs of the tool
// (--help, a missing file, a refused image) never need it, so it lives in a
// module of its own that is loaded the first time an image is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class MetadataCarrier {
public:
    virtual ~MetadataCarrier() = default;

    // Reads the metadata of an image file held in memory. A file type the
    // library does not know is not an error: the carrier then holds
    // nothing and HoldsSource() is false. Empty on success, else the reason;
    // after a failure it holds nothing either.
    virtual std::string Read(const uint8_t* file, std::size_t size) = 0;
    virtual bool HoldsSource() const = 0;

    // After a conversion from greyscale or CMYK the profile no longer
    // describes the pixels. Returns whether there was one.
    virtual bool DropColourProfile() = 0;

    // Whether WriteInto can put the metadata into this encoded file.
    virtual bool CanWriteInto(const std::vector<uint8_t>& encoded) const = 0;

    // Replaces the metadata of an encoded image with the carried one.
    // *dropped names the kinds the output format cannot hold ("IPTC",
    // "comment"). Empty on success, else the reason.
    virtual std::string WriteInto(std::vector<uint8_t>* encoded,
                                  std::vector<std::string>* dropped) const = 0;
};

// A carrier from the metadata module, loaded on the first call; null with
// *problem set when the module cannot be loaded.
std::unique_ptr<MetadataCarrier> MakeMetadataCarrier(std::string* problem);
// Loads the module now, if it is not loaded yet; a failure shows at the next
// MakeMetadataCarrier.
void LoadMetadataModule();

// The module's one entry point.
extern "C" MetadataCarrier* LumistraMakeMetadataCarrier();
using MakeMetadataCarrierFunction = MetadataCarrier* (*)();
