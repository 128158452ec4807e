#include "platform/gfx/FontFace.h"

#include "platform/AsciiCase.h"
#include "platform/gfx/FontLock.h"
#include "platform/gfx/FontMatch.h"
#include "platform/gfx/FreeTypeFace.h"
#include "platform/gfx/LatinAndCjkFace.h"
#include "platform/gfx/PendingFace.h"

#include <algorithm>
#include <array>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace plat {

namespace {

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

// PreferLatinFaces's families; guarded by the font lock.
std::vector<std::string>& LatinFamilies()
{
    static auto* families = new std::vector<std::string>;
    return *families;
}

// The first of the preferred Latin families that loads, else null.
// Callers hold the font lock.
std::shared_ptr<FontFace> LatinFace(int pixelHeight, int pixelWidth, bool bold)
{
    for (const std::string& family : LatinFamilies()) {
        FaceFile file;
        if (MatchFontFamily(family, pixelHeight, file))
            if (auto face = OpenFreeTypeFace(file, pixelHeight, pixelWidth, bold))
                return face;
    }
    return nullptr;
}

// The face for `name`, else the first Song-style fall-back that loads, else
// whatever fontconfig offers for Chinese; for the Song face its Latin
// letters from a preferred Latin face. Callers hold the font lock.
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
        if (MatchFontFamily(family, pixelHeight, file) && (face = OpenFreeTypeFace(file, pixelHeight, pixelWidth, bold)))
            break;
    }
    if (face && (name.empty() || IsSongAlias(name)) && !LatinFamilies().empty())
        if (auto latin = LatinFace(pixelHeight, pixelWidth, bold))
            return CombineLatinAndCjk(std::move(latin), std::move(face));
    return face;
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
        auto lookUp = [name = std::string(name), pixelHeight, pixelWidth, bold] {
            return LookUp(name, pixelHeight, pixelWidth, bold);
        };
        if (auto pending = StartFontLookUp(lookUp, pixelHeight)) {
            (*cache)[key] = pending;
            return pending;
        }
    }
    auto face = LookUp(name, pixelHeight, pixelWidth, bold);
    (*cache)[key] = face;
    return face;
}

void PreferLatinFaces(std::vector<std::string> families)
{
    std::lock_guard lock(FontMutex());
    LatinFamilies() = std::move(families);
}

const std::shared_ptr<const FontData>& DefaultFontData()
{
    static const std::shared_ptr<const FontData> data
        = std::make_shared<const FontData>(FontData { FindFontFace("宋体", 12, 0, false), false, false });
    return data;
}

}
