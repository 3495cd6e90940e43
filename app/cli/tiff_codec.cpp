#include "app/cli/tiff_codec.h"

#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli/image_encoding.h"

namespace {

// The library reports through process-wide handlers; the first error of the
// file at hand is kept for the tool's own line, warnings are dropped.
std::string& LastTiffError() {
    static std::string message;
    return message;
}

// The library hands over its own printf formats; the attribute lets the compiler
// check the call below as one that forwards a format.
extern "C" void KeepTiffError(const char* module, const char* format, va_list arguments)
    __attribute__((format(printf, 2, 0)));

extern "C" void KeepTiffError(const char* module, const char* format, va_list arguments) {
    if (!LastTiffError().empty()) return;
    char text[512];
    std::vsnprintf(text, sizeof(text), format, arguments);
    LastTiffError() = (module != nullptr ? std::string(module) + ": " : std::string()) + text;
}

extern "C" void IgnoreTiffWarning(const char*, const char*, va_list) {}

void QuietLibrary() {
    LastTiffError().clear();
    TIFFSetErrorHandler(KeepTiffError);
    TIFFSetWarningHandler(IgnoreTiffWarning);
}

std::string ErrorOr(const char* fallback) {
    return LastTiffError().empty() ? std::string(fallback) : LastTiffError();
}

// A file in memory as libtiff's client procedures see it; writing grows it.
struct MemoryStream {
    const uint8_t* readOnly = nullptr;
    std::vector<uint8_t>* growing = nullptr;
    std::size_t size = 0;
    uint64_t at = 0;

    const uint8_t* Data() const { return growing != nullptr ? growing->data() : readOnly; }
};

MemoryStream* StreamOf(thandle_t handle) { return static_cast<MemoryStream*>(handle); }

extern "C" tmsize_t StreamRead(thandle_t handle, void* into, tmsize_t count) {
    MemoryStream* stream = StreamOf(handle);
    if (count <= 0 || stream->at >= stream->size) return 0;
    const std::size_t n = static_cast<std::size_t>(
        std::min<uint64_t>(static_cast<uint64_t>(count), stream->size - stream->at));
    std::memcpy(into, stream->Data() + stream->at, n);
    stream->at += n;
    return static_cast<tmsize_t>(n);
}

extern "C" tmsize_t StreamWrite(thandle_t handle, void* from, tmsize_t count) {
    MemoryStream* stream = StreamOf(handle);
    if (stream->growing == nullptr || count < 0) return -1;
    const std::size_t end = static_cast<std::size_t>(stream->at) + static_cast<std::size_t>(count);
    if (stream->growing->size() < end) stream->growing->resize(end);
    std::memcpy(stream->growing->data() + stream->at, from, static_cast<std::size_t>(count));
    stream->at = end;
    stream->size = stream->growing->size();
    return count;
}

extern "C" toff_t StreamSeek(thandle_t handle, toff_t offset, int whence) {
    MemoryStream* stream = StreamOf(handle);
    const uint64_t base = whence == SEEK_CUR ? stream->at : whence == SEEK_END ? stream->size : 0;
    stream->at = base + offset;
    return stream->at;
}

extern "C" int StreamClose(thandle_t) { return 0; }
extern "C" toff_t StreamSize(thandle_t handle) { return StreamOf(handle)->size; }
extern "C" int NoMapping(thandle_t, void**, toff_t*) { return 0; }
extern "C" void NoUnmapping(thandle_t, void*, toff_t) {}

TIFF* OpenStream(MemoryStream* stream, const char* mode) {
    return TIFFClientOpen("image", mode, stream, StreamRead, StreamWrite, StreamSeek, StreamClose,
                          StreamSize, NoMapping, NoUnmapping);
}

// How many times its size the stored data of each compression can unpack
// to at most; for the others a tiny file may honestly describe a large
// picture, and only decoding tells.
std::optional<uint64_t> LargestExpansion(uint16_t compression) {
    switch (compression) {
        case COMPRESSION_NONE:
            return 1;
        case COMPRESSION_PACKBITS:
            return 64;
        case COMPRESSION_DEFLATE:
        case COMPRESSION_ADOBE_DEFLATE:
            return 1032;
        default:
            return std::nullopt;
    }
}

class TiffDecoder : public ImageDecoder {
public:
    TiffDecoder(const uint8_t* data, std::size_t size) {
        stream_.readOnly = data;
        stream_.size = size;
    }
    ~TiffDecoder() override {
        if (tiff_ != nullptr) TIFFClose(tiff_);
    }

