#include "platform/gfx/FreeTypeFace.h"

#include "platform/gfx/FontLock.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <utility>
#include <vector>

namespace plat {

namespace {

FT_Library Library()
{
    // Lives for the whole process, like the faces made from it.
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        return FT_Init_FreeType(&lib) == 0 ? lib : nullptr;
    }();
    return library;
}

constexpr std::uint32_t kInk = 0xFFFFFFFF; // a glyph mask's value for ink

// A font file's bytes mapped for FreeType, only when it is a regular file:
// opened without blocking, so that a FIFO named as a font cannot stall the
// look-up (FreeType's own open would wait for a writer).
class FontFileBytes {
public:
    explicit FontFileBytes(const std::string& path)
    {
        int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat st { };
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            void* data = mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (data != MAP_FAILED) {
                m_data = static_cast<const FT_Byte*>(data);
                m_size = static_cast<std::size_t>(st.st_size);
            }
        }
        close(fd);
    }
    ~FontFileBytes()
    {
        if (m_data)
            munmap(const_cast<FT_Byte*>(m_data), m_size);
    }
    FontFileBytes(const FontFileBytes&) = delete;
    FontFileBytes& operator=(const FontFileBytes&) = delete;

    const FT_Byte* Data() const { return m_data; }
    FT_Long Size() const { return static_cast<FT_Long>(m_size); }

private:
    const FT_Byte* m_data = nullptr;
    std::size_t m_size = 0;
};

class FreeTypeFace final : public FontFace {
public:
    FreeTypeFace(std::unique_ptr<FontFileBytes> bytes, FT_Face face, std::string family, int pixelSize, bool bold)
        : m_bytes(std::move(bytes))
        , m_face(face)
        , m_family(std::move(family))
        , m_pixelSize(pixelSize)
        , m_bold(bold)
    {
    }
    ~FreeTypeFace() override { FT_Done_Face(m_face); }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    // Picks the bitmap strike of the pixel size when the face has one, else
    // scales the outlines (pixelWidth is the half-width character's width).
    bool SetSize(int pixelWidth)
    {
        int best = -1;
        for (int i = 0; i < m_face->num_fixed_sizes; ++i) {
            const FT_Bitmap_Size& s = m_face->available_sizes[i];
            const int ppem = static_cast<int>((s.y_ppem + 32) >> 6);
            if (ppem == m_pixelSize || s.height == m_pixelSize) {
                best = i;
                break;
            }
            if (!FT_IS_SCALABLE(m_face)
                && (best < 0 || std::abs(s.height - m_pixelSize) < std::abs(m_face->available_sizes[best].height - m_pixelSize)))
                best = i;
        }
        if (best >= 0) {
            m_strikeHeight = m_face->available_sizes[best].height;
            return FT_Select_Size(m_face, best) == 0;
        }
        const FT_UInt xSize = pixelWidth > 0 ? static_cast<FT_UInt>(2 * pixelWidth) : 0;
        return FT_Set_Pixel_Sizes(m_face, xSize, static_cast<FT_UInt>(m_pixelSize)) == 0;
    }

    // Callers hold the font lock.
    void MeasureMetrics()
    {
        if (m_strikeHeight > 0) {
            // Strikes carry no reliable line metrics: take the ascent from the
            // glyphs themselves and keep the strike's cell height.
            int ascent = 0;
            int below = 0;
            for (char32_t c : { U'A', U'g', U'中' }) {
                const Glyph& g = LockedGlyph(c);
                ascent = std::max(ascent, g.top);
                below = std::max(below, g.rows - g.top);
            }
            m_metrics.ascent = ascent;
            m_metrics.descent = std::max(below, m_strikeHeight - ascent);
        } else {
            m_metrics.ascent = static_cast<int>((m_face->size->metrics.ascender + 63) >> 6);
            m_metrics.descent = static_cast<int>((-m_face->size->metrics.descender + 63) >> 6);
        }
        m_metrics.aveCharWidth = LockedGlyph(U'x').advance;
        m_metrics.maxCharWidth = std::max(m_metrics.aveCharWidth, LockedGlyph(U'中').advance);
    }

    const std::string& Family() const override { return m_family; }
    int PixelSize() const override { return m_pixelSize; }
    const FaceMetrics& Metrics() const override { return m_metrics; }

