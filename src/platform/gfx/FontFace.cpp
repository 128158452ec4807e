#include "platform/gfx/FontFace.h"

#include "platform/AsciiCase.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <future>
#include <map>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>

namespace plat {

namespace {

// FreeType faces are not thread-safe: every FreeType and fontconfig call,
// and every change to the caches, happens under this lock.
std::mutex& FontMutex()
{
    static std::mutex mutex;
    return mutex;
}

FT_Library Library()
{
    // Lives for the whole process, like the faces made from it.
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0)
            return static_cast<FT_Library>(nullptr);
        FcInit();
        return lib;
    }();
    return library;
}

constexpr std::uint32_t kInk = 0xFFFFFFFF; // a glyph mask's value for ink

constexpr std::array<std::string_view, 3> kSongFallbacks { "AR PL UMing CN", "WenQuanYi Bitmap Song",
    "WenQuanYi Zen Hei" };

// Names the program may use for the Song face; all map to the fall-back list.
bool IsSongAlias(std::string_view name)
{
    static constexpr std::array<std::string_view, 6> kAliases { "宋体", "SimSun", "新宋体", "NSimSun", "Song",
        "SongTi" };
    return std::any_of(kAliases.begin(), kAliases.end(), [name](std::string_view a) {
        return EqualsIgnoringAsciiCase(a, name);
    });
}

struct FaceFile {
    std::string path;
    int index = 0;
    std::string family;
};

// The file fontconfig offers for `family` at the pixel size, only if that
// family really is one of the match's names (fontconfig always finds
// something; a different family is not what was asked for). An empty family
// takes whatever fontconfig prefers for Chinese text.
bool MatchFamily(std::string_view family, int pixelSize, FaceFile& out)
{
    FcPattern* pattern = family.empty() ? FcNameParse(reinterpret_cast<const FcChar8*>("serif:lang=zh-cn"))
                                        : FcPatternCreate();
    if (!pattern)
        return false;
    const std::string wanted(family);
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(wanted.c_str()));
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixelSize);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    bool found = false;
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        const std::string_view matched(reinterpret_cast<const char*>(name));
        if (family.empty() || EqualsIgnoringAsciiCase(matched, family)) {
            out.family = matched;
            found = true;
            break;
        }
    }
    FcChar8* file = nullptr;
    int index = 0;
    if (found && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        out.path = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
            out.index = index;
    } else {
        found = false;
    }
    FcPatternDestroy(match);
    return found;
}

class FreeTypeFace final : public FontFace {
public:
    FreeTypeFace(FT_Face face, std::string family, int pixelSize, bool bold)
        : face_(face), family_(std::move(family)), pixelSize_(pixelSize), bold_(bold)
    {
    }
    ~FreeTypeFace() override { FT_Done_Face(face_); }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    // Picks the bitmap strike of the pixel size when the face has one, else
    // scales the outlines (pixelWidth is the half-width character's width).
    bool SetSize(int pixelWidth)
    {
        int best = -1;
        for (int i = 0; i < face_->num_fixed_sizes; ++i) {
            const FT_Bitmap_Size& s = face_->available_sizes[i];
            const int ppem = static_cast<int>((s.y_ppem + 32) >> 6);
            if (ppem == pixelSize_ || s.height == pixelSize_) {
                best = i;
                break;
            }
            if (!FT_IS_SCALABLE(face_)
                && (best < 0 || std::abs(s.height - pixelSize_) < std::abs(face_->available_sizes[best].height - pixelSize_)))
                best = i;
        }
        if (best >= 0) {
            strikeHeight_ = face_->available_sizes[best].height;
            return FT_Select_Size(face_, best) == 0;
        }
        const FT_UInt xSize = pixelWidth > 0 ? static_cast<FT_UInt>(2 * pixelWidth) : 0;
        return FT_Set_Pixel_Sizes(face_, xSize, static_cast<FT_UInt>(pixelSize_)) == 0;
    }

