#include "platform/reg/RegText.h"

#include "platform/AsciiCase.h"
#include "platform/text/Utf8.h"

#include <array>
#include <optional>
#include <utility>

namespace plat::reg {

namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::array<std::string_view, 4> kRootNames = {
    "HKEY_CLASSES_ROOT",
    "HKEY_CURRENT_USER",
    "HKEY_LOCAL_MACHINE",
    "HKEY_USERS",
};
constexpr std::uint32_t kExpandString = 2;
constexpr std::uint32_t kMultiString = 7;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string_view StripBom(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return text;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view s, std::size_t maxDigits)
{
    if (s.empty() || s.size() > maxDigits)
        return std::nullopt;
    std::uint32_t n = 0;
    for (char c : s) {
        int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        n = n * 16 + static_cast<std::uint32_t>(d);
    }
    return n;
}

// "12,ab, 00" -> bytes; an empty list is no bytes.
std::optional<std::string> ParseHexBytes(std::string_view s)
{
    std::string bytes;
    s = TrimBlanks(s);
    while (!s.empty()) {
        std::size_t comma = s.find(',');
        auto byte = ParseHexNumber(TrimBlanks(s.substr(0, comma)), 2);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
        if (comma == std::string_view::npos)
            break;
        s.remove_prefix(comma + 1);
        if (TrimBlanks(s).empty())
            return std::nullopt;
    }
    return bytes;
}

// A quoted text starting at s[0] == '"', with \\ and \" escapes. On success
// `s` is advanced past the closing quote.
std::optional<std::string> ParseQuoted(std::string_view& s)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"'))
            c = s[++i];
        out.push_back(c);
    }
    return std::nullopt;
}

// A value line whose data is hex bytes ("name"=hex:… or @=hex(2):…): the
// only kind of line that export files continue with a trailing backslash.
// Any other line keeps its backslash, so a comment ending in one does not
// swallow the line after it.
bool IsHexValueLine(std::string_view line)
{
    if (line.starts_with('@'))
        line.remove_prefix(1);
    else if (!ParseQuoted(line))
        return false;
    line = TrimBlanks(line);
    if (!line.starts_with('='))
        return false;
    line = TrimBlanks(line.substr(1));
    return line.starts_with("hex:") || line.starts_with("hex(");
}

// Physical lines joined where a hex value's line ends in a backslash. A
// blank line or a section line is never part of a value: it ends the
// continuation, so a broken value cannot swallow the key after it.
std::vector<std::string> LogicalLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string pending;
    bool continuing = false;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = TrimBlanks(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
        if (continuing && (line.empty() || line.front() == '[')) {
            lines.push_back(std::exchange(pending, {}));
            continuing = false;
        }
        if (continuing)
            pending += line;
        else
            pending.assign(line);
        continuing = !pending.empty() && pending.back() == '\\' && IsHexValueLine(pending);
        if (continuing)
            pending.pop_back();
        else
            lines.push_back(std::exchange(pending, {}));
    }
    if (continuing)
        lines.push_back(std::move(pending));
    return lines;
}

// Newer exports store expandable and multi strings as UTF-16LE; the program
// reads UTF-8. Unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t unit = static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            char32_t low = static_cast<unsigned char>(bytes[i + 2]) | static_cast<unsigned char>(bytes[i + 3]) << 8;
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
    }
    return out;
}

std::optional<Value> ParseData(std::string_view s, bool unicodeExport)
{
    Value v;
    if (!s.empty() && s.front() == '"') {
        auto text = ParseQuoted(s);
        if (!text || !TrimBlanks(s).empty() || text->find('\0') != std::string::npos)
            return std::nullopt;
        v.type = 1;
        v.data = *text + '\0';
        return v;
    }
    if (s.starts_with("dword:")) {
        auto n = ParseHexNumber(s.substr(6), 8);
        if (!n)
            return std::nullopt;
        v.type = 4;
        for (int i = 0; i < 4; ++i)
            v.data.push_back(static_cast<char>((*n >> (8 * i)) & 0xFF));
        return v;
    }
    if (s.starts_with("hex:")) {
        v.type = 3;
        s.remove_prefix(4);
    } else if (s.starts_with("hex(")) {
        std::size_t close = s.find("):");
        auto type = close == std::string_view::npos ? std::nullopt : ParseHexNumber(s.substr(4, close - 4), 8);
        if (!type)
            return std::nullopt;
        v.type = *type;
        s.remove_prefix(close + 2);
    } else {
        return std::nullopt;
    }
    auto bytes = ParseHexBytes(s);
    if (!bytes)
        return std::nullopt;
    v.data = std::move(*bytes);
    if (unicodeExport && (v.type == kExpandString || v.type == kMultiString))
        v.data = Utf16LeToUtf8(v.data);
    return v;
}