    std::string ReadHeader(ImageHeader* header) override {
        QuietLibrary();
        tiff_ = OpenStream(&stream_, "rm");
        if (tiff_ == nullptr) return ErrorOr("not a TIFF file");
        uint32_t width = 0, height = 0;
        uint16_t compression = COMPRESSION_NONE, extraCount = 0;
        uint16_t* extraKinds = nullptr;
        TIFFGetField(tiff_, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tiff_, TIFFTAG_IMAGELENGTH, &height);
        TIFFGetFieldDefaulted(tiff_, TIFFTAG_SAMPLESPERPIXEL, &samples_);
        TIFFGetFieldDefaulted(tiff_, TIFFTAG_BITSPERSAMPLE, &bits_);
        TIFFGetFieldDefaulted(tiff_, TIFFTAG_SAMPLEFORMAT, &sampleFormat_);
        TIFFGetFieldDefaulted(tiff_, TIFFTAG_PLANARCONFIG, &planar_);
        TIFFGetFieldDefaulted(tiff_, TIFFTAG_COMPRESSION, &compression);
        TIFFGetFieldDefaulted(tiff_, TIFFTAG_EXTRASAMPLES, &extraCount, &extraKinds);
        if (!TIFFGetField(tiff_, TIFFTAG_PHOTOMETRIC, &photometric_))
            photometric_ = samples_ >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
        if (width == 0 || height == 0) return "the image has no pixels";

        const std::optional<uint64_t> expansion = LargestExpansion(compression);
        const uint64_t stored = uint64_t{width} * height * samples_ * bits_ / 8;
        if (expansion && stream_.size < stored / *expansion) {
            return "the file is far too short for its " + std::to_string(width) + " x " +
                   std::to_string(height) + " picture";
        }

        header->width = static_cast<int32_t>(std::min<uint32_t>(width, 0x7fffffff));
        header->height = static_cast<int32_t>(std::min<uint32_t>(height, 0x7fffffff));
        header->bitsPerSample = bits_;
        header->floatingPoint = sampleFormat_ == SAMPLEFORMAT_IEEEFP;
        header->severalImages = TIFFNumberOfDirectories(tiff_) > 1;
        TIFFSetDirectory(tiff_, 0);

        const int colours =
            photometric_ == PHOTOMETRIC_SEPARATED ? 4
            : (photometric_ == PHOTOMETRIC_MINISBLACK || photometric_ == PHOTOMETRIC_MINISWHITE)
                ? 1
                : 3;
        header->alpha =
            extraCount >= 1 && samples_ > colours &&
            (extraKinds[0] == EXTRASAMPLE_UNASSALPHA || extraKinds[0] == EXTRASAMPLE_ASSOCALPHA);
        switch (photometric_) {
            case PHOTOMETRIC_MINISBLACK:
            case PHOTOMETRIC_MINISWHITE:
                header->storedMode = ColourMode::kGrey;
                break;
            case PHOTOMETRIC_SEPARATED:
                header->storedMode = ColourMode::kCmyk;
                break;
            default:
                header->storedMode = header->alpha ? ColourMode::kRgba : ColourMode::kRgb;
        }
        if (samples_ != colours + (header->alpha ? 1 : 0)) header->storedMode.reset();
        header->channels = (colours == 1 ? 1 : 3) + (header->alpha ? 1 : 0);
        header_ = *header;

        direct_ =
            !TIFFIsTiled(tiff_) &&
            (bits_ == 8 || bits_ == 16 || (bits_ == 32 && header->floatingPoint)) &&
            (photometric_ == PHOTOMETRIC_MINISBLACK || photometric_ == PHOTOMETRIC_MINISWHITE ||
             photometric_ == PHOTOMETRIC_RGB || photometric_ == PHOTOMETRIC_SEPARATED) &&
            (compression != COMPRESSION_OJPEG && compression != COMPRESSION_JPEG);
        if (!direct_ && header->storedMode && photometric_ != PHOTOMETRIC_SEPARATED) {
            // Palettes, YCbCr, 1 to 4 bits and tiles come through the
            // library's own conversion to 8-bit RGBA.
            header->storedMode = header->alpha ? ColourMode::kRgba : ColourMode::kRgb;
            header->channels = header->alpha ? 4 : 3;
            header->bitsPerSample = bits_ > 8 ? bits_ : 8;
            header_ = *header;
        } else if (!direct_) {
            header->storedMode.reset();
        }
        return {};
    }

    std::string ReadRows(const RowSink& sink) override {
        return direct_ ? ReadScanlines(sink) : ReadThroughRgba(sink);
    }

private:
    // One sample as 8 bits, whatever its stored form.
    uint8_t Sample(const uint8_t* row, std::size_t index) const {
        if (bits_ == 8) return row[index];
        if (bits_ == 16) {
            uint16_t value;
            std::memcpy(&value, row + index * 2, 2);
            return static_cast<uint8_t>((uint32_t{value} * 255 + 32767) / 65535);
        }
        float value;
        std::memcpy(&value, row + index * 4, 4);
        if (!(value > 0.0f)) return 0;
        return value >= 1.0f ? 255 : static_cast<uint8_t>(std::lround(value * 255.0f));
    }

