#include "tests/cli/test_images.h"

#include <OpenImageIO/imagebuf.h>
#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <exiv2/exiv2.hpp>

#include "engine/noise_reducer.h"
#include "tests/support/value_reference.h"
#include "tools/sample_image/sample_image.h"

namespace {

constexpr int32_t kEngineStartLevel = 1;
constexpr int32_t kEngineMaxLevel = 5;

void* AllocateZeroed(uint32_t size) { return std::calloc(size == 0 ? 1 : size, 1); }

void PutBigEndian(std::vector<uint8_t>* bytes, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        (*bytes)[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

}  // namespace

TestImage MakePhoto(int channels, int32_t width, int32_t height, uint32_t seed) {
    TestImage image;
    image.width = width;
    image.height = height;
    const uint32_t w = static_cast<uint32_t>(width);
    const uint32_t h = static_cast<uint32_t>(height);
    if (channels == 1) {
        image.planes.push_back(
            lumistra::MakeSamplePlane(w, h, lumistra::SampleChannel::Green, seed));
        return image;
    }
    for (lumistra::SampleChannel channel :
         {lumistra::SampleChannel::Red, lumistra::SampleChannel::Green,
          lumistra::SampleChannel::Blue}) {
        image.planes.push_back(lumistra::MakeSamplePlane(w, h, channel, seed));
    }
    if (channels == 4) {
        std::vector<uint8_t> alpha(static_cast<std::size_t>(width) * height);
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x)
                alpha[static_cast<std::size_t>(y) * width + x] =
                    static_cast<uint8_t>((3 * x + y) % 256);
        }
        image.planes.push_back(alpha);
    }
    return image;
}

void WriteImage(const std::string& path, const TestImage& image, int bits,
                const std::vector<std::pair<std::string, std::string>>& attributes) {
    const int channels = image.Channels();
    const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
    std::vector<uint16_t> samples(count * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c) {
            const uint16_t v = image.planes[static_cast<std::size_t>(c)][i];
            samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
                static_cast<uint16_t>(v * 257);
        }
    }
    const OIIO::TypeDesc type = bits == 16 ? OIIO::TypeDesc::UINT16 : OIIO::TypeDesc::UINT8;
    OIIO::ImageSpec imageSpec(image.width, image.height, channels, type);
    imageSpec.attribute("oiio:UnassociatedAlpha", 1);
    imageSpec.attribute("tiff:write_exif", 0);
    for (const auto& [name, value] : attributes) imageSpec.attribute(name, value);
    std::unique_ptr<OIIO::ImageOutput> out = OIIO::ImageOutput::create(path);
    ASSERT_TRUE(out) << path;
    const bool written = out->open(path, imageSpec) &&
                         out->write_image(OIIO::TypeDesc::UINT16, samples.data()) && out->close();
    ASSERT_TRUE(written) << path << ": " << out->geterror();
}

TestImage ReadImage(const std::string& path) {
    TestImage image;
    OIIO::ImageSpec config;
    config.attribute("oiio:UnassociatedAlpha", 1);
    OIIO::ImageBuf buffer(path, 0, 0, nullptr, &config);
    const bool read = buffer.read(0, 0, true, OIIO::TypeDesc::UINT8);
    EXPECT_TRUE(read) << path << ": " << buffer.geterror();
    if (!read) return image;
    const OIIO::ROI area = buffer.roi();
    const int channels = buffer.nchannels();
    image.width = area.width();
    image.height = area.height();
    const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
    std::vector<uint8_t> samples(count * static_cast<std::size_t>(channels));
    EXPECT_TRUE(buffer.get_pixels(area, OIIO::TypeDesc::UINT8, samples.data()))
        << path << ": " << buffer.geterror();
    image.planes.assign(static_cast<std::size_t>(channels), std::vector<uint8_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c)
            image.planes[static_cast<std::size_t>(c)][i] =
                samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)];
    }
    return image;
}

TestImage EngineResult(const TestImage& input, const Amounts& amounts) {
    return EngineResult(input, amounts, {0, 0, input.width, input.height});
}

