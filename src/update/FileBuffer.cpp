#include "update/FileBuffer.h"

#include "localdata/LineSplitter.h"
#include "platform/AsciiCase.h"
#include "platform/fs/File.h"

#include <cstring>
#include <limits>
#include <new>

void CFileBuffer::Clear()
{
    m_pData.reset();
    m_nSize = 0;
    m_nTextLength = 0;
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
    m_nTextLength = std::strlen(m_pData.get());
    m_nCursor = 0;
    return kLoaded;
}

int CFileBuffer::ReadLine(std::string& line)
{
    std::optional<std::string_view> next = SplitNextLine(GetText(), m_nCursor);
    if (!next)
        return 1;
    line.assign(*next);
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
