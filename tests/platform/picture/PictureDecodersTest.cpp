// Pictures made by Debian's own tools (ImageMagick's convert, cjpeg,
// pngcrush) decode to the pixels convert reports for them; damaged and
// hostile files are refused, or drawn as convert draws them.

#include "platform/picture/PictureDecoders.h"
#include "platform/web/TestImages.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr long long kMaxPixels = 2048LL * 2048;
constexpr int kWidth = 37;
constexpr int kHeight = 23;

std::span<const std::uint8_t> Bytes(const std::string& s) { return { reinterpret_cast<const std::uint8_t*>(s.data()), s.size() }; }

bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

// A pattern with every channel varying, some pixels fully transparent and
// some half, as a PAM with alpha and a PPM without.
void WritePattern(const lvtest::TempFolder& folder)
{
    std::string rgba, rgb;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const unsigned char r = static_cast<unsigned char>(x * 7 + y * 3);
            const unsigned char g = static_cast<unsigned char>(x * x + y * 11);
            const unsigned char b = static_cast<unsigned char>(255 - x * 5 - y * 2);
            const unsigned char a = static_cast<unsigned char>((x + y) % 5 == 0 ? 0 : (x % 3 == 0 ? 128 : 255));
            rgba += { static_cast<char>(r), static_cast<char>(g), static_cast<char>(b), static_cast<char>(a) };
            rgb += { static_cast<char>(r), static_cast<char>(g), static_cast<char>(b) };
        }
    }
    const std::string size = std::to_string(kWidth) + " " + std::to_string(kHeight);
    lvtest::WriteNative(folder.Native("rgba.pam"), "P7\nWIDTH " + std::to_string(kWidth) + "\nHEIGHT " + std::to_string(kHeight) + "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" + rgba);
    lvtest::WriteNative(folder.Native("rgb.ppm"), "P6\n" + size + "\n255\n" + rgb);
}

// An Exif block saying "rotate 90 degrees clockwise to show", put after the start marker.
void AddRotationTag(std::string& jpeg)
{
    const std::string tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 26);
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    const std::size_t length = body.size() + 2;
    jpeg.insert(2, std::string { '\xFF', '\xE1', static_cast<char>(length >> 8), static_cast<char>(length) } + body);
}

// IHDR's colour type, bit depth and interlace method, as "type/depth/interlace".
std::string PngShape(const std::string& png)
{
    if (png.size() < 29)
        return "short";
    return std::to_string(static_cast<unsigned char>(png[25])) + "/" + std::to_string(static_cast<unsigned char>(png[24]))
        + "/" + std::to_string(static_cast<unsigned char>(png[28]));
}

}

