#pragma once

// fontconfig's answers remembered between runs. Starting fontconfig reads
// its whole configuration and the cache of every font folder, most of the
// time before the program's first frame; its answers change only when the
// configuration or the installed fonts do. The file records a fingerprint
// of both and, for each answer, the font file's size and modification
// time; an answer is used only while all of them still match.

#include "platform/gfx/FontMatch.h"

#include <optional>
#include <string>
#include <string_view>

namespace plat {

class FontMatchCache {
public:
    // The cache file `path` (empty: none, nothing is remembered).
    explicit FontMatchCache(std::string path);

    // $XDG_CACHE_HOME/lumivex/font-match, else ~/.cache/lumivex/font-match;
    // empty when neither variable holds an absolute path.
    static std::string DefaultPath();

    // The remembered answer for the family at the size: a file, or nullopt
    // inside the optional for "no such family". Empty when none is known.
    std::optional<std::optional<FaceFile>> Find(std::string_view family, int pixelSize);
    // Adds fontconfig's answer and rewrites the file whole.
    void Remember(std::string_view family, int pixelSize, const std::optional<FaceFile>& answer);

private:
    void Load();
    void Save() const;

    std::string m_path;
    bool m_loaded = false;
    std::string m_fingerprint;
    std::string m_text; // the entries' lines, as written
};

// The fingerprint of fontconfig's configuration and the installed fonts:
// path, size and modification time of each configuration file, of each
// folder under the font folders and of fontconfig's cache folders, and the
// environment variables that move them, hashed.
std::string FontSetupFingerprint();

}
