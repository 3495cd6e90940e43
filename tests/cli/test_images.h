// Image files for the end-to-end tests, written and read through OpenImageIO,
// and the pixels the engine itself makes of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<std::vector<uint8_t>> planes;  // one per channel, rows without gaps

    int Channels() const { return static_cast<int>(planes.size()); }
    bool operator==(const TestImage& other) const {
        return width == other.width && height == other.height && planes == other.planes;
    }
};

// A photo-like scene with sensor noise. 1 channel: greyscale; 3: RGB; 4:
// RGBA with an alpha pattern that runs through 0 and 255.
TestImage MakePhoto(int channels, int32_t width, int32_t height, uint32_t seed = 1);

// bits 8 or 16 (a sample v is stored as v * 257 in 16 bits, so that
// reducing it gives v back). Extra OpenImageIO attributes go into the file's header.
void WriteImage(const std::string& path, const TestImage& image, int bits = 8,
                const std::vector<std::pair<std::string, std::string>>& attributes = {});
TestImage ReadImage(const std::string& path);

struct Amounts {
    float high = 50.0f;
    float low = 50.0f;
    float clarity = 50.0f;
};

struct Area {
    int32_t x, y, width, height;
};

// The first three planes as ProcessPlane filters them over the area, with the
// strengths the user values convert to; everything else as it was.
TestImage EngineResult(const TestImage& input, const Amounts& amounts);
TestImage EngineResult(const TestImage& input, const Amounts& amounts, const Area& area);

// A small but valid display profile, as a camera or editor embeds one.
std::vector<uint8_t> MakeIccProfile();

// Metadata written into an existing file, as a camera and a photo manager
// leave it, and read back.
struct PhotoMetadata {
    std::string make;      // Exif.Image.Make
    std::string exposure;  // Exif.Photo.ExposureTime
    std::string title;     // Xmp.dc.title
    std::string rating;    // Xmp.xmp.Rating
    std::vector<uint8_t> iccProfile;
};
void AddMetadata(const std::string& path, const PhotoMetadata& metadata);
PhotoMetadata ReadMetadata(const std::string& path);
