#include "platform/gfx/FontMatch.h"

#include "platform/AsciiCase.h"
#include "platform/gfx/FontMatchCache.h"

#include <fontconfig/fontconfig.h>

namespace plat {

namespace {

bool AskFontconfig(std::string_view family, int pixelSize, FaceFile& out)
{
    FcInit(); // loads the configuration on first use, does nothing after
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

}

bool MatchFontFamily(std::string_view family, int pixelSize, FaceFile& out)
{
    // Only the font lock's holder gets here, so the cache needs no lock of its
    // own. It is never destroyed: a look-up thread may still be here while
    // the process exits and runs the destructors of statics.
    static FontMatchCache& cache = *new FontMatchCache(FontMatchCache::DefaultPath());
    if (std::optional<std::optional<FaceFile>> known = cache.Find(family, pixelSize)) {
        if (*known)
            out = **known;
        return known->has_value();
    }
    FaceFile file;
    bool found = AskFontconfig(family, pixelSize, file);
    cache.Remember(family, pixelSize, found ? std::optional(file) : std::nullopt);
    if (found)
        out = file;
    return found;
}

}

// fontconfig 2.14 loses a few blocks while parsing its own configuration
// files; they are not ours to free, so leak checks of programs that draw text
// skip them. The sanitizer's runtime looks the function up by this name.
extern "C" const char* __lsan_default_suppressions() // NOLINT(bugprone-reserved-identifier)
{
    return "leak:libfontconfig.so\n";
}