    std::string ReadScanlines(const RowSink& sink) {
        const std::size_t width = static_cast<std::size_t>(header_.width);
        const bool separate = planar_ == PLANARCONFIG_SEPARATE && samples_ > 1;
        std::vector<std::vector<uint8_t>> stored(separate ? samples_ : 1,
                                                 std::vector<uint8_t>(TIFFScanlineSize64(tiff_)));
        std::vector<uint8_t> row(width * static_cast<std::size_t>(header_.channels));
        const int colours = header_.channels - (header_.alpha ? 1 : 0);
        const bool cmyk = photometric_ == PHOTOMETRIC_SEPARATED;
        const bool invert = photometric_ == PHOTOMETRIC_MINISWHITE;
        // Alpha is the first sample after the stored colours.
        const std::size_t storedColours = cmyk ? 4 : static_cast<std::size_t>(colours);
        for (uint32_t y = 0; y < static_cast<uint32_t>(header_.height); ++y) {
            for (std::size_t plane = 0; plane < stored.size(); ++plane) {
                if (TIFFReadScanline(tiff_, stored[plane].data(), y, static_cast<uint16_t>(plane)) <
                    0)
                    return ErrorOr("the pixels cannot be decoded");
            }
            const auto sample = [&](std::size_t x, std::size_t s) {
                return separate ? Sample(stored[s].data(), x)
                                : Sample(stored[0].data(), x * samples_ + s);
            };
            for (std::size_t x = 0; x < width; ++x) {
                uint8_t* out = &row[x * static_cast<std::size_t>(header_.channels)];
                if (cmyk) {
                    const unsigned black = 255u - sample(x, 3);
                    for (std::size_t c = 0; c < 3; ++c)
                        out[c] = static_cast<uint8_t>(((255u - sample(x, c)) * black + 127) / 255);
                } else {
                    for (int c = 0; c < colours; ++c) {
                        const uint8_t value = sample(x, static_cast<std::size_t>(c));
                        out[c] = invert ? static_cast<uint8_t>(255 - value) : value;
                    }
                }
                if (header_.alpha) out[colours] = sample(x, storedColours);
            }
            sink(static_cast<int32_t>(y), row.data());
        }
        return {};
    }

    std::string ReadThroughRgba(const RowSink& sink) {
        const std::size_t width = static_cast<std::size_t>(header_.width);
        std::vector<uint32_t> pixels(width * static_cast<std::size_t>(header_.height));
        if (!TIFFReadRGBAImageOriented(tiff_, static_cast<uint32_t>(header_.width),
                                       static_cast<uint32_t>(header_.height), pixels.data(),
                                       ORIENTATION_TOPLEFT, 0)) {
            return ErrorOr("the pixels cannot be decoded");
        }
        std::vector<uint8_t> row(width * static_cast<std::size_t>(header_.channels));
        for (int32_t y = 0; y < header_.height; ++y) {
            const uint32_t* from = &pixels[static_cast<std::size_t>(y) * width];
            for (std::size_t x = 0; x < width; ++x) {
                uint8_t* out = &row[x * static_cast<std::size_t>(header_.channels)];
                out[0] = static_cast<uint8_t>(TIFFGetR(from[x]));
                out[1] = static_cast<uint8_t>(TIFFGetG(from[x]));
                out[2] = static_cast<uint8_t>(TIFFGetB(from[x]));
                if (header_.alpha) out[3] = static_cast<uint8_t>(TIFFGetA(from[x]));
            }
            sink(y, row.data());
        }
        return {};
    }

    MemoryStream stream_;
    TIFF* tiff_ = nullptr;
    ImageHeader header_;
    uint16_t samples_ = 1, bits_ = 1, sampleFormat_ = SAMPLEFORMAT_UINT,
             planar_ = PLANARCONFIG_CONTIG;
    uint16_t photometric_ = PHOTOMETRIC_MINISBLACK;
    bool direct_ = false;
};

}  // namespace

std::unique_ptr<ImageDecoder> MakeTiffDecoder(const uint8_t* data, std::size_t size) {
    return std::make_unique<TiffDecoder>(data, size);
}

std::string EncodeTiff(const EncodeRequest& request, std::vector<uint8_t>* bytes) {
    QuietLibrary();
    bytes->clear();
    MemoryStream stream;
    stream.growing = bytes;
    TIFF* tiff = OpenStream(&stream, "w");
    if (tiff == nullptr) return ErrorOr("the image cannot be encoded");
    const uint16_t channels = static_cast<uint16_t>(request.channels);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(request.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(request.height));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    if (channels == 4) {
        // The samples are stored as they came, never multiplied by alpha.
        const uint16_t kind = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &kind);
    }
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    std::vector<uint8_t> row(static_cast<std::size_t>(request.width) * channels);
    bool ok = true;
    for (int32_t y = 0; ok && y < request.height; ++y) {
        request.rows(y, row.data());
        ok = TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0) >= 0;
    }
    ok = ok && TIFFWriteDirectory(tiff) != 0;
    TIFFClose(tiff);
    if (!ok) return ErrorOr("the image cannot be encoded");
    return {};
}
