#include "app/cli/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "app/cli/image_encoding.h"

namespace {

// The library's messages are kept, not printed: the tool reports one line
// per file in its own words. A warning (data that ends early, a corrupt
// segment) is damage too: the library would otherwise fill in grey.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX] = {};
    bool warned = false;
};

extern "C" void KeepMessageAndEscape(j_common_ptr info) {
    ErrorTrap* trap = reinterpret_cast<ErrorTrap*>(info->err);
    trap->manager.format_message(info, trap->message);
    std::longjmp(trap->escape, 1);
}

extern "C" void KeepWarning(j_common_ptr info, int level) {
    ErrorTrap* trap = reinterpret_cast<ErrorTrap*>(info->err);
    if (level >= 0 || trap->warned) return;  // trace messages
    trap->manager.format_message(info, trap->message);
    trap->warned = true;
}

void InstallTrap(ErrorTrap* trap, jpeg_common_struct* info) {
    info->err = jpeg_std_error(&trap->manager);
    trap->manager.error_exit = KeepMessageAndEscape;
    trap->manager.emit_message = KeepWarning;
}

std::optional<ChromaSubsampling> SubsamplingOf(const jpeg_decompress_struct& info) {
    if (info.num_components != 3) return std::nullopt;
    const jpeg_component_info& luma = info.comp_info[0];
    for (int c = 1; c < 3; ++c) {
        if (info.comp_info[c].h_samp_factor != 1 || info.comp_info[c].v_samp_factor != 1)
            return std::nullopt;
    }
    if (luma.h_samp_factor == 1 && luma.v_samp_factor == 1) return ChromaSubsampling::k444;
    if (luma.h_samp_factor == 2 && luma.v_samp_factor == 1) return ChromaSubsampling::k422;
    if (luma.h_samp_factor == 2 && luma.v_samp_factor == 2) return ChromaSubsampling::k420;
    // Rarer layouts (4:1:1, 4:4:0) are kept as closely as the options allow.
    return luma.h_samp_factor * luma.v_samp_factor >= 4 ? ChromaSubsampling::k420
                                                        : ChromaSubsampling::k422;
}

// Every luma block of a Huffman-coded scan costs at least a bit, so a file
// shorter than that cannot hold the picture its header claims; arithmetic
// coding can go below a bit, so it gets far more room.
bool CanHold(const jpeg_decompress_struct& info, std::size_t size) {
    const uint64_t blocks =
        (uint64_t{info.image_width} + 7) / 8 * ((uint64_t{info.image_height} + 7) / 8);
    const uint64_t bitsPerByte = info.arith_code ? 8 * 64 : 8;
    return size >= blocks / bitsPerByte;
}

class JpegDecoder : public ImageDecoder {
public:
    JpegDecoder(const uint8_t* data, std::size_t size) : data_(data), size_(size) {
        InstallTrap(&trap_, reinterpret_cast<jpeg_common_struct*>(&info_));
        jpeg_create_decompress(&info_);
    }
    ~JpegDecoder() override { jpeg_destroy_decompress(&info_); }

    std::string ReadHeader(ImageHeader* header) override {
        if (setjmp(trap_.escape)) return trap_.message;
        jpeg_mem_src(&info_, data_, static_cast<unsigned long>(size_));
        jpeg_read_header(&info_, TRUE);
        if (trap_.warned) return trap_.message;

        header->width = static_cast<int32_t>(info_.image_width);
        header->height = static_cast<int32_t>(info_.image_height);
        header->bitsPerSample = info_.data_precision;
        switch (info_.jpeg_color_space) {
            case JCS_GRAYSCALE:
                header->storedMode = ColourMode::kGrey;
                header->channels = 1;
                break;
            case JCS_CMYK:
            case JCS_YCCK:
                header->storedMode = ColourMode::kCmyk;
                header->channels = 3;
                info_.out_color_space = JCS_CMYK;
                break;
            case JCS_RGB:
            case JCS_YCbCr:
                header->storedMode = ColourMode::kRgb;
                header->channels = 3;
                info_.out_color_space = JCS_RGB;
                break;
            default:
                header->storedMode.reset();
                header->channels = info_.num_components;
        }
        header->subsampling = SubsamplingOf(info_);
        if (!CanHold(info_, size_))
            return "the file is far too short for its " + Size() + " picture";
        return {};
    }