    // Every character of every text drawn comes here, so glyphs of the Basic
    // Multilingual Plane are found in a table without the lock once made.
    const Glyph& GlyphFor(char32_t codePoint) override
    {
        if (codePoint < kTableSize) {
            if (const Page* page = m_pages[codePoint >> 8].load(std::memory_order_acquire)) {
                if (const Glyph* glyph = page->glyphs[codePoint & 0xff].load(std::memory_order_acquire))
                    return *glyph;
            }
        }
        std::lock_guard lock(FontMutex());
        const Glyph& glyph = LockedGlyph(codePoint);
        if (codePoint < kTableSize)
            Publish(codePoint, glyph);
        return glyph;
    }

private:
    static constexpr char32_t kTableSize = 0x10000;
    struct Page {
        std::array<std::atomic<const Glyph*>, 256> glyphs {};
    };

    // Callers hold the font lock.
    void Publish(char32_t codePoint, const Glyph& glyph)
    {
        std::atomic<Page*>& slot = m_pages[codePoint >> 8];
        Page* page = slot.load(std::memory_order_relaxed);
        if (!page) {
            page = m_ownedPages.emplace_back(std::make_unique<Page>()).get();
            slot.store(page, std::memory_order_release);
        }
        page->glyphs[codePoint & 0xff].store(&glyph, std::memory_order_release);
    }

    // Callers hold the font lock. Map nodes never move, so the reference lasts.
    const Glyph& LockedGlyph(char32_t codePoint)
    {
        auto it = m_glyphs.find(codePoint);
        if (it == m_glyphs.end())
            it = m_glyphs.emplace(codePoint, Render(codePoint)).first;
        return it->second;
    }

    Glyph Render(char32_t codePoint)
    {
        constexpr FT_Int32 kFlags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME;
        Glyph glyph;
        // Index 0 is the face's missing-glyph shape.
        const FT_UInt index = FT_Get_Char_Index(m_face, codePoint);
        if (FT_Load_Glyph(m_face, index, kFlags) != 0 && (index == 0 || FT_Load_Glyph(m_face, 0, kFlags) != 0)) {
            glyph.advance = std::max(1, m_pixelSize / 2);
            return glyph;
        }
        const FT_GlyphSlot slot = m_face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        glyph.mask.assign(static_cast<std::size_t>(glyph.width) * glyph.rows, 0);
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
            for (int x = 0; x < glyph.width; ++x) {
                bool ink = false;
                switch (bitmap.pixel_mode) {
                case FT_PIXEL_MODE_MONO:
                    ink = (row[x >> 3] >> (7 - (x & 7))) & 1;
                    break;
                case FT_PIXEL_MODE_GRAY:
                    ink = row[x] >= 128;
                    break;
                case FT_PIXEL_MODE_BGRA:
                    ink = row[4 * x + 3] >= 128;
                    break;
                default:
                    break;
                }
                glyph.mask[static_cast<std::size_t>(y) * glyph.width + x] = ink ? kInk : 0;
            }
        }
        if (m_bold)
            Embolden(glyph);
        return glyph;
    }

    // Draws every stroke again one pixel to the right, as simulated bold does.
    static void Embolden(Glyph& g)
    {
        if (g.width == 0)
            return;
        std::vector<std::uint32_t> wide(static_cast<std::size_t>(g.width + 1) * g.rows, 0);
        for (int y = 0; y < g.rows; ++y) {
            for (int x = 0; x < g.width; ++x) {
                if (g.mask[static_cast<std::size_t>(y) * g.width + x]) {
                    wide[static_cast<std::size_t>(y) * (g.width + 1) + x] = kInk;
                    wide[static_cast<std::size_t>(y) * (g.width + 1) + x + 1] = kInk;
                }
            }
        }
        g.mask = std::move(wide);
        ++g.width;
        ++g.advance;
    }

    std::unique_ptr<FontFileBytes> m_bytes; // outlives m_face, which reads from it
    FT_Face m_face;
    std::string m_family;
    int m_pixelSize;
    bool m_bold;
    int m_strikeHeight = 0;
    FaceMetrics m_metrics;
    std::unordered_map<char32_t, Glyph> m_glyphs;
    std::array<std::atomic<Page*>, kTableSize / 256> m_pages {};
    std::vector<std::unique_ptr<Page>> m_ownedPages;
};

}

std::shared_ptr<FontFace> OpenFreeTypeFace(const FaceFile& file, int pixelHeight, int pixelWidth, bool bold)
{
    FT_Library library = Library();
    if (!library)
        return nullptr;
    auto bytes = std::make_unique<FontFileBytes>(file.path);
    FT_Face face = nullptr;
    if (!bytes->Data() || FT_New_Memory_Face(library, bytes->Data(), bytes->Size(), file.index, &face) != 0)
        return nullptr;
    auto result = std::make_shared<FreeTypeFace>(std::move(bytes), face, file.family, pixelHeight, bold);
    if (!result->SetSize(pixelWidth))
        return nullptr;
    result->MeasureMetrics();
    return result;
}

}