TestImage EngineResult(const TestImage& input, const Amounts& amounts, const Area& area) {
    TestImage result = input;
    const uint32_t w = static_cast<uint32_t>(area.width);
    const uint32_t h = static_cast<uint32_t>(area.height);
    for (std::size_t plane = 0; plane < 3 && plane < input.planes.size(); ++plane) {
        std::vector<uint8_t> region(static_cast<std::size_t>(w) * h), filtered(region.size());
        for (uint32_t y = 0; y < h; ++y) {
            std::memcpy(region.data() + y * w,
                        input.planes[plane].data() +
                            (area.y + y) * static_cast<std::size_t>(input.width) + area.x,
                        w);
        }
        NoiseReducer engine(AllocateZeroed, std::free);
        const bool failed = engine.ProcessPlane(
            region.data(), filtered.data(), w, h, ReferenceStrength(amounts.high),
            ReferenceStrength(amounts.low), ReferenceClarity(amounts.clarity), kEngineStartLevel,
            kEngineMaxLevel);
        EXPECT_FALSE(failed);
        for (uint32_t y = 0; y < h; ++y) {
            std::memcpy(result.planes[plane].data() +
                            (area.y + y) * static_cast<std::size_t>(input.width) + area.x,
                        filtered.data() + y * w, w);
        }
    }
    return result;
}

std::vector<uint8_t> MakeIccProfile() {
    // Header, tag table, then a white point (XYZ) and a description.
    std::vector<uint8_t> profile(128 + 4 + 2 * 12 + 20 + 120, 0);
    PutBigEndian(&profile, 0, static_cast<uint32_t>(profile.size()));
    PutBigEndian(&profile, 8, 0x02100000);  // version 2.1
    std::memcpy(&profile[12], "mntrRGB XYZ ", 12);
    std::memcpy(&profile[36], "acsp", 4);
    const uint32_t d50[3] = {0xF6D6, 0x10000, 0xD32D};
    for (int i = 0; i < 3; ++i)
        PutBigEndian(&profile, 68 + 4 * static_cast<std::size_t>(i), d50[i]);
    PutBigEndian(&profile, 128, 2);
    std::memcpy(&profile[132], "wtpt", 4);
    PutBigEndian(&profile, 136, 156);
    PutBigEndian(&profile, 140, 20);
    std::memcpy(&profile[144], "desc", 4);
    PutBigEndian(&profile, 148, 176);
    PutBigEndian(&profile, 152, 120);
    std::memcpy(&profile[156], "XYZ ", 4);
    for (int i = 0; i < 3; ++i)
        PutBigEndian(&profile, 164 + 4 * static_cast<std::size_t>(i), d50[i]);
    std::memcpy(&profile[176], "desc", 4);
    const char description[] = "Lumistra test display";
    PutBigEndian(&profile, 184, sizeof(description));
    std::memcpy(&profile[188], description, sizeof(description));
    return profile;
}

void AddMetadata(const std::string& path, const PhotoMetadata& metadata) {
    auto image = Exiv2::ImageFactory::open(path);
    image->readMetadata();
    Exiv2::ExifData& exif = image->exifData();
    exif["Exif.Image.Make"] = metadata.make;
    exif["Exif.Photo.ExposureTime"] = Exiv2::URationalValue(Exiv2::URational(1, 250));
    image->setXmpPacket(
        "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
        "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description rdf:about=\"\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">"
        "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" +
        metadata.title + "</rdf:li></rdf:Alt></dc:title><xmp:Rating>" + metadata.rating +
        "</xmp:Rating></rdf:Description></rdf:RDF></x:xmpmeta>\n<?xpacket end=\"w\"?>");
    image->writeXmpFromPacket(true);
    std::vector<uint8_t> icc = metadata.iccProfile;
    Exiv2::DataBuf profile(icc.data(), static_cast<long>(icc.size()));
    image->setIccProfile(profile, false);
    image->writeMetadata();
}

PhotoMetadata ReadMetadata(const std::string& path) {
    PhotoMetadata metadata;
    auto image = Exiv2::ImageFactory::open(path);
    image->readMetadata();
    const Exiv2::ExifData& exif = image->exifData();
    const auto make = exif.findKey(Exiv2::ExifKey("Exif.Image.Make"));
    if (make != exif.end()) metadata.make = make->toString();
    const auto exposure = exif.findKey(Exiv2::ExifKey("Exif.Photo.ExposureTime"));
    if (exposure != exif.end()) metadata.exposure = exposure->toString();
    const Exiv2::XmpData& xmp = image->xmpData();
    const auto title = xmp.findKey(Exiv2::XmpKey("Xmp.dc.title"));
    if (title != xmp.end()) metadata.title = title->toString(0);
    const auto rating = xmp.findKey(Exiv2::XmpKey("Xmp.xmp.Rating"));
    if (rating != xmp.end()) metadata.rating = rating->toString();
    if (image->iccProfileDefined()) {
        const Exiv2::DataBuf* profile = image->iccProfile();
        metadata.iccProfile.assign(profile->pData_, profile->pData_ + profile->size_);
    }
    return metadata;
}
