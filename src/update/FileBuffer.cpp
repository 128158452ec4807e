#include "update/FileBuffer.h"

#include "platform/AsciiCase.h"
#include "platform/fs/File.h"

#include <limits>
#include <new>

namespace {

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

}

void CFileBuffer::Clear()
{
    m_pData.reset();
    m_nSize = 0;
    m_nCursor = 0;
}

int CFileBuffer::Load(std::string_view path)
{
    Clear();
    plat::File file;
    if (!file.Open(path, plat::File::Mode::Read))
        return kNotOpened;

    std::uint64_t length = 0;
    try {
        length = file.GetLength();
    } catch (const plat::FileException&) {
        return kNoSize;
    }
    // The size is a 32-bit count and one byte more is allocated for the end.
    if (length >= std::numeric_limits<std::uint32_t>::max())
        return kNoSize;

    const auto size = static_cast<std::uint32_t>(length);
    try {
        m_pData.reset(new char[std::size_t(size) + 1]());
        file.Read(m_pData.get(), size);
    } catch (const plat::FileException&) {
        Clear();
        return kNotRead;
    } catch (const std::bad_alloc&) {
        Clear();
        return kNotRead;
    }
    m_nSize = size;
    m_nCursor = 0;
    return kLoaded;
}

int CFileBuffer::ReadLine(std::string& line)
{
    if (!m_pData)
        return 1;
    const char* text = m_pData.get();
    // The text ends at the first zero byte; the allocation always holds one.
    const char* start = text + m_nCursor;
    if (*start == '\0')
        return 1;
    const char* end = start;
    while (*end != '\0' && !IsLineBreak(*end))
        ++end;
    line.assign(start, end);
    while (IsLineBreak(*end))
        ++end;
    m_nCursor = static_cast<std::size_t>(end - text);
    return 0;
}

int CFileBuffer::ReadEntryLine(std::string& line)
{
    do {
        if (ReadLine(line) != 0)
            return 1;
    } while (line.starts_with("//"));
    return 0;
}

int CFileBuffer::FindLineStartingWith(std::string_view prefix, std::string& line)
{
    while (ReadLine(line) == 0) {
        if (plat::StartsWithIgnoringAsciiCase(line, prefix))
            return 0;
    }
    return 1;
}
