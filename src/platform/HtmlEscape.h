#pragma once

// Escaping text written into HTML. `Text` and `Attribute` are the escapes
// the HTML serialisation algorithm makes, so that markup written back is
// parsed into the same tree; `Anywhere` is safe in both places, for pages
// the program writes itself.

#include <string>
#include <string_view>

namespace plat {

enum class HtmlContext {
    Text,      // between tags: & < >
    Attribute, // inside a double-quoted attribute value: & "
    Anywhere,  // & < > "
};

inline void AppendHtmlEscaped(std::string& out, std::string_view text, HtmlContext context)
{
    const bool inText = context != HtmlContext::Attribute;
    const bool inAttribute = context != HtmlContext::Text;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<' && inText)
            out += "&lt;";
        else if (c == '>' && inText)
            out += "&gt;";
        else if (c == '"' && inAttribute)
            out += "&quot;";
        else
            out += c;
    }
}

inline std::string HtmlEscaped(std::string_view text, HtmlContext context)
{
    std::string out;
    AppendHtmlEscaped(out, text, context);
    return out;
}

}