TEST(PictureDecoders, PicturesMadeByDebianToolsDecodeToThePixelsConvertReports)
{
    lvtest::TempFolder folder;
    WritePattern(folder);
    struct Case {
        const char* file;
        const char* make; // run in the folder: rgba.pam, rgb.ppm in, the file out
        // Per channel: JPEG decoders may differ by one, and convert's own
        // reduction of 16-bit samples is off by one at times where ours rounds.
        int tolerance;
        const char* pngShape = nullptr; // colour type/bit depth/interlace the file must have
        std::function<void(std::string&)> edit = nullptr;
    };
    const Case cases[] = {
        { "420.jpg", "cjpeg -quality 85 -sample 2x2 rgb.ppm > 420.jpg", 1 },
        { "444.jpg", "cjpeg -quality 85 -sample 1x1 rgb.ppm > 444.jpg", 1 },
        { "progressive.jpg", "cjpeg -progressive -sample 2x1 rgb.ppm > progressive.jpg", 1 },
        { "grey.jpg", "cjpeg -grayscale rgb.ppm > grey.jpg", 1 },
        { "cmyk.jpg", "convert rgb.ppm -colorspace CMYK cmyk.jpg", 1 },
        { "rotated.jpg", "cjpeg rgb.ppm > rotated.jpg", 1, nullptr, AddRotationTag },
        { "g1.png", "convert rgb.ppm -colorspace gray -threshold 50% -define png:color-type=0 -define png:bit-depth=1 g1.png", 0, "0/1/0" },
        { "g2.png", "convert rgb.ppm -colorspace gray -depth 2 -define png:color-type=0 -define png:bit-depth=2 g2.png", 0, "0/2/0" },
        { "g4.png", "convert rgb.ppm -colorspace gray -depth 4 -define png:color-type=0 -define png:bit-depth=4 g4.png", 0, "0/4/0" },
        { "g8.png", "convert rgb.ppm -colorspace gray -define png:color-type=0 -define png:bit-depth=8 g8.png", 0, "0/8/0" },
        { "g16.png", "convert rgb.ppm -colorspace gray -depth 16 -define png:color-type=0 -define png:bit-depth=16 g16.png", 1, "0/16/0" },
        { "rgb8.png", "convert rgb.ppm PNG24:rgb8.png", 0, "2/8/0" },
        { "rgb16.png", "convert rgb.ppm -depth 16 -evaluate multiply 0.9 -define png:color-type=2 -define png:bit-depth=16 rgb16.png", 1, "2/16/0" },
        { "p1.png", "convert rgb.ppm +dither -colors 2 -define png:bit-depth=1 PNG8:p1.png", 0, "3/1/0" },
        { "p2.png", "convert rgb.ppm +dither -colors 4 -define png:bit-depth=2 PNG8:p2.png", 0, "3/2/0" },
        { "p4.png", "convert rgb.ppm +dither -colors 16 -define png:bit-depth=4 PNG8:p4.png", 0, "3/4/0" },
        { "p8-transparent.png", "convert rgba.pam -colors 40 PNG8:p8-transparent.png", 0, "3/8/0" },
        { "ga8.png", "convert rgba.pam -colorspace gray -define png:color-type=4 -define png:bit-depth=8 ga8.png", 0, "4/8/0" },
        { "ga16.png", "convert rgba.pam -colorspace gray -depth 16 -define png:color-type=4 -define png:bit-depth=16 ga16.png", 1, "4/16/0" },
        { "rgba8.png", "convert rgba.pam PNG32:rgba8.png", 0, "6/8/0" },
        { "rgba16.png", "convert rgba.pam -depth 16 -evaluate multiply 0.9 -define png:color-type=6 -define png:bit-depth=16 rgba16.png", 1, "6/16/0" },
        { "rgba8-interlaced.png", "convert rgba.pam -interlace PNG PNG32:rgba8-interlaced.png", 0, "6/8/1" },
        { "rgb16-interlaced.png", "convert rgb.ppm -depth 16 -interlace PNG -define png:color-type=2 -define png:bit-depth=16 rgb16-interlaced.png", 0, "2/16/1" },
        { "crushed.png", "convert rgba.pam -colors 40 PNG8:c.png && pngcrush -q -reduce c.png crushed.png", 0 },
        { "transparent.gif", "convert rgba.pam -channel A -threshold 50% +channel -colors 64 transparent.gif", 0 },
        { "interlaced.gif", "convert rgb.ppm -colors 64 -interlace GIF interlaced.gif", 0 },
        { "frames.gif", "convert -delay 10 rgb.ppm \\( rgb.ppm -negate \\) \\( rgb.ppm -flip \\) -loop 0 frames.gif", 0 },
        { "b24.bmp", "convert rgb.ppm BMP3:b24.bmp", 0 },
        { "b32.bmp", "convert rgba.pam BMP:b32.bmp", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = folder.Native(c.file);
        ASSERT_TRUE(Shell("cd '" + folder.Native() + "' && " + c.make + " 2>/dev/null")) << c.make;
        std::string bytes = lvtest::ReadNative(path);
        if (c.edit) {
            c.edit(bytes);
            lvtest::WriteNative(path, bytes);
        }
        if (c.pngShape) {
            ASSERT_EQ(PngShape(bytes), c.pngShape) << "the tool made another kind of PNG";
        }
        ASSERT_TRUE(Shell("convert '" + path + "[0]' -depth 8 rgba:'" + path + ".rgba'"));
        const std::string expected = lvtest::ReadNative(path + ".rgba");

        plat::DecodedPicture picture;
        std::string error;
        ASSERT_TRUE(plat::DecodePicture(Bytes(bytes), kMaxPixels, picture, error)) << error;
        ASSERT_EQ(picture.width, kWidth);
        ASSERT_EQ(picture.height, kHeight);
        ASSERT_EQ(expected.size(), picture.argb.size() * 4);
        int worst = 0, wrong = 0;
        for (std::size_t i = 0; i < picture.argb.size(); ++i) {
            const std::uint32_t p = picture.argb[i];
            const auto* e = reinterpret_cast<const unsigned char*>(expected.data() + i * 4);
            if ((p >> 24) == 0 && e[3] == 0)
                continue; // fully transparent: the colour underneath is never seen
            const int got[] = { static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF), static_cast<int>(p & 0xFF),
                static_cast<int>(p >> 24) };
            for (int ch = 0; ch < 4; ++ch) {
                const int diff = std::abs(got[ch] - e[ch]);
                worst = std::max(worst, diff);
                wrong += diff > c.tolerance;
            }
        }
        EXPECT_EQ(wrong, 0) << "worst difference " << worst;
    }
}

