#include "platform/picture/PictureDecoders.h"

#include <png.h>

#include <bit>
#include <cstdio>
#include <cstring>

namespace plat {

namespace {

static_assert(std::endian::native == std::endian::little, "rows of B, G, R, A bytes are read as 0xAARRGGBB words");

// Everything libpng's callbacks and the C-style frames below share. Plain
// data only: libpng leaves every error by longjmp.
struct PngRead {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
    char message[160] = {};
};

void OnPngError(png_structp png, png_const_charp message)
{
    auto* read = static_cast<PngRead*>(png_get_error_ptr(png));
    (void)std::snprintf(read->message, sizeof read->message, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) { }

void ReadPngBytes(png_structp png, png_bytep into, std::size_t length)
{
    auto* read = static_cast<PngRead*>(png_get_io_ptr(png));
    if (length > read->size - read->at)
        png_error(png, "file ends early");
    std::memcpy(into, read->data + read->at, length);
    read->at += length;
}

// Chunks the panel never uses, five bytes each with their terminating zero;
// skipping them spares their decompression.
constexpr png_byte kSkippedChunks[] = "iCCP\0iTXt\0tEXt\0zTXt\0sPLT\0eXIf";

// The two frames below are where libpng's errors land: they hold no object
// with a destructor, and neither does anything between them and libpng.

// Reads every chunk before the pixels.
bool ReadPngHeader(PngRead& read)
{
    if (setjmp(png_jmpbuf(read.png)))
        return false;
    png_set_read_fn(read.png, &read, ReadPngBytes);
    png_set_keep_unknown_chunks(read.png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, sizeof kSkippedChunks / 5);
    // Checksums catch damage in storage, which bytes fetched over TCP do not
    // meet, and cost a tenth of the decoding time; a damaged stream still
    // fails in inflate, and every read stays bounds-checked.
    png_set_crc_action(read.png, PNG_CRC_QUIET_USE, PNG_CRC_DEFAULT);
    png_set_option(read.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_read_info(read.png, read.info);
    return true;
}

// Reads the pixels as B, G, R, A bytes into `pixels`, width x height
// words; interlaced files pass by pass into the same rows.
bool ReadPngPixels(PngRead& read, std::uint32_t* pixels, png_uint_32 width, png_uint_32 height)
{
    if (setjmp(png_jmpbuf(read.png)))
        return false;
    png_set_expand(read.png); // palette to RGB, grey to 8 bits, tRNS to alpha
    png_set_scale_16(read.png);
    png_set_gray_to_rgb(read.png);
    png_set_filler(read.png, 0xFF, PNG_FILLER_AFTER); // opaque alpha where the file has none
    png_set_bgr(read.png);
    const int passes = png_set_interlace_handling(read.png);
    png_read_update_info(read.png, read.info);
    if (png_get_rowbytes(read.png, read.info) != static_cast<std::size_t>(width) * 4)
        png_error(read.png, "unexpected row layout after expansion");
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(read.png, reinterpret_cast<png_bytep>(pixels + static_cast<std::size_t>(y) * width), nullptr);
    }
    return true;
}

class PngReadOwner {
public:
    explicit PngReadOwner(PngRead& read)
        : m_read(read)
    {
        m_read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &m_read, OnPngError, OnPngWarning);
        if (m_read.png)
            m_read.info = png_create_info_struct(m_read.png);
    }
    ~PngReadOwner() { png_destroy_read_struct(&m_read.png, &m_read.info, nullptr); }
    PngReadOwner(const PngReadOwner&) = delete;
    PngReadOwner& operator=(const PngReadOwner&) = delete;

private:
    PngRead& m_read;
};

}

bool DecodePng(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error)
{
    out = {};
    PngRead read;
    read.data = bytes.data();
    read.size = bytes.size();
    PngReadOwner owner(read);
    if (!read.png || !read.info) {
        error = "out of memory for the PNG reader";
        return false;
    }
    if (!ReadPngHeader(read)) {
        error = std::string("PNG: ") + read.message;
        return false;
    }
    const png_uint_32 width = png_get_image_width(read.png, read.info);
    const png_uint_32 height = png_get_image_height(read.png, read.info);
    error = PictureSizeError(width, height, maxPixels);
    if (!error.empty())
        return false;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (!ReadPngPixels(read, pixels.data(), width, height)) {
        error = std::string("PNG: ") + read.message;
        return false;
    }
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.argb = std::move(pixels);
    return true;
}

}
