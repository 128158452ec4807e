// Decoding a 2048 x 2048 picture (the panel's largest) side by side with
// its floor:
//   jpeg   DecodeJpeg (4:2:0, quality 90)
//          vs the same libjpeg-turbo decode to RGB rows with nothing around
//          it (what djpeg does before writing its file), and vs djpeg itself
//          run as a process writing to /dev/null
//   png    DecodePng (8-bit RGB)
//          vs a plain libpng read loop writing the same B, G, R, A rows
// The picture is a smooth gradient with noise, so both files compress as
// photographs and screenshots do.

#include "platform/picture/PictureDecoders.h"
#include "support/Interleaved.h"
#include "support/Medians.h"
#include "support/RatioTable.h"
#include "support/Timed.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kSide = 2048;
constexpr long long kMaxPixels = 2048LL * 2048;

benchsupport::Samples g_seconds;

template <typename F>
void Timed(benchmark::State& state, const char* name, F&& step)
{
    benchsupport::Timed(state, g_seconds, name, step);
}

std::vector<unsigned char> RgbPicture()
{
    std::vector<unsigned char> rgb(static_cast<std::size_t>(kSide) * kSide * 3);
    unsigned seed = 12345;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            seed = seed * 1103515245 + 12345;
            int noise = static_cast<int>((seed >> 16) & 15) - 8;
            unsigned char* p = &rgb[(static_cast<std::size_t>(y) * kSide + x) * 3];
            p[0] = static_cast<unsigned char>(std::clamp(x / 8 + noise, 0, 255));
            p[1] = static_cast<unsigned char>(std::clamp(y / 8 + noise, 0, 255));
            p[2] = static_cast<unsigned char>(std::clamp((x + y) / 16 + noise, 0, 255));
        }
    }
    return rgb;
}

std::vector<std::uint8_t> EncodeJpeg(const std::vector<unsigned char>& rgb)
{
    jpeg_compress_struct info = {};
    jpeg_error_mgr errors = {};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = kSide;
    info.image_height = kSide;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(&rgb[static_cast<std::size_t>(info.next_scanline) * kSide * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

std::vector<std::uint8_t> EncodePng(const std::vector<unsigned char>& rgb)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = kSide;
    image.height = kSide;
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr);
    std::vector<std::uint8_t> out(size);
    png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr);
    out.resize(size);
    return out;
}

const std::vector<std::uint8_t>& Jpeg()
{
    static const std::vector<std::uint8_t> bytes = EncodeJpeg(RgbPicture());
    return bytes;
}

const std::vector<std::uint8_t>& Png()
{
    static const std::vector<std::uint8_t> bytes = EncodePng(RgbPicture());
    return bytes;
}

// libjpeg-turbo's decode as djpeg drives it: default settings, RGB rows
// into a buffer of the picture's size.
std::vector<unsigned char> PlainJpegDecode(const std::vector<std::uint8_t>& bytes)
{
    std::vector<unsigned char> rgb;
    jpeg_decompress_struct info = {};
    jpeg_error_mgr errors = {};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), bytes.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    rgb.resize(static_cast<std::size_t>(info.output_width) * info.output_height * info.output_components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &rgb[static_cast<std::size_t>(info.output_scanline) * info.output_width * info.output_components];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return rgb;
}

struct MemoryRead {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep into, std::size_t length)
{
    auto* read = static_cast<MemoryRead*>(png_get_io_ptr(png));
    std::copy_n(read->bytes->data() + read->at, length, into);
    read->at += length;
}

// A plain libpng read loop writing the same B, G, R, A rows; its input is
// known good, so it sets up no error frame.
std::vector<std::uint32_t> PlainPngDecode(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint32_t> pixels;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    MemoryRead read { &bytes };
    png_set_read_fn(png, &read, ReadFromMemory);
    png_read_info(png, info);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    pixels.resize(static_cast<std::size_t>(width) * height);
    for (png_uint_32 y = 0; y < height; ++y)
        png_read_row(png, reinterpret_cast<png_bytep>(&pixels[static_cast<std::size_t>(y) * width]), nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return pixels;
}

std::string JpegFile()
{
    static const std::string path = [] {
        std::string name = "/tmp/bench_pictures_" + std::to_string(::getpid()) + ".jpg";
        std::ofstream(name, std::ios::binary)
            .write(reinterpret_cast<const char*>(Jpeg().data()), static_cast<std::streamsize>(Jpeg().size()));
        return name;
    }();
    return path;
}

void RunDjpeg(const std::string& path)
{
    const char* argv[] = { "djpeg", "-outfile", "/dev/null", path.c_str(), nullptr };
    pid_t child = 0;
    if (posix_spawnp(&child, "djpeg", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return;
    int status = 0;
    waitpid(child, &status, 0);
}

void BM_Jpeg_Decode(benchmark::State& state)
{
    plat::DecodedPicture picture;
    std::string error;
    Timed(state, "jpeg DecodeJpeg", [&] {
        plat::DecodeJpeg(Jpeg(), kMaxPixels, picture, error);
        benchmark::DoNotOptimize(picture);
    });
    if (picture.width != kSide)
        state.SkipWithError(error.c_str());
}

void BM_Jpeg_PlainFloor(benchmark::State& state)
{
    Timed(state, "jpeg plain libjpeg", [&] { benchmark::DoNotOptimize(PlainJpegDecode(Jpeg())); });
}

void BM_Jpeg_DjpegFloor(benchmark::State& state)
{
    const std::string path = JpegFile();
    Timed(state, "jpeg djpeg process", [&] { RunDjpeg(path); });
}

void BM_Png_Decode(benchmark::State& state)
{
    plat::DecodedPicture picture;
    std::string error;
    Timed(state, "png DecodePng", [&] {
        plat::DecodePng(Png(), kMaxPixels, picture, error);
        benchmark::DoNotOptimize(picture);
    });
    if (picture.width != kSide)
        state.SkipWithError(error.c_str());
}

void BM_Png_PlainFloor(benchmark::State& state)
{
    Timed(state, "png plain libpng", [&] { benchmark::DoNotOptimize(PlainPngDecode(Png())); });
}

BENCHMARK(BM_Jpeg_PlainFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_Jpeg_DjpegFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_Jpeg_Decode)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_Png_PlainFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(BM_Png_Decode)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);

}

int main(int argc, char** argv)
{
    if (!benchsupport::InitializeInterleaved(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    (void)std::remove(JpegFile().c_str());
    benchsupport::PrintRatioTable(g_seconds,
        {
            { "jpeg DecodeJpeg", "jpeg plain libjpeg", "<= 1.2" },
            { "jpeg DecodeJpeg", "jpeg djpeg process", "<= 1.2" },
            { "png DecodePng", "png plain libpng", "<= 1.2" },
        });
    return 0;
}