namespace {

// A start marker, one Huffman table segment whose sixteen counts are all
// 255 (4,080 codes where a table holds at most 256) with its 4,080 values,
// and an end marker.
std::string OverfullHuffmanTableJpeg()
{
    const std::size_t length = 2 + 1 + 16 + 16 * 255;
    std::string jpeg = "\xFF\xD8\xFF\xC4";
    jpeg += { static_cast<char>(length >> 8), static_cast<char>(length & 0xFF), '\0' };
    jpeg.append(16, '\xFF');
    jpeg.append(16 * 255, '\x01');
    return jpeg + "\xFF\xD9";
}

// A 1 x 1 frame header declaring 255 components, and a scan of the first.
std::string TooManyComponentsJpeg()
{
    const std::size_t length = 8 + 3 * 255;
    std::string jpeg = "\xFF\xD8\xFF\xC0";
    jpeg += { static_cast<char>(length >> 8), static_cast<char>(length & 0xFF), 8, 0, 1, 0, 1, static_cast<char>(255) };
    for (int i = 0; i < 255; ++i)
        jpeg += { static_cast<char>(i), 0x11, 0 };
    jpeg += { '\xFF', '\xDA', 0, 8, 1, 0, 0, 0, 63, 0 };
    return jpeg + std::string(64, '\0') + "\xFF\xD9";
}

// A progressive JPEG with its last scan repeated `copies` times more.
std::string WithLastScanRepeated(std::string jpeg, int copies)
{
    const std::size_t last = jpeg.rfind("\xFF\xDA");
    const std::size_t end = jpeg.rfind("\xFF\xD9");
    const std::string scan = jpeg.substr(last, end - last);
    jpeg.erase(end);
    for (int i = 0; i < copies; ++i)
        jpeg += scan;
    return jpeg + "\xFF\xD9";
}

void PutBigEndian16(std::string& bytes, std::size_t at, unsigned value)
{
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value);
}

void PutLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A baseline JPEG whose frame header declares width x height.
std::string JpegDeclaring(std::string jpeg, unsigned width, unsigned height)
{
    const std::size_t sof = jpeg.find("\xFF\xC0");
    PutBigEndian16(jpeg, sof + 5, height);
    PutBigEndian16(jpeg, sof + 7, width);
    return jpeg;
}

std::string GifWithCanvas(unsigned width, unsigned height)
{
    std::string gif = webtest::RedGif();
    PutLittleEndian(gif, 6, width, 2);
    PutLittleEndian(gif, 8, height, 2);
    return gif;
}

// The red 1 x 1 GIF's one frame moved to `left` or given another size.
std::string GifWithFrame(unsigned left, unsigned width, unsigned height)
{
    std::string gif = webtest::RedGif();
    const std::size_t frame = gif.find(',');
    PutLittleEndian(gif, frame + 1, left, 2);
    PutLittleEndian(gif, frame + 5, width, 2);
    PutLittleEndian(gif, frame + 7, height, 2);
    return gif;
}

std::string BmpDeclaring(std::int32_t width, std::int32_t height)
{
    std::string bmp = webtest::SolidImage(webtest::ImageFormat::Bmp, 2, 2, 0x00FF00);
    PutLittleEndian(bmp, 18, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(bmp, 22, static_cast<std::uint32_t>(height), 4);
    return bmp;
}

// The first IDAT chunk's length field made to say 1 GB; the file stays as it was.
std::string PngWithGigabyteIdat(std::string png)
{
    const std::size_t idat = png.find("IDAT");
    for (int i = 0; i < 4; ++i)
        png[idat - 4 + i] = "\x40\0\0\0"[i];
    return png;
}

long PeakResidentKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}

