#pragma once

// A whole text file held in memory and read line by line from a cursor; it
// also collects lines and saves them (the update logs).
//
// Reading rules: lines split as SplitNextLine splits them (CR, LF and any
// run of them end a line, so empty lines are never returned except an empty
// first line when the text starts with a break); each line comes back trimmed of space, tab, VT, FF, CR and LF; a
// NUL byte ends the text. A comment is a line starting with "//".

#include <cstddef>
#include <string>
#include <string_view>

// How Load and Save treat the file's bytes.
enum class FileText {
    // Load: taken as UTF-8 when the whole text is valid UTF-8 (a leading
    // byte-order mark dropped), else converted from code page 936, with
    // U+FFFD for each byte that is not code page 936. Save: written as code
    // page 936, '?' for what it lacks.
    Cp936,
    // Bytes as they are, both ways.
    Raw,
};

class CTextLines {
public:
    virtual ~CTextLines() = default;

    // 0 when read; 1 when the file cannot be opened or read (the text is
    // then empty). Either way the cursor is at 0.
    int Load(std::string_view path, FileText encoding = FileText::Cp936);
    // Creates or replaces the file with the whole text: 0 when written, 1
    // when not (an existing file is then left as it was). The new file
    // replaces the old one whole, so a reader never sees half of it.
    int Save(std::string_view path, FileText encoding = FileText::Cp936) const;

    void Rewind() { m_nCursor = 0; }
    // 0 and the next line; 1 at the end of the text, `line` untouched.
    int ReadLine(std::string& line);
    // Reads on until a line equals `tag` ignoring ASCII case: 0 with that
    // line, the cursor after it; 1 when the text ends first, `line` untouched.
    int SeekTag(std::string_view tag, std::string& line);
    // Like ReadLine, but skips comment lines.
    int ReadValueLine(std::string& line);
    // Appends the line and CR LF; the cursor stays.
    void AppendLine(std::string_view line);

    const std::string& GetText() const { return m_strText; }

private:
    std::string m_strText;
    std::size_t m_nCursor = 0;
};
