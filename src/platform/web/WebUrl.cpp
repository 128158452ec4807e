#include "platform/web/WebUrl.h"

#include "platform/AsciiCase.h"

#include <cctype>
#include <vector>

namespace plat::web {

namespace {

struct Parts {
    std::string scheme;    // lower case, without ':'
    std::string authority; // without "//"
    bool hasAuthority = false;
    std::string path;
    std::string query; // with '?'
};

bool IsSchemeChar(char c, bool first)
{
    unsigned char u = static_cast<unsigned char>(c);
    return std::isalpha(u) || (!first && (std::isdigit(u) || c == '+' || c == '-' || c == '.'));
}

// The scheme's length when `s` starts with one followed by ':', else 0.
std::size_t SchemeLength(std::string_view s)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == ':')
            return i;
        if (!IsSchemeChar(s[i], i == 0))
            return 0;
    }
    return 0;
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

Parts Split(std::string_view s)
{
    Parts p;
    if (std::size_t fragment = s.find('#'); fragment != std::string_view::npos)
        s = s.substr(0, fragment);
    if (std::size_t n = SchemeLength(s); n > 0) {
        p.scheme = ToLowerAscii(s.substr(0, n));
        s.remove_prefix(n + 1);
    }
    if (s.substr(0, 2) == "//") {
        s.remove_prefix(2);
        std::size_t end = s.find_first_of("/?");
        p.authority = std::string(s.substr(0, end));
        p.hasAuthority = true;
        s = end == std::string_view::npos ? std::string_view() : s.substr(end);
    }
    std::size_t query = s.find('?');
    p.path = std::string(s.substr(0, query));
    if (query != std::string_view::npos)
        p.query = std::string(s.substr(query));
    return p;
}

std::string RemoveDotSegments(const std::string& path)
{
    std::vector<std::string> out;
    std::size_t start = path.empty() || path[0] != '/' ? 0 : 1;
    bool trailingSlash = false;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        std::string segment = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        trailingSlash = segment == "." || segment == "..";
        if (segment == "..") {
            if (!out.empty())
                out.pop_back();
        } else if (segment != ".") {
            out.push_back(segment);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    std::string result;
    for (const std::string& segment : out)
        result += "/" + segment;
    if (trailingSlash || result.empty())
        result += "/";
    return result;
}

std::string Join(const Parts& p)
{
    return p.scheme + "://" + p.authority + (p.path.empty() ? "/" : p.path) + p.query;
}

}

std::string ResolveUrl(std::string_view base, std::string_view reference)
{
    Parts b = Split(Trimmed(base));
    if (b.scheme.empty() || !b.hasAuthority)
        return {};
    Parts r = Split(Trimmed(reference));
    if (!r.scheme.empty()) {
        if (!r.hasAuthority)
            return r.scheme + ":" + r.path + r.query;
        r.path = RemoveDotSegments(r.path);
        return Join(r);
    }
    Parts out;
    out.scheme = b.scheme;
    if (r.hasAuthority) {
        out.authority = r.authority;
        out.path = RemoveDotSegments(r.path);
        out.query = r.query;
        return Join(out);
    }
    out.authority = b.authority;
    if (r.path.empty()) {
        out.path = b.path;
        out.query = r.query.empty() ? b.query : r.query;
        return Join(out);
    }
    if (r.path[0] == '/') {
        out.path = RemoveDotSegments(r.path);
    } else {
        std::string merged = b.path.empty() ? "/" : b.path.substr(0, b.path.rfind('/') + 1);
        out.path = RemoveDotSegments(merged + r.path);
    }
    out.query = r.query;
    return Join(out);
}

bool IsWebUrl(std::string_view url)
{
    Parts p = Split(Trimmed(url));
    return (p.scheme == "http" || p.scheme == "https") && p.hasAuthority && !p.authority.empty();
}

}
