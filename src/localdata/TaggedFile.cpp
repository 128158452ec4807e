#include "localdata/TaggedFile.h"

int CTaggedFile::Load(std::string_view path)
{
    return m_lines.Load(path);
}

std::string CTaggedFile::GetValue(std::string_view tag)
{
    std::string line;
    m_lines.Rewind();
    if (m_lines.SeekTag(tag, line) != 0)
        return {};
    if (m_lines.ReadValueLine(line) != 0)
        return {};
    return line;
}

int CTaggedFile::GetList(std::string_view beginTag, std::string_view endTag, std::string* items, int capacity)
{
    if (!items || capacity < 1)
        return 0;
    std::string line;
    m_lines.Rewind();
    if (m_lines.SeekTag(beginTag, line) != 0)
        return 0;
    int n = 0;
    while (n < capacity && m_lines.ReadValueLine(line) == 0 && line != endTag)
        items[n++] = line;
    return n;
}
