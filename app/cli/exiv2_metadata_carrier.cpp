// The metadata module: MetadataCarrier through Exiv2. Built as a module of
// its own, loaded by the tool when it first needs it.
#include <exiv2/exiv2.hpp>

#include "app/cli/metadata_carrier.h"

namespace {

struct Contents {
    Exiv2::ExifData exif;
    Exiv2::IptcData iptc;
    std::string xmpPacket;
    std::vector<uint8_t> iccProfile;
    std::string comment;
};

// The library's own warnings about odd tags would interleave with the
// tool's messages; real failures arrive as exceptions.
void SilenceLibraryLog() { Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute); }

bool CanWrite(int type, Exiv2::MetadataId kind) {
    return (Exiv2::ImageFactory::checkMode(type, kind) & Exiv2::amWrite) != 0;
}

int TypeOf(const uint8_t* file, std::size_t size) {
    return Exiv2::ImageFactory::getType(file, static_cast<long>(size));
}

class Exiv2Carrier : public MetadataCarrier {
public:
    bool HoldsSource() const override { return contents_ != nullptr; }

    std::string Read(const uint8_t* file, std::size_t size) override {
        SilenceLibraryLog();
        contents_.reset();
        if (TypeOf(file, size) == Exiv2::ImageType::none) return {};
        try {
            auto image = Exiv2::ImageFactory::open(file, static_cast<long>(size));
            image->readMetadata();
            auto contents = std::make_unique<Contents>();
            contents->exif = image->exifData();
            contents->iptc = image->iptcData();
            contents->xmpPacket = image->xmpPacket();
            if (image->iccProfileDefined()) {
                const Exiv2::DataBuf* profile = image->iccProfile();
                contents->iccProfile.assign(profile->pData_, profile->pData_ + profile->size_);
            }
            contents->comment = image->comment();
            contents_ = std::move(contents);
            return {};
        } catch (const std::exception& error) {
            return error.what();
        }
    }

    bool DropColourProfile() override {
        if (!contents_ || contents_->iccProfile.empty()) return false;
        contents_->iccProfile.clear();
        return true;
    }

    bool CanWriteInto(const std::vector<uint8_t>& encoded) const override {
        SilenceLibraryLog();
        const int type = TypeOf(encoded.data(), encoded.size());
        return type != Exiv2::ImageType::none && CanWrite(type, Exiv2::mdExif) &&
               CanWrite(type, Exiv2::mdXmp);
    }

    std::string WriteInto(std::vector<uint8_t>* encoded,
                          std::vector<std::string>* dropped) const override {
        dropped->clear();
        if (!contents_) return {};
        SilenceLibraryLog();
        const int type = TypeOf(encoded->data(), encoded->size());
        const Contents& c = *contents_;
        try {
            auto image =
                Exiv2::ImageFactory::open(encoded->data(), static_cast<long>(encoded->size()));
            const auto carry = [&](Exiv2::MetadataId kind, bool present, const char* name) {
                if (!present) return false;
                if (CanWrite(type, kind)) return true;
                dropped->push_back(name);
                return false;
            };
            if (carry(Exiv2::mdExif, !c.exif.empty(), "EXIF")) image->setExifData(c.exif);
            if (carry(Exiv2::mdIptc, !c.iptc.empty(), "IPTC")) image->setIptcData(c.iptc);
            if (carry(Exiv2::mdXmp, !c.xmpPacket.empty(), "XMP")) {
                image->setXmpPacket(c.xmpPacket);
                image->writeXmpFromPacket(true);
            }
            // The library's table of what each format supports leaves profiles
            // out, though it writes them into every format that takes EXIF.
            if (carry(Exiv2::mdExif, !c.iccProfile.empty(), "ICC profile")) {
                Exiv2::DataBuf profile(c.iccProfile.data(), static_cast<long>(c.iccProfile.size()));
                image->setIccProfile(profile, false);
            }
            if (carry(Exiv2::mdComment, !c.comment.empty(), "comment"))
                image->setComment(c.comment);
            image->writeMetadata();

            Exiv2::BasicIo& io = image->io();
            if (io.open() != 0) return "the metadata cannot be written";
            std::vector<uint8_t> result(io.size());
            const long got = io.read(result.data(), static_cast<long>(result.size()));
            io.close();
            if (got != static_cast<long>(result.size())) return "the metadata cannot be written";
            *encoded = std::move(result);
            return {};
        } catch (const std::exception& error) {
            return error.what();
        }
    }

private:
    std::unique_ptr<Contents> contents_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) MetadataCarrier* LumistraMakeMetadataCarrier() {
    return new Exiv2Carrier();
}
