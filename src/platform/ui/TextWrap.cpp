#include "platform/ui/TextWrap.h"

namespace plat {

namespace {

// Length of the UTF-8 sequence starting at text[i] (1 for a stray byte).
std::size_t SequenceLength(std::string_view text, std::size_t i)
{
    unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2
        : (c >> 4) == 0xE                          ? 3
        : (c >> 3) == 0x1E                         ? 4
                                                   : 1;
    return i + n <= text.size() ? n : 1;
}

std::vector<std::string_view> Paragraphs(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        result.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    result.push_back(text.substr(start));
    return result;
}

void WrapParagraph(const DeviceContext& dc, std::string_view text, int width, std::vector<std::string>& lines)
{
    while (true) {
        // The longest prefix that fits, and the last break opportunity in it.
        // Only prefixes are measured, never the whole rest of a long text.
        std::size_t fit = 0;
        std::size_t lastBreak = 0;
        std::size_t i = 0;
        while (i < text.size()) {
            std::size_t next = i + SequenceLength(text, i);
            if (dc.GetTextExtent(text.substr(0, next)).cx > width)
                break;
            char c = text[i];
            if (c == ' ' || c == '\t' || c == '\\' || c == '/')
                lastBreak = next;
            fit = next;
            i = next;
        }
        if (fit == text.size()) {
            lines.emplace_back(text);
            return;
        }
        std::size_t cut = lastBreak > 0 ? lastBreak : fit;
        if (cut == 0)
            cut = SequenceLength(text, 0); // at least one character per line
        std::string_view line = text.substr(0, cut);
        while (!line.empty() && line.back() == ' ')
            line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(cut);
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        if (text.empty())
            return;
    }
}

}

std::vector<std::string> WrapText(const DeviceContext& dc, std::string_view text, int width)
{
    std::vector<std::string> lines;
    for (std::string_view paragraph : Paragraphs(text))
        WrapParagraph(dc, paragraph, width, lines);
    return lines;
}

}
