#include "app/cli/png_codec.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli/image_encoding.h"

namespace {

// The library's messages are kept for the tool's one line per file; a
// warning (an odd ancillary chunk) does not stop the picture.
struct MessageTrap {
    std::string message;
};

extern "C" void KeepPngError(png_structp png, png_const_charp message) {
    static_cast<MessageTrap*>(png_get_error_ptr(png))->message = message;
    png_longjmp(png, 1);
}

extern "C" void IgnorePngWarning(png_structp, png_const_charp) {}

struct MemorySource {
    const uint8_t* data;
    std::size_t size;
    std::size_t at;
};

extern "C" void ReadFromMemory(png_structp png, png_bytep into, png_size_t count) {
    MemorySource* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (source->size - source->at < count) png_error(png, "the file ends early");
    std::memcpy(into, source->data + source->at, count);
    source->at += count;
}

// Deflate turns at most about 1032 bytes into one, so a file shorter than
// its rows need at that rate cannot hold the picture its header claims.
bool CanHold(uint32_t width, uint32_t height, int bitDepth, int samples, std::size_t size) {
    const uint64_t rowBytes =
        (uint64_t{width} * static_cast<uint64_t>(samples * bitDepth) + 7) / 8 + 1;
    return size >= rowBytes * height / 1032;
}

class PngDecoder : public ImageDecoder {
public:
    PngDecoder(const uint8_t* data, std::size_t size) : source_{data, size, 0} {
        png_ =
            png_create_read_struct(PNG_LIBPNG_VER_STRING, &trap_, KeepPngError, IgnorePngWarning);
        if (png_ != nullptr) info_ = png_create_info_struct(png_);
    }
    ~PngDecoder() override { png_destroy_read_struct(&png_, &info_, nullptr); }

    std::string ReadHeader(ImageHeader* header) override {
        if (png_ == nullptr || info_ == nullptr) return "out of memory";
        if (setjmp(png_jmpbuf(png_))) return trap_.message;
        png_set_read_fn(png_, &source_, ReadFromMemory);
        // The tool refuses what the interface cannot address, with its own
        // message; the library need not refuse it first.
        png_set_user_limits(png_, 0x7fffffff, 0x7fffffff);
        png_read_info(png_, info_);

        const uint32_t width = png_get_image_width(png_, info_);
        const uint32_t height = png_get_image_height(png_, info_);
        const int bitDepth = png_get_bit_depth(png_, info_);
        const int colourType = png_get_color_type(png_, info_);
        if (!CanHold(width, height, bitDepth, png_get_channels(png_, info_), source_.size))
            return "the file is far too short for its " + std::to_string(width) + " x " +
                   std::to_string(height) + " picture";

        header->width = static_cast<int32_t>(std::min<uint32_t>(width, 0x7fffffff));
        header->height = static_cast<int32_t>(std::min<uint32_t>(height, 0x7fffffff));
        header->bitsPerSample = bitDepth == 16 ? 16 : 8;
        const bool grey = (colourType & PNG_COLOR_MASK_COLOR) == 0;
        header->alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 ||
                        png_get_valid(png_, info_, PNG_INFO_tRNS) != 0;
        header->channels = (grey ? 1 : 3) + (header->alpha ? 1 : 0);
        header->storedMode =
            grey ? ColourMode::kGrey : (header->alpha ? ColourMode::kRgba : ColourMode::kRgb);

        png_set_expand(png_);  // palettes, low bit depths and tRNS
        png_set_scale_16(png_);
        interlaced_ = png_set_interlace_handling(png_) > 1;
        png_read_update_info(png_, info_);
        return {};
    }

    std::string ReadRows(const RowSink& sink) override {
        const std::size_t rowBytes = png_get_rowbytes(png_, info_);
        const uint32_t height = png_get_image_height(png_, info_);
        // An interlaced image arrives in passes over the whole picture.
        std::vector<uint8_t> rows(rowBytes * (interlaced_ ? height : 1));
        std::vector<png_bytep> pointers;
        if (interlaced_) {
            for (uint32_t y = 0; y < height; ++y) pointers.push_back(rows.data() + y * rowBytes);
        }
        if (setjmp(png_jmpbuf(png_))) return trap_.message;
        if (interlaced_) {
            png_read_image(png_, pointers.data());
        } else {
            for (uint32_t y = 0; y < height; ++y) {
                png_read_row(png_, rows.data(), nullptr);
                sink(static_cast<int32_t>(y), rows.data());
            }
        }
        png_read_end(png_, nullptr);
        if (interlaced_) {
            for (uint32_t y = 0; y < height; ++y) sink(static_cast<int32_t>(y), pointers[y]);
        }
        return {};
    }

private:
    MessageTrap trap_;
    MemorySource source_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    bool interlaced_ = false;
};

extern "C" void WriteToVector(png_structp png, png_bytep data, png_size_t count) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + count);
}

extern "C" void FlushNothing(png_structp) {}

struct WriteState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~WriteState() { png_destroy_write_struct(&png, &info); }
};

}  // namespace

std::unique_ptr<ImageDecoder> MakePngDecoder(const uint8_t* data, std::size_t size) {
    return std::make_unique<PngDecoder>(data, size);
}

std::string EncodePng(const EncodeRequest& request, std::vector<uint8_t>* bytes) {
    MessageTrap trap;
    WriteState state;
    std::vector<uint8_t> row(static_cast<std::size_t>(request.width) *
                             static_cast<std::size_t>(request.channels));
    bytes->clear();
    state.png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &trap, KeepPngError, IgnorePngWarning);
    if (state.png == nullptr) return "out of memory";
    state.info = png_create_info_struct(state.png);
    if (state.info == nullptr) return "out of memory";
    if (setjmp(png_jmpbuf(state.png))) return trap.message;
    png_set_write_fn(state.png, bytes, WriteToVector, FlushNothing);
    png_set_compression_level(state.png, request.pngLevel);
    png_set_IHDR(state.png, state.info, static_cast<uint32_t>(request.width),
                 static_cast<uint32_t>(request.height), 8,
                 request.channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(state.png, state.info);
    for (int32_t y = 0; y < request.height; ++y) {
        request.rows(y, row.data());
        png_write_row(state.png, row.data());
    }
    png_write_end(state.png, nullptr);
    return {};
}
