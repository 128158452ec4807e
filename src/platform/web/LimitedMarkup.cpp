#include "platform/web/LimitedMarkup.h"

#include "platform/HtmlEscape.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace plat::web {

namespace {

constexpr std::array kVoidTags { GUMBO_TAG_AREA, GUMBO_TAG_BASE, GUMBO_TAG_BASEFONT, GUMBO_TAG_BGSOUND, GUMBO_TAG_BR,
    GUMBO_TAG_COL, GUMBO_TAG_EMBED, GUMBO_TAG_FRAME, GUMBO_TAG_HR, GUMBO_TAG_IMAGE, GUMBO_TAG_IMG, GUMBO_TAG_INPUT,
    GUMBO_TAG_KEYGEN, GUMBO_TAG_LINK, GUMBO_TAG_META, GUMBO_TAG_PARAM, GUMBO_TAG_SOURCE, GUMBO_TAG_TRACK,
    GUMBO_TAG_WBR };
// Their text is read raw, up to the end tag: written back unescaped.
constexpr std::array kRawTextTags { GUMBO_TAG_SCRIPT, GUMBO_TAG_STYLE, GUMBO_TAG_XMP, GUMBO_TAG_IFRAME,
    GUMBO_TAG_NOEMBED, GUMBO_TAG_NOFRAMES, GUMBO_TAG_PLAINTEXT };
// A line feed right after their start tag is dropped when read.
constexpr std::array kLeadingNewlineTags { GUMBO_TAG_PRE, GUMBO_TAG_LISTING, GUMBO_TAG_TEXTAREA };

template <std::size_t N>
bool IsHtmlTagIn(const std::array<GumboTag, N>& tags, const GumboElement& element)
{
    return element.tag_namespace == GUMBO_NAMESPACE_HTML && std::find(tags.begin(), tags.end(), element.tag) != tags.end();
}

std::string_view TagName(const GumboElement& element)
{
    if (element.tag != GUMBO_TAG_UNKNOWN)
        return gumbo_normalized_tagname(element.tag);
    GumboStringPiece name = element.original_tag;
    if (!name.data)
        return {};
    gumbo_tag_from_original_text(&name);
    return { name.data, name.length };
}

std::string_view OrEmpty(const char* text)
{
    return text ? text : "";
}

// The doctype as it was, so that the parser reads the markup in the same mode.
void AppendDoctype(std::string& out, const GumboDocument& document)
{
    if (!document.has_doctype)
        return;
    auto quoted = [](std::string_view id) {
        char quote = id.find('"') == std::string_view::npos ? '"' : '\'';
        return quote + std::string(id) + quote;
    };
    out += "<!DOCTYPE ";
    out += OrEmpty(document.name);
    std::string_view publicId = OrEmpty(document.public_identifier), systemId = OrEmpty(document.system_identifier);
    if (!publicId.empty()) {
        out += " PUBLIC " + quoted(publicId);
        if (!systemId.empty())
            out += " " + quoted(systemId);
    } else if (!systemId.empty()) {
        out += " SYSTEM " + quoted(systemId);
    }
    out += ">";
}

void AppendStartTag(std::string& out, const GumboElement& element, std::string_view name)
{
    out += '<';
    out += name;
    for (unsigned i = 0; i < element.attributes.length; ++i) {
        const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
        out += ' ';
        switch (attribute->attr_namespace) {
        case GUMBO_ATTR_NAMESPACE_XLINK:
            out += "xlink:";
            break;
        case GUMBO_ATTR_NAMESPACE_XML:
            out += "xml:";
            break;
        case GUMBO_ATTR_NAMESPACE_XMLNS:
            if (std::string_view(attribute->name) != "xmlns")
                out += "xmlns:";
            break;
        case GUMBO_ATTR_NAMESPACE_NONE:
            break;
        }
        out += attribute->name;
        out += "=\"";
        AppendHtmlEscaped(out, attribute->value, HtmlContext::Attribute);
        out += '"';
    }
    out += '>';
}

// An element being written: its children from `next` on are still to come.
struct Open {
    const GumboNode* node;
    std::string_view name;
    unsigned next;
    int depth;
};

}

std::string LimitedMarkup(const GumboOutput& parsed, int maxDepth, std::size_t maxBytes)
{
    std::string out;
    AppendDoctype(out, parsed.document->v.document);
    std::vector<Open> open;
    // The walk is a loop, not a recursion: the parsed tree may nest far deeper
    // than the stack allows.
    auto enter = [&](const GumboNode* node, int depth) {
        switch (node->type) {
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE: {
            const GumboElement& element = node->v.element;
            std::string_view name = TagName(element);
            if (name.empty())
                return;
            AppendStartTag(out, element, name);
            if (IsHtmlTagIn(kVoidTags, element))
                return;
            if (IsHtmlTagIn(kLeadingNewlineTags, element) && element.children.length > 0) {
                const auto* first = static_cast<const GumboNode*>(element.children.data[0]);
                if ((first->type == GUMBO_NODE_TEXT || first->type == GUMBO_NODE_WHITESPACE)
                    && first->v.text.text[0] == '\n')
                    out += '\n';
            }
            open.push_back({ node, name, 0, depth });
            return;
        }
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_WHITESPACE: {
            const GumboNode* parent = node->parent;
            bool raw = parent && (parent->type == GUMBO_NODE_ELEMENT) && IsHtmlTagIn(kRawTextTags, parent->v.element);
            if (raw)
                out += node->v.text.text;
            else
                AppendHtmlEscaped(out, node->v.text.text, HtmlContext::Text);
            return;
        }
        default:
            return; // comments and character data mean nothing to the layout
        }
    };
    if (parsed.root && maxDepth >= 1)
        enter(parsed.root, 1);
    while (!open.empty()) {
        Open& top = open.back();
        const GumboVector& children = top.node->v.element.children;
        if (top.next < children.length && out.size() < maxBytes) {
            const auto* child = static_cast<const GumboNode*>(children.data[top.next++]);
            bool element = child->type == GUMBO_NODE_ELEMENT || child->type == GUMBO_NODE_TEMPLATE;
            if (!element || top.depth < maxDepth)
                enter(child, top.depth + 1);
            continue;
        }
        out += "</";
        out += top.name;
        out += '>';
        open.pop_back();
    }
    return out;
}

}
