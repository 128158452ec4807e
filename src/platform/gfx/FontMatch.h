#pragma once

// Font files found through fontconfig.

#include <string>
#include <string_view>

namespace plat {

struct FaceFile {
    std::string path;
    int index = 0;
    std::string family;
};

// The file fontconfig offers for `family` at the pixel size, only if that
// family really is one of the match's names (fontconfig always finds
// something; a different family is not what was asked for). An empty family
// takes whatever fontconfig prefers for Chinese text. Callers hold the font
// lock. Answers are remembered between runs (FontMatchCache), so a start
// with unchanged fonts and configuration does not start fontconfig.
bool MatchFontFamily(std::string_view family, int pixelSize, FaceFile& out);

}