// The full name of a section, or nothing when it names no root key.
std::optional<std::string> SectionName(std::string_view inner)
{
    for (std::string_view root : kRootNames) {
        if (!StartsWithIgnoringAsciiCase(inner, root))
            continue;
        if (inner.size() != root.size() && inner[root.size()] != '\\')
            return std::nullopt;
        while (inner.size() > root.size() && inner.back() == '\\')
            inner.remove_suffix(1);
        if (inner.find("\\\\") != std::string_view::npos)
            return std::nullopt;
        return ToLowerAscii(inner);
    }
    return std::nullopt;
}

}

const Value* Key::Find(std::string_view name) const
{
    for (const Value& v : values) {
        if (EqualsIgnoringAsciiCase(v.name, name))
            return &v;
    }
    return nullptr;
}

bool Tree::HasKey(std::string_view fullName) const
{
    std::string name = ToLowerAscii(fullName);
    for (std::string_view root : kRootNames) {
        if (EqualsIgnoringAsciiCase(name, root))
            return true;
    }
    if (m_keys.contains(name))
        return true;
    std::string prefix = name + '\\';
    auto it = m_keys.lower_bound(prefix);
    return it != m_keys.end() && it->first.starts_with(prefix);
}

const Key* Tree::FindKey(std::string_view fullName) const
{
    auto it = m_keys.find(ToLowerAscii(fullName));
    return it == m_keys.end() ? nullptr : &it->second;
}

Key& Tree::AddKey(std::string_view fullName)
{
    return m_keys[ToLowerAscii(fullName)];
}

void Tree::RemoveKey(std::string_view fullName)
{
    std::string name = ToLowerAscii(fullName);
    m_keys.erase(name);
    std::string prefix = name + '\\';
    auto it = m_keys.lower_bound(prefix);
    while (it != m_keys.end() && it->first.starts_with(prefix))
        it = m_keys.erase(it);
}

bool HasHeader(std::string_view text)
{
    text = StripBom(text);
    std::size_t end = text.find('\n');
    std::string_view first = TrimBlanks(text.substr(0, end));
    return first == kHeader4 || first == kHeader5;
}

Tree ParseText(std::string_view text)
{
    Tree tree;
    if (!HasHeader(text))
        return tree;
    text = StripBom(text);
    bool unicodeExport = TrimBlanks(text.substr(0, text.find('\n'))) == kHeader5;
    Key* current = nullptr;
    std::vector<std::string> lines = LogicalLines(text);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            current = nullptr;
            if (line.back() != ']')
                continue;
            bool remove = line.size() > 2 && line[1] == '-';
            auto name = SectionName(line.substr(remove ? 2 : 1, line.size() - (remove ? 3 : 2)));
            if (name && remove)
                tree.RemoveKey(*name);
            else if (name)
                current = &tree.AddKey(*name);
            continue;
        }
        if (!current)
            continue;
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            auto quoted = ParseQuoted(line);
            if (!quoted)
                continue;
            name = std::move(*quoted);
        }
        line = TrimBlanks(line);
        if (line.empty() || line.front() != '=')
            continue;
        line = TrimBlanks(line.substr(1));
        auto value = ParseData(line, unicodeExport);
        if (!value && line != "-")
            continue;
        std::erase_if(current->values, [&](const Value& v) { return EqualsIgnoringAsciiCase(v.name, name); });
        if (!value)
            continue;
        value->name = std::move(name);
        current->values.push_back(std::move(*value));
    }
    return tree;
}

std::string SectionLine(std::string_view fullName, std::string_view eol)
{
    return "[" + std::string(fullName) + "]" + std::string(eol);
}

}
