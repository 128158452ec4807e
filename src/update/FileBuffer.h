#pragma once

// A whole file's bytes held in memory and read line by line, without
// trimming: the second update list's reader. The text ends at the first zero
// byte and splits into lines as SplitNextLine splits it. Lines are bytes as
// stored in the file, unconverted.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CFileBuffer {
public:
    CFileBuffer() = default;
    virtual ~CFileBuffer() = default;
    CFileBuffer(const CFileBuffer&) = delete;
    CFileBuffer& operator=(const CFileBuffer&) = delete;

    // Results of Load.
    static constexpr int kLoaded = 0;
    static constexpr int kNotOpened = 1;
    static constexpr int kNoSize = 2; // also a file too large for a 32-bit size
    static constexpr int kNotRead = 3;

    // Reads the file at the Windows path `path` whole, releasing any earlier
    // content first. Others may read the file meanwhile.
    int Load(std::string_view path);
    void Clear();

    // 0 and the next line; 1 at the end of the text or when nothing is
    // loaded. Lines of any length are returned whole.
    int ReadLine(std::string& line);
    // Like ReadLine, but skips lines whose first two bytes are "//".
    int ReadEntryLine(std::string& line);
    // Reads on until a line starts with `prefix` (ASCII case ignored): 0 with
    // that line; 1 when the text ends first.
    int FindLineStartingWith(std::string_view prefix, std::string& line);

    std::uint32_t GetSize() const { return m_nSize; }
    // The text: the bytes before the first zero byte; empty when nothing is
    // loaded.
    std::string_view GetText() const { return { m_pData.get(), m_nTextLength }; }

private:
    // File size + 1 bytes, the last one always zero.
    std::unique_ptr<char[]> m_pData;
    std::uint32_t m_nSize = 0;
    // Bytes before the first zero byte.
    std::size_t m_nTextLength = 0;
    // Offset of the next line in the text.
    std::size_t m_nCursor = 0;
};
