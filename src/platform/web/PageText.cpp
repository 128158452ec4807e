#include "platform/web/PageText.h"

#include "platform/text/Cp936.h"
#include "platform/text/Utf8.h"

#include <algorithm>
#include <array>
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

constexpr std::array<std::string_view, 14> kVoidElements { "area", "base", "br", "col", "embed", "hr", "img",
    "input", "link", "meta", "param", "source", "track", "wbr" };
constexpr std::array<std::string_view, 13> kImplicitlyClosed { "p", "li", "dt", "dd", "tr", "td", "th", "option",
    "thead", "tbody", "tfoot", "colgroup", "optgroup" };
constexpr std::array<std::string_view, 5> kRawText { "script", "style", "textarea", "title", "xmp" };

// Position of the lower-case `needle` in `s` from `from`, ignoring ASCII case.
std::size_t FindIgnoringCase(std::string_view s, std::string_view needle, std::size_t from)
{
    auto it = std::search(s.begin() + static_cast<std::ptrdiff_t>(std::min(from, s.size())), s.end(), needle.begin(),
        needle.end(), [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    return it == s.end() ? std::string_view::npos : static_cast<std::size_t>(it - s.begin());
}

template <std::size_t N>
bool In(const std::array<std::string_view, N>& list, std::string_view name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
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

std::string LimitNesting(std::string html, int maxDepth)
{
    int depth = 0;
    std::size_t at = 0;
    // The next '>' from a position, remembered so that many tag starts
    // before one '>' do not each search to it again.
    std::size_t close = 0;
    bool closeKnown = false;
    auto nextClose = [&](std::size_t from) {
        if (!closeKnown || close < from) {
            close = html.find('>', from);
            closeKnown = true;
        }
        return close;
    };
    while ((at = html.find('<', at)) != std::string::npos) {
        if (html.compare(at, 4, "<!--") == 0) {
            std::size_t end = html.find("-->", at + 4);
            if (end == std::string::npos)
                break;
            at = end + 3;
            continue;
        }
        bool closing = at + 1 < html.size() && html[at + 1] == '/';
        std::size_t nameStart = at + (closing ? 2 : 1);
        std::size_t nameEnd = nameStart;
        while (nameEnd < html.size() && IsNameChar(html[nameEnd]))
            ++nameEnd;
        std::size_t tagEnd = nextClose(nameEnd);
        if (tagEnd == std::string::npos)
            break;
        if (nameEnd == nameStart) {
            ++at;
            continue;
        }
        std::string name = Lower(std::string_view(html).substr(nameStart, nameEnd - nameStart));
        bool selfClosing = html[tagEnd - 1] == '/';
        if (closing) {
            if (!In(kVoidElements, name) && !In(kImplicitlyClosed, name) && depth > 0)
                --depth;
        } else if (In(kRawText, name)) {
            std::size_t end = FindIgnoringCase(html, "</" + name, tagEnd);
            if (end == std::string::npos)
                break;
            at = end;
            if (!selfClosing)
                ++depth;
            continue;
        } else if (!selfClosing && !In(kVoidElements, name) && !In(kImplicitlyClosed, name)) {
            if (++depth > maxDepth) {
                html.resize(at);
                return html;
            }
        }
        at = tagEnd + 1;
    }
    return html;
}

}
