#include "platform/picture/PictureDecoders.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace plat {

namespace {

struct GifBytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
};

// giflib's reader: a short count is how it learns the file ended.
int ReadGifBytes(GifFileType* gif, GifByteType* into, int length)
{
    auto* bytes = static_cast<GifBytes*>(gif->UserData);
    std::size_t count = std::min(static_cast<std::size_t>(std::max(length, 0)), bytes->size - bytes->at);
    std::memcpy(into, bytes->data + bytes->at, count);
    bytes->at += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

bool Fail(std::string& error, const std::string& reason)
{
    error = "GIF: " + reason;
    return false;
}

bool FailCode(std::string& error, int code)
{
    const char* text = GifErrorString(code);
    return Fail(error, text ? text : "error " + std::to_string(code));
}

// Reads the records before the first frame; its transparent colour index
// (-1 for none) comes from the graphics control block before it.
bool ReachFirstFrame(GifFileType* gif, int& transparent, std::string& error)
{
    transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return FailCode(error, gif->Error);
        if (type == IMAGE_DESC_RECORD_TYPE)
            return true;
        if (type != EXTENSION_RECORD_TYPE)
            return Fail(error, "no frame");
        int function = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &function, &block) == GIF_ERROR)
            return FailCode(error, gif->Error);
        GraphicsControlBlock control;
        if (function == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4
            && DGifExtensionToGCB(4, block + 1, &control) == GIF_OK)
            transparent = control.TransparentColor;
        while (block) {
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                return FailCode(error, gif->Error);
        }
    }
}

// The frame row each stored line goes to: interlaced frames store every
// eighth row from 0, every eighth from 4, every fourth from 2, then the odd ones.
std::vector<int> StoredRowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    constexpr int kStart[] = { 0, 4, 2, 1 };
    constexpr int kStep[] = { 8, 8, 4, 2 };
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass])
            rows.push_back(y);
    }
    return rows;
}

}

bool DecodeGif(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error)
{
    out = {};
    GifBytes source { bytes.data(), bytes.size(), 0 };
    int code = 0;
    GifFile gif(DGifOpen(&source, ReadGifBytes, &code));
    if (!gif)
        return FailCode(error, code);
    const int width = gif->SWidth;
    const int height = gif->SHeight;
    error = PictureSizeError(width, height, maxPixels);
    if (!error.empty())
        return false;
    int transparent = NO_TRANSPARENT_COLOR;
    if (!ReachFirstFrame(gif.get(), transparent, error))
        return false;
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
        return FailCode(error, gif->Error);
    const GifImageDesc frame = gif->Image;
    // Each stored row is read even where it falls outside the canvas, so the
    // frame's own size bounds the work as the canvas bounds the memory.
    std::string frameError = PictureSizeError(frame.Width, frame.Height, maxPixels);
    if (!frameError.empty())
        return Fail(error, "frame: " + frameError);
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!colours)
        return Fail(error, "no colour table");

    // Indices past the table and the transparent one read as transparent.
    std::uint32_t palette[256] = {};
    for (int i = 0; i < std::min(colours->ColorCount, 256); ++i) {
        const GifColorType& c = colours->Colors[i];
        palette[i] = 0xFF000000u | std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue;
    }
    if (transparent >= 0 && transparent < 256)
        palette[transparent] = 0;

    std::vector<std::uint32_t> canvas(static_cast<std::size_t>(width) * height);
    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    const int visibleWidth = std::clamp(width - frame.Left, 0, frame.Width);
    for (int y : StoredRowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR)
            return FailCode(error, gif->Error);
        const int canvasY = frame.Top + y;
        if (canvasY >= height || visibleWidth == 0)
            continue;
        std::uint32_t* row = canvas.data() + static_cast<std::size_t>(canvasY) * width + frame.Left;
        for (int x = 0; x < visibleWidth; ++x)
            row[x] = palette[line[static_cast<std::size_t>(x)]];
    }
    out.width = width;
    out.height = height;
    out.argb = std::move(canvas);
    return true;
}

}