TEST(PictureDecoders, HostileAndDamagedFilesAreRefusedOrDrawnWhole)
{
    lvtest::TempFolder folder;
    ASSERT_TRUE(Shell("cd '" + folder.Native() + "' && convert -seed 7 -size 160x120 xc: +noise Random -blur 0x1 noise.ppm"
                                                 " && convert noise.ppm noise.png && convert noise.ppm -interlace PNG interlaced.png"
                                                 " && cjpeg noise.ppm > baseline.jpg && cjpeg -progressive noise.ppm > progressive.jpg"
                                                 " && convert noise.ppm -colors 200 noise.gif && convert noise.ppm BMP3:noise.bmp"
                                                 " && convert -size 4x4 xc:red -page 6x6+4+4 outside.gif"));
    const long peakBefore = PeakResidentKb();

    // Cut every kilobyte: refused, or drawn exactly as the whole file.
    for (const char* name : { "noise.png", "interlaced.png", "baseline.jpg", "progressive.jpg", "noise.gif", "noise.bmp" }) {
        const std::string whole = lvtest::ReadNative(folder.Native(name));
        plat::DecodedPicture full, cut;
        std::string error;
        ASSERT_TRUE(plat::DecodePicture(Bytes(whole), kMaxPixels, full, error)) << name << ": " << error;
        for (std::size_t size = 1024; size < whole.size(); size += 1024) {
            const bool shown = plat::DecodePicture(Bytes(whole.substr(0, size)), kMaxPixels, cut, error);
            if (shown)
                EXPECT_EQ(cut.argb, full.argb) << name << " cut at " << size;
            else
                EXPECT_TRUE(cut.argb.empty() && !error.empty()) << name << " cut at " << size;
        }
    }

    const std::string png = webtest::SolidImage(webtest::ImageFormat::Png, 2, 2, 0x00FF00);
    const std::string jpeg = webtest::SolidImage(webtest::ImageFormat::Jpeg, 16, 16, 0x00FF00);
    struct Refused {
        const char* what;
        std::string bytes;
        const char* reason; // part of the error
    };
    const Refused refused[] = {
        { "overfull Huffman table", OverfullHuffmanTableJpeg(), "Huffman" },
        { "255 components", TooManyComponentsJpeg(), "components" },
        { "PNG 0 wide", webtest::WithPngSize(png, 0, 2), "IHDR" },
        { "PNG 100000 x 100000", webtest::WithPngSize(png, 100000, 100000), "declares 100000 x 100000" },
        { "PNG one row above the limit", webtest::WithPngSize(png, 2048, 2049), "declares 2048 x 2049" },
        { "PNG at the limit over 4 pixels", webtest::WithPngSize(png, 2048, 2048), "PNG" },
        { "PNG with a 1 GB IDAT", PngWithGigabyteIdat(lvtest::ReadNative(folder.Native("noise.png"))), "PNG" },
        { "JPEG 0 high", JpegDeclaring(jpeg, 16, 0), "JPEG" },
        { "JPEG with 300 scans", WithLastScanRepeated(lvtest::ReadNative(folder.Native("progressive.jpg")), 300), "scans" },
        { "JPEG 65000 x 65000", JpegDeclaring(jpeg, 65000, 65000), "declares 65000 x 65000" },
        { "GIF canvas 0 x 0", GifWithCanvas(0, 0), "declares 0 x 0" },
        { "GIF canvas 65535 x 65535", GifWithCanvas(65535, 65535), "declares 65535 x 65535" },
        { "GIF frame 65535 x 65535", GifWithFrame(0, 65535, 65535), "frame" },
        { "BMP 100000 x 100000", BmpDeclaring(100000, -100000), "declares 100000 x 100000" },
        { "HTML", "<html><body>", "not a PNG" },
        { "empty", "", "not a PNG" },
    };
    for (const Refused& r : refused) {
        plat::DecodedPicture picture;
        picture.width = 1;
        std::string error;
        EXPECT_FALSE(plat::DecodePicture(Bytes(r.bytes), kMaxPixels, picture, error)) << r.what;
        EXPECT_TRUE(picture.width == 0 && picture.argb.empty()) << r.what;
        EXPECT_NE(error.find(r.reason), std::string::npos) << r.what << ": " << error;
    }

    // Frames reaching past their canvas are cut at its edge.
    plat::DecodedPicture picture;
    std::string error;
    ASSERT_TRUE(plat::DecodePicture(Bytes(GifWithFrame(5, 1, 1)), kMaxPixels, picture, error)) << error;
    EXPECT_EQ(picture.argb, std::vector<std::uint32_t> { 0 });
    ASSERT_TRUE(plat::DecodePicture(Bytes(lvtest::ReadNative(folder.Native("outside.gif"))), kMaxPixels, picture, error))
        << error;
    ASSERT_EQ(picture.width, 6);
    ASSERT_EQ(picture.height, 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(picture.argb[static_cast<std::size_t>(y) * 6 + x], x >= 4 && y >= 4 ? 0xFFFF0000u : 0u) << x << "," << y;
    }

    // Nothing above came near the memory a 1 GB or 65535 x 65535 buffer takes.
    EXPECT_LT(PeakResidentKb() - peakBefore, 256 * 1024);
}
