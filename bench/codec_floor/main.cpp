// lumistra-codec-floor: the least that filtering an image file can cost with
// lumistra's codec libraries, for scripts/bench.
//
//   lumistra-codec-floor make-jpeg OUT.jpg WIDTH HEIGHT   a noisy test photo
//   lumistra-codec-floor jpeg IN.jpg OUT.jpg QUALITY      decode, filter, encode
//   lumistra-codec-floor png IN.png OUT.png LEVEL         the same for PNG
//
// Filtering is three ProcessPlane calls with the plug-in's default
// strengths; JPEG output keeps the input's chroma subsampling, as lumistra
// does. Prints the seconds the work took, without process start-up.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// After <cstdio>: jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>
#include <png.h>

#include "engine/noise_reducer.h"
#include "tools/sample_image/sample_image.h"

namespace {

struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    int channels = 3;
    std::vector<uint8_t> pixels;  // interleaved
    int lumaH = 2, lumaV = 2;     // JPEG luma sampling factors
};

bool ReadJpeg(const char* path, Image* image) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    image->lumaH = info.comp_info[0].h_samp_factor;
    image->lumaV = info.comp_info[0].v_samp_factor;
    jpeg_start_decompress(&info);
    image->width = info.output_width;
    image->height = info.output_height;
    image->pixels.resize(size_t{image->width} * image->height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &image->pixels[size_t{info.output_scanline} * image->width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return true;
}

bool WriteJpeg(const char* path, const Image& image, int quality) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = image.width;
    info.image_height = image.height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.comp_info[0].h_samp_factor = image.lumaH;
    info.comp_info[0].v_samp_factor = image.lumaV;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<uint8_t*>(&image.pixels[size_t{info.next_scanline} * image.width * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

bool ReadPng(const char* path, Image* image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path)) return false;
    png.format = PNG_FORMAT_RGB;
    image->width = png.width;
    image->height = png.height;
    image->pixels.resize(PNG_IMAGE_SIZE(png));
    return png_image_finish_read(&png, nullptr, image->pixels.data(), 0, nullptr) != 0;
}

bool WritePng(const char* path, const Image& image, int level) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_compression_level(png, level);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (uint32_t y = 0; y < image.height; ++y)
        png_write_row(png, &image.pixels[size_t{y} * image.width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

void* Allocate(uint32_t bytes) { return std::malloc(bytes); }
void Release(void* block) { std::free(block); }

// The three colour planes filtered as the plug-in filters them by default.
bool FilterPlanes(Image* image) {
    NoiseReducer reducer(Allocate, Release);
    const size_t count = size_t{image->width} * image->height;
    std::vector<uint8_t> plane(count);
    for (int c = 0; c < 3; ++c) {
        for (size_t i = 0; i < count; ++i) plane[i] = image->pixels[i * 3 + c];
        if (reducer.ProcessPlane(plane.data(), plane.data(), image->width, image->height,
                                 1.4142135f, 1.4142135f, 1.0f, 1, 5)) {
            return false;
        }
        for (size_t i = 0; i < count; ++i) image->pixels[i * 3 + c] = plane[i];
    }
    reducer.ReleaseWorkImages();
    return true;
}

int Usage() {
    std::fputs(
        "usage: lumistra-codec-floor make-jpeg OUT W H | jpeg IN OUT QUALITY | png IN OUT LEVEL\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) return Usage();
    const std::string mode = argv[1];
    if (mode == "make-jpeg") {
        Image image;
        image.width = static_cast<uint32_t>(std::atoi(argv[3]));
        image.height = static_cast<uint32_t>(std::atoi(argv[4]));
        image.pixels.resize(size_t{image.width} * image.height * 3);
        for (int c = 0; c < 3; ++c) {
            const std::vector<uint8_t> plane = lumistra::MakeSamplePlane(
                image.width, image.height, static_cast<lumistra::SampleChannel>(c));
            for (size_t i = 0; i < plane.size(); ++i) image.pixels[i * 3 + c] = plane[i];
        }
        return WriteJpeg(argv[2], image, 92) ? 0 : 1;
    }
    const auto start = std::chrono::steady_clock::now();
    Image image;
    bool ok = false;
    if (mode == "jpeg") {
        ok = ReadJpeg(argv[2], &image) && FilterPlanes(&image) &&
             WriteJpeg(argv[3], image, std::atoi(argv[4]));
    } else if (mode == "png") {
        ok = ReadPng(argv[2], &image) && FilterPlanes(&image) &&
             WritePng(argv[3], image, std::atoi(argv[4]));
    } else {
        return Usage();
    }
    if (!ok) {
        std::fprintf(stderr, "lumistra-codec-floor: %s failed\n", argv[2]);
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%.4f\n", took.count());
    return 0;
}
