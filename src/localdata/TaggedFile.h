#pragma once

// Tag lookup in a tagged text file such as data\main.htm: a tag is a line of
// its own (compared ignoring ASCII case), its value the next line that is not
// a comment, its list every such line up to an end tag (compared exactly).
// Every lookup starts from the top, so the first occurrence of a tag wins.

#include "localdata/TextLines.h"

#include <string>
#include <string_view>

class CTaggedFile {
public:
    virtual ~CTaggedFile() = default;

    // CTextLines::Load of the file as code page 936 text, same results.
    int Load(std::string_view path);
    // The tag's value; empty when the tag is absent or nothing follows it.
    std::string GetValue(std::string_view tag);
    // Fills items[0 .. n) with the list between the tags and returns n, at
    // most `capacity`; 0 when the begin tag is absent, `items` is null or
    // `capacity` is below 1. Entries from n on are not touched.
    int GetList(std::string_view beginTag, std::string_view endTag, std::string* items, int capacity);

private:
    CTextLines m_lines;
};
