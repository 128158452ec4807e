#include "platform/picture/PictureDecoders.h"

#include <bit>
#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace plat {

namespace {

static_assert(std::endian::native == std::endian::little, "rows of B, G, R, A bytes are read as 0xAARRGGBB words");

// Real progressive files have about ten scans, and every scan may revisit
// the whole picture: thousands of tiny ones cost minutes for nothing.
constexpr int kMaxScans = 256;

// A progressive file keeps every coefficient in memory, two bytes per pixel
// and component: 32 MB for a CMYK picture at the panel's largest size.
constexpr long kMaxLibraryMemory = 64L * 1024 * 1024;

// Everything libjpeg's callbacks and the C-style frames below share. Plain
// data only: an error leaves libjpeg by longjmp.
struct JpegRead {
    jpeg_decompress_struct info = {};
    jpeg_error_mgr errors = {};
    jpeg_progress_mgr progress = {};
    std::jmp_buf jump = {};
    char message[JMSG_LENGTH_MAX] = {};
    bool endedEarly = false;
};

JpegRead& ReadOf(j_common_ptr info) { return *static_cast<JpegRead*>(info->client_data); }

[[noreturn]] void OnJpegError(j_common_ptr info)
{
    (*info->err->format_message)(info, ReadOf(info).message);
    std::longjmp(ReadOf(info).jump, 1);
}

// Warnings are counted and kept quiet; only a file that ends before its
// pixels do is remembered, as libjpeg fills the rest with grey.
void OnJpegMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    ++info->err->num_warnings;
    if (info->err->msg_code == JWRN_JPEG_EOF)
        ReadOf(info).endedEarly = true;
}

void OnJpegProgress(j_common_ptr info)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number <= kMaxScans)
        return;
    (void)std::snprintf(ReadOf(info).message, JMSG_LENGTH_MAX, "more than %d scans", kMaxScans);
    std::longjmp(ReadOf(info).jump, 1);
}

// The two frames below are where libjpeg's errors land: they hold no object
// with a destructor, and neither does anything between them and libjpeg.

bool ReadJpegHeader(JpegRead& read, const std::uint8_t* data, std::size_t size)
{
    if (setjmp(read.jump))
        return false;
    read.info.err = jpeg_std_error(&read.errors);
    read.errors.error_exit = OnJpegError;
    read.errors.emit_message = OnJpegMessage;
    read.info.client_data = &read;
    jpeg_create_decompress(&read.info);
    read.info.mem->max_memory_to_use = kMaxLibraryMemory;
    read.progress.progress_monitor = OnJpegProgress;
    read.info.progress = &read.progress;
    jpeg_mem_src(&read.info, data, size);
    jpeg_read_header(&read.info, TRUE);
    return true;
}

// Reads the pixels into `pixels`, image_width x image_height words, as
// B, G, R, A bytes, or as C, M, Y, K bytes for a CMYK file.
bool ReadJpegPixels(JpegRead& read, std::uint32_t* pixels)
{
    if (setjmp(read.jump))
        return false;
    const bool cmyk = read.info.jpeg_color_space == JCS_CMYK || read.info.jpeg_color_space == JCS_YCCK;
    read.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&read.info);
    if (read.info.output_width != read.info.image_width || read.info.output_height != read.info.image_height
        || read.info.output_components != 4) {
        (void)std::snprintf(read.message, JMSG_LENGTH_MAX, "unexpected output layout");
        return false;
    }
    while (read.info.output_scanline < read.info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(
            pixels + static_cast<std::size_t>(read.info.output_scanline) * read.info.output_width);
        if (jpeg_read_scanlines(&read.info, &row, 1) != 1) {
            (void)std::snprintf(read.message, JMSG_LENGTH_MAX, "no scanline");
            return false;
        }
    }
    return true;
}

// C, M, Y, K bytes to opaque RGB. Files with an Adobe marker store every
// ink inverted, as nearly all CMYK files do.
void CmykToRgb(std::vector<std::uint32_t>& pixels, bool inverted)
{
    for (std::uint32_t& p : pixels) {
        std::uint32_t c = p & 0xFF, m = (p >> 8) & 0xFF, y = (p >> 16) & 0xFF, k = p >> 24;
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        auto ink = [k](std::uint32_t v) { return (v * k + 127) / 255; };
        p = 0xFF000000u | ink(c) << 16 | ink(m) << 8 | ink(y);
    }
}

class JpegReadOwner {
public:
    explicit JpegReadOwner(JpegRead& read)
        : m_read(read)
    {
    }
    ~JpegReadOwner() { jpeg_destroy_decompress(&m_read.info); }
    JpegReadOwner(const JpegReadOwner&) = delete;
    JpegReadOwner& operator=(const JpegReadOwner&) = delete;

private:
    JpegRead& m_read;
};

}

bool DecodeJpeg(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error)
{
    out = {};
    JpegRead read;
    JpegReadOwner owner(read);
    if (!ReadJpegHeader(read, bytes.data(), bytes.size())) {
        error = std::string("JPEG: ") + read.message;
        return false;
    }
    error = PictureSizeError(read.info.image_width, read.info.image_height, maxPixels);
    if (!error.empty())
        return false;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(read.info.image_width) * read.info.image_height);
    if (!ReadJpegPixels(read, pixels.data())) {
        error = std::string("JPEG: ") + read.message;
        return false;
    }
    if (read.endedEarly) {
        error = "JPEG: file ends before its last pixel";
        return false;
    }
    if (read.info.out_color_space == JCS_CMYK)
        CmykToRgb(pixels, read.info.saw_Adobe_marker);
    out.width = static_cast<int>(read.info.image_width);
    out.height = static_cast<int>(read.info.image_height);
    out.argb = std::move(pixels);
    return true;
}

}
