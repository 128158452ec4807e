#pragma once

// File search over one folder, shaped like the framework's finder:
//
//     FileFind finder;
//     bool more = finder.FindFile("data\\test_*.zip");
//     while (more) {
//         more = finder.FindNextFile();
//         ... finder.GetFilePath(), IsDirectory(), IsDots() ...
//     }
//
// Wildcards ('*', '?') are allowed in the last component only and match
// ASCII letters in either case (see Wildcard.h); earlier components are
// taken as they are. A pattern without wildcards names one file or folder,
// found by its exact name or else by a case-insensitive match. The matches
// are read once, sorted by name, by FindFile.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class FileFind {
public:
    // False when nothing matches (or the folder cannot be read); no match is
    // current until the first FindNextFile.
    bool FindFile(std::string_view pattern);
    // Makes the next match current; false when that match is the last one
    // (and when there was none left to make current).
    bool FindNextFile();
    void Close();

    // Properties of the current match; empty, 0 or false without one.
    std::string GetFilePath() const; // full Windows path
    std::string GetFileName() const;
    std::uint64_t GetLength() const;
    bool IsDirectory() const;
    bool IsDots() const; // "." or ".."

private:
    struct Match {
        std::string name;
        bool directory = false;
        std::uint64_t length = 0;
    };

    const Match* Current() const;

    std::string m_root; // Windows folder of the matches, ending in '\'
    std::vector<Match> m_matches;
    size_t m_next = 0;
};

}
