#include "platform/web/PageText.h"

#include "platform/text/Cp936.h"
#include "platform/text/Utf8.h"

#include <algorithm>
#include <cctype>

namespace plat::web {

namespace {

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsNameChar(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '-' || c == '_' || c == '.' || c == ':';
}

// The value after "charset=" at `at` in `s`, unquoted, lower case.
std::string CharsetValue(std::string_view s, std::size_t at)
{
    while (at < s.size() && (s[at] == '"' || s[at] == '\'' || s[at] == ' '))
        ++at;
    std::size_t end = at;
    while (end < s.size() && IsNameChar(s[end]))
        ++end;
    return Lower(s.substr(at, end - at));
}

std::string FindCharsetParameter(std::string_view text)
{
    std::string lower = Lower(text);
    std::size_t at = lower.find("charset");
    while (at != std::string::npos) {
        std::size_t i = at + 7;
        while (i < lower.size() && lower[i] == ' ')
            ++i;
        if (i < lower.size() && lower[i] == '=')
            return CharsetValue(text, i + 1);
        at = lower.find("charset", at + 7);
    }
    return {};
}

std::string Latin1ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::string FromCp936(std::string_view bytes)
{
    ConversionResult r = Cp936ToUtf8(bytes, BadInput::Replace);
    return r.Ok() ? r.text : SanitizeUtf8(bytes);
}

}

std::string CharsetFromContentType(std::string_view contentType)
{
    return FindCharsetParameter(contentType);
}

std::string CharsetFromMeta(std::string_view html)
{
    std::string head = Lower(html.substr(0, std::min<std::size_t>(html.size(), 2048)));
    std::size_t at = head.find("<meta");
    while (at != std::string::npos) {
        std::size_t end = head.find('>', at);
        std::string_view tag = std::string_view(head).substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (std::string charset = FindCharsetParameter(tag); !charset.empty())
            return charset;
        at = head.find("<meta", at + 5);
    }
    return {};
}

std::string SanitizeUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t bad = at + FirstInvalidUtf8(bytes.substr(at));
        out.append(bytes.substr(at, bad - at));
        if (bad >= bytes.size())
            break;
        out += "\xEF\xBF\xBD";
        at = bad + 1;
    }
    return out;
}

std::string DecodePage(std::string_view bytes, std::string_view contentType)
{
    std::string charset = CharsetFromContentType(contentType);
    if (charset.empty())
        charset = CharsetFromMeta(bytes);
    if (charset.empty())
        return FromCp936(bytes);
    if (charset == "utf-8" || charset == "utf8")
        return SanitizeUtf8(bytes);
    if (charset == "gbk" || charset == "gb2312" || charset == "gb18030" || charset == "cp936"
        || charset == "x-gbk" || charset == "windows-936")
        return FromCp936(bytes);
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "windows-1252" || charset == "us-ascii")
        return Latin1ToUtf8(bytes);
    return IsValidUtf8(bytes) ? std::string(bytes) : FromCp936(bytes);
}

}
