#include "localdata/TextLines.h"

#include "localdata/LineSplitter.h"
#include "platform/AsciiCase.h"
#include "platform/fs/WholeFile.h"
#include "platform/text/Cp936.h"
#include "platform/text/Utf8.h"

#include <new>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

bool IsComment(std::string_view line)
{
    return line.starts_with("//");
}

std::string DecodeFileText(std::string bytes)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (plat::IsValidUtf8(bytes)) {
        if (bytes.starts_with(kByteOrderMark))
            bytes.erase(0, kByteOrderMark.size());
        return bytes;
    }
    return plat::Cp936ToUtf8(bytes, plat::BadInput::Replace).text;
}

}

int CTextLines::Load(std::string_view path, FileText encoding)
{
    m_strText.clear();
    m_strText.shrink_to_fit();
    m_nCursor = 0;
    std::string bytes;
    if (!plat::ReadWholeFile(path, bytes))
        return 1;
    if (std::size_t nul = bytes.find('\0'); nul != std::string::npos)
        bytes.resize(nul);
    try {
        m_strText = encoding == FileText::Raw ? std::move(bytes) : DecodeFileText(std::move(bytes));
    } catch (const std::bad_alloc&) {
        m_strText.clear();
        return 1;
    }
    return 0;
}

int CTextLines::Save(std::string_view path, FileText encoding) const
{
    if (encoding == FileText::Raw)
        return plat::WriteWholeFile(path, m_strText) ? 0 : 1;
    plat::ConversionResult cp936 = plat::Utf8ToCp936(m_strText, plat::BadInput::Replace);
    if (!cp936.Ok())
        return 1;
    return plat::WriteWholeFile(path, cp936.text) ? 0 : 1;
}

int CTextLines::ReadLine(std::string& line)
{
    std::optional<std::string_view> next = SplitNextLine(m_strText, m_nCursor);
    if (!next)
        return 1;
    std::string_view trimmed = *next;
    while (!trimmed.empty() && IsBlank(trimmed.front()))
        trimmed.remove_prefix(1);
    while (!trimmed.empty() && IsBlank(trimmed.back()))
        trimmed.remove_suffix(1);
    line.assign(trimmed);
    return 0;
}

int CTextLines::SeekTag(std::string_view tag, std::string& line)
{
    std::string candidate;
    while (ReadLine(candidate) == 0) {
        if (plat::EqualsIgnoringAsciiCase(candidate, tag)) {
            line = std::move(candidate);
            return 0;
        }
    }
    return 1;
}

int CTextLines::ReadValueLine(std::string& line)
{
    std::string candidate;
    while (ReadLine(candidate) == 0) {
        if (!IsComment(candidate)) {
            line = std::move(candidate);
            return 0;
        }
    }
    return 1;
}

void CTextLines::AppendLine(std::string_view line)
{
    m_strText.append(line);
    m_strText.append("\r\n");
}