    std::string ReadRows(const RowSink& sink) override {
        // Made before the jump point, so that a jump back leaves it whole.
        std::vector<uint8_t> row(static_cast<std::size_t>(info_.image_width) *
                                 static_cast<std::size_t>(info_.num_components));
        std::vector<uint8_t> converted(static_cast<std::size_t>(info_.image_width) * 3);
        if (setjmp(trap_.escape)) return trap_.message;
        jpeg_start_decompress(&info_);
        const bool cmyk = info_.out_color_space == JCS_CMYK;
        // Photoshop writes its CMYK JPEGs with the inks inverted, and says so
        // in its Adobe segment.
        const bool inverted = info_.saw_Adobe_marker;
        while (info_.output_scanline < info_.output_height) {
            const int32_t y = static_cast<int32_t>(info_.output_scanline);
            JSAMPROW rows[1] = {row.data()};
            jpeg_read_scanlines(&info_, rows, 1);
            if (trap_.warned) return trap_.message;
            if (!cmyk) {
                sink(y, row.data());
                continue;
            }
            for (std::size_t x = 0; x < info_.output_width; ++x) {
                const uint8_t* ink = &row[x * 4];
                const unsigned black = inverted ? ink[3] : 255u - ink[3];
                for (int c = 0; c < 3; ++c) {
                    const unsigned colour = inverted ? ink[c] : 255u - ink[c];
                    converted[x * 3 + c] = static_cast<uint8_t>((colour * black + 127) / 255);
                }
            }
            sink(y, converted.data());
        }
        jpeg_finish_decompress(&info_);
        if (trap_.warned) return trap_.message;
        return {};
    }

private:
    std::string Size() const {
        return std::to_string(info_.image_width) + " x " + std::to_string(info_.image_height);
    }

    const uint8_t* data_;
    std::size_t size_;
    ErrorTrap trap_;
    jpeg_decompress_struct info_{};
};

void SetSampling(jpeg_compress_struct* info, ChromaSubsampling subsampling) {
    const int horizontal = subsampling == ChromaSubsampling::k444 ? 1 : 2;
    const int vertical = subsampling == ChromaSubsampling::k420 ? 2 : 1;
    info->comp_info[0].h_samp_factor = horizontal;
    info->comp_info[0].v_samp_factor = vertical;
    for (int c = 1; c < 3; ++c) {
        info->comp_info[c].h_samp_factor = 1;
        info->comp_info[c].v_samp_factor = 1;
    }
}

struct CompressState {
    jpeg_compress_struct info{};
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    ~CompressState() {
        jpeg_destroy_compress(&info);
        std::free(output);
    }
};

}  // namespace

std::unique_ptr<ImageDecoder> MakeJpegDecoder(const uint8_t* data, std::size_t size) {
    return std::make_unique<JpegDecoder>(data, size);
}

std::string EncodeJpeg(const EncodeRequest& request, std::vector<uint8_t>* bytes) {
    if (request.channels != 3) return "jpeg files hold RGB without transparency";
    ErrorTrap trap;
    CompressState state;
    std::vector<uint8_t> row(static_cast<std::size_t>(request.width) * 3);
    InstallTrap(&trap, reinterpret_cast<jpeg_common_struct*>(&state.info));
    if (setjmp(trap.escape)) return trap.message;
    jpeg_create_compress(&state.info);
    jpeg_mem_dest(&state.info, &state.output, &state.outputSize);
    state.info.image_width = static_cast<JDIMENSION>(request.width);
    state.info.image_height = static_cast<JDIMENSION>(request.height);
    state.info.input_components = 3;
    state.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&state.info);
    jpeg_set_quality(&state.info, request.quality, TRUE);
    SetSampling(&state.info, request.subsampling);
    jpeg_start_compress(&state.info, TRUE);
    while (state.info.next_scanline < state.info.image_height) {
        request.rows(static_cast<int32_t>(state.info.next_scanline), row.data());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&state.info, rows, 1);
    }
    jpeg_finish_compress(&state.info);
    bytes->assign(state.output, state.output + state.outputSize);
    return {};
}