    // Callers hold the font lock.
    void MeasureMetrics()
    {
        if (strikeHeight_ > 0) {
            // Strikes carry no reliable line metrics: take the ascent from the
            // glyphs themselves and keep the strike's cell height.
            int ascent = 0;
            int below = 0;
            for (char32_t c : { U'A', U'g', U'中' }) {
                const Glyph& g = LockedGlyph(c);
                ascent = std::max(ascent, g.top);
                below = std::max(below, g.rows - g.top);
            }
            metrics_.ascent = ascent;
            metrics_.descent = std::max(below, strikeHeight_ - ascent);
        } else {
            metrics_.ascent = static_cast<int>((face_->size->metrics.ascender + 63) >> 6);
            metrics_.descent = static_cast<int>((-face_->size->metrics.descender + 63) >> 6);
        }
        metrics_.aveCharWidth = LockedGlyph(U'x').advance;
        metrics_.maxCharWidth = std::max(metrics_.aveCharWidth, LockedGlyph(U'中').advance);
    }

    const std::string& Family() const override { return family_; }
    int PixelSize() const override { return pixelSize_; }
    const FaceMetrics& Metrics() const override { return metrics_; }

    // Every character of every text drawn comes here, so glyphs of the Basic
    // Multilingual Plane are found in a table without the lock once made.
    const Glyph& GlyphFor(char32_t codePoint) override
    {
        if (codePoint < kTableSize) {
            if (const Page* page = pages_[codePoint >> 8].load(std::memory_order_acquire)) {
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
        std::atomic<Page*>& slot = pages_[codePoint >> 8];
        Page* page = slot.load(std::memory_order_relaxed);
        if (!page) {
            page = ownedPages_.emplace_back(std::make_unique<Page>()).get();
            slot.store(page, std::memory_order_release);
        }
        page->glyphs[codePoint & 0xff].store(&glyph, std::memory_order_release);
    }

    // Callers hold the font lock. Map nodes never move, so the reference lasts.
    const Glyph& LockedGlyph(char32_t codePoint)
    {
        auto it = glyphs_.find(codePoint);
        if (it == glyphs_.end())
            it = glyphs_.emplace(codePoint, Render(codePoint)).first;
        return it->second;
    }

    Glyph Render(char32_t codePoint)
    {
        constexpr FT_Int32 kFlags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME;
        Glyph glyph;
        // Index 0 is the face's missing-glyph shape.
        const FT_UInt index = FT_Get_Char_Index(face_, codePoint);
        if (FT_Load_Glyph(face_, index, kFlags) != 0 && (index == 0 || FT_Load_Glyph(face_, 0, kFlags) != 0)) {
            glyph.advance = std::max(1, pixelSize_ / 2);
            return glyph;
        }
        const FT_GlyphSlot slot = face_->glyph;
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
        if (bold_)
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

    FT_Face face_;
    std::string family_;
    int pixelSize_;
    bool bold_;
    int strikeHeight_ = 0;
    FaceMetrics metrics_;
    std::unordered_map<char32_t, Glyph> glyphs_;
    std::array<std::atomic<Page*>, kTableSize / 256> pages_ {};
    std::vector<std::unique_ptr<Page>> ownedPages_;
};

std::shared_ptr<FontFace> OpenFace(const FaceFile& file, int pixelHeight, int pixelWidth, bool bold)
{
    FT_Library library = Library();
    if (!library)
        return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0)
        return nullptr;
    auto result = std::make_shared<FreeTypeFace>(face, file.family, pixelHeight, bold);
    if (!result->SetSize(pixelWidth))
        return nullptr;
    result->MeasureMetrics();
    return result;
}

// The face for `name`, else the first Song-style fall-back that loads, else
// whatever fontconfig offers for Chinese. Callers hold the font lock.
std::shared_ptr<FontFace> LookUp(std::string_view name, int pixelHeight, int pixelWidth, bool bold)
{
    std::vector<std::string_view> families;
    if (!IsSongAlias(name) && !name.empty())
        families.push_back(name);
    families.insert(families.end(), kSongFallbacks.begin(), kSongFallbacks.end());
    families.push_back(""); // whatever fontconfig offers for Chinese
    std::shared_ptr<FontFace> face;
    for (std::string_view family : families) {
        FaceFile file;
        if (MatchFamily(family, pixelHeight, file) && (face = OpenFace(file, pixelHeight, pixelWidth, bold)))
            break;
    }
    return face;
}

// The first face asked for, while another thread looks it up: that lookup
// loads fontconfig's configuration, milliseconds the caller can spend on
// other work (a program opens its display meanwhile). Every call waits for
// the lookup and forwards; when no face could be loaded it has no glyphs.
class PendingFace final : public FontFace {
public:
    PendingFace(std::shared_future<std::shared_ptr<FontFace>> result, int pixelSize)
        : result_(std::move(result)), pixelSize_(pixelSize)
    {
        missing_.advance = std::max(1, pixelSize / 2);
    }

    const std::string& Family() const override { return Face() ? Face()->Family() : noFamily_; }
    int PixelSize() const override { return pixelSize_; }
    const FaceMetrics& Metrics() const override { return Face() ? Face()->Metrics() : noMetrics_; }
    const Glyph& GlyphFor(char32_t codePoint) override { return Face() ? Face()->GlyphFor(codePoint) : missing_; }

private:
    FontFace* Face() const { return result_.get().get(); }

    std::shared_future<std::shared_ptr<FontFace>> result_;
    int pixelSize_;
    std::string noFamily_;
    FaceMetrics noMetrics_;
    Glyph missing_;
};

// Starts the lookup on a thread of its own; null when no thread can start.
// Callers hold the font lock, which the thread takes for the lookup.
std::shared_ptr<FontFace> StartLookUp(std::string name, int pixelHeight, int pixelWidth, bool bold)
{
    std::promise<std::shared_ptr<FontFace>> promise;
    std::shared_future<std::shared_ptr<FontFace>> result = promise.get_future().share();
    try {
        std::thread([promise = std::move(promise), name = std::move(name), pixelHeight, pixelWidth, bold]() mutable {
            std::lock_guard lock(FontMutex());
            try {
                promise.set_value(Library() ? LookUp(name, pixelHeight, pixelWidth, bold) : nullptr);
            } catch (const std::bad_alloc&) {
                promise.set_value(nullptr);
            }
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    return std::make_shared<PendingFace>(std::move(result), pixelHeight);
}

}

std::shared_ptr<FontFace> FindFontFace(std::string_view name, int pixelHeight, int pixelWidth, bool bold)
{
    pixelHeight = std::clamp(pixelHeight, 1, 1024);
    pixelWidth = std::clamp(pixelWidth, 0, 1024);
    const std::string key = std::string(name) + '\0' + std::to_string(pixelHeight) + 'x'
        + std::to_string(pixelWidth) + (bold ? "b" : "");

    std::lock_guard lock(FontMutex());
    static auto* cache = new std::map<std::string, std::shared_ptr<FontFace>>;
    if (auto it = cache->find(key); it != cache->end())
        return it->second;
    static bool first = true;
    if (std::exchange(first, false)) {
        if (auto pending = StartLookUp(std::string(name), pixelHeight, pixelWidth, bold)) {
            (*cache)[key] = pending;
            return pending;
        }
    }
    if (!Library())
        return nullptr;
    auto face = LookUp(name, pixelHeight, pixelWidth, bold);
    (*cache)[key] = face;
    return face;
}

const std::shared_ptr<const FontData>& DefaultFontData()
{
    static const std::shared_ptr<const FontData> data
        = std::make_shared<const FontData>(FontData { FindFontFace("宋体", 12, 0, false), false, false });
    return data;
}

}

// fontconfig 2.14 loses a few blocks while parsing its own configuration
// files; they are not ours to free, so leak checks of programs that draw text
// skip them.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
