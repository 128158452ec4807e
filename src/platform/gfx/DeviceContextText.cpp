#include "platform/gfx/DeviceContext.h"

#include "platform/gfx/FontFace.h"
#include "platform/gfx/Raster.h"
#include "platform/gfx/Surface.h"
#include "platform/text/Utf8.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace plat {

namespace {

int LineWidth(FontFace& face, std::u32string_view text)
{
    long long width = 0;
    for (char32_t c : text)
        width += face.GlyphFor(c).advance;
    return static_cast<int>(std::min<long long>(width, raster::kCoordLimit));
}

// Lines of a multi-line text break at CR LF, LF or CR, nowhere else.
std::size_t CountLines(std::u32string_view text)
{
    std::size_t lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'\n' && text[i] != U'\r')
            continue;
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n')
            ++i;
        ++lines;
    }
    return lines;
}

// The first line of `rest`, which moves on past it and its break.
std::u32string_view TakeLine(std::u32string_view& rest)
{
    const std::size_t end = rest.find_first_of(U"\r\n");
    if (end == std::u32string_view::npos)
        return std::exchange(rest, {});
    const std::u32string_view line = rest.substr(0, end);
    const bool crlf = rest[end] == U'\r' && end + 1 < rest.size() && rest[end + 1] == U'\n';
    rest.remove_prefix(end + (crlf ? 2 : 1));
    return line;
}

// A line as DrawText shows it: "&x" underlines x, "&&" is one "&", and a
// final lone "&" is dropped.
struct PrefixedLine {
    std::u32string text;
    std::vector<bool> underlined;
};

PrefixedLine ApplyPrefixes(std::u32string_view line)
{
    PrefixedLine out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        bool mark = false;
        if (line[i] == U'&') {
            if (++i == line.size())
                break;
            mark = line[i] != U'&';
        }
        out.text.push_back(line[i]);
        out.underlined.push_back(mark);
    }
    return out;
}

}

const FontData& DeviceContext::CurrentFont() const
{
    return m_font.IsNull() ? *DefaultFontData() : *m_font.Data();
}

void DeviceContext::DrawTextLine(std::u32string_view text, int width, Point at, const Rect& clip,
    const std::vector<bool>& underlined)
{
    const FontData& font = CurrentFont();
    if (!font.face || text.empty())
        return;
    FontFace& face = *font.face;
    const FaceMetrics& m = face.Metrics();
    if (m_prepare)
        Prepare(Coverage::Part);
    const raster::Target target = Target(clip);
    if (target.clip.IsEmpty())
        return;
    const int height = m.ascent + m.descent;
    if (m_bkMode == BkMode::Opaque)
        raster::FillRect(target, { at.x, at.y, raster::Translate(at.x, width), raster::Translate(at.y, height) },
            ToXrgb(m_bkColor));

    const std::uint32_t ink = ToXrgb(m_textColor);
    // The first row below the baseline; glyph masks count their tops from it.
    const int baseline = raster::Translate(at.y, m.ascent);
    int pen = at.x;
    for (std::size_t i = 0; i < text.size() && pen < target.clip.right; ++i) {
        const Glyph& g = face.GlyphFor(text[i]);
        if (!g.mask.empty())
            raster::Mask(target, { raster::Translate(pen, g.left), baseline - g.top }, g.mask.data(), g.width, g.rows,
                ink);
        const int next = raster::Translate(pen, g.advance);
        if (i < underlined.size() && underlined[i])
            raster::FillRect(target, { pen, baseline, next, baseline + 1 }, ink);
        pen = next;
    }
    if (font.underline)
        raster::FillRect(target, { at.x, baseline, raster::Translate(at.x, width), baseline + 1 }, ink);
    if (font.strikeOut) {
        const int y = baseline - m.ascent / 3;
        raster::FillRect(target, { at.x, y, raster::Translate(at.x, width), y + 1 }, ink);
    }
}

bool DeviceContext::TextOut(int x, int y, std::string_view text)
{
    if (!m_pixels)
        return false;
    const FontData& font = CurrentFont();
    if (!font.face)
        return true;
    const std::u32string decoded = DecodeUtf8(text);
    DrawTextLine(decoded, LineWidth(*font.face, decoded),
        { raster::Translate(x, m_origin.x), raster::Translate(y, m_origin.y) }, m_clip);
    return true;
}

int DeviceContext::DrawText(std::string_view text, const Rect& rect, unsigned format)
{
    const FontData& font = CurrentFont();
    if (!font.face || text.empty())
        return 0;
    FontFace& face = *font.face;
    const int lineHeight = face.Metrics().ascent + face.Metrics().descent;
    const std::u32string decoded = DecodeUtf8(text);
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const std::size_t lineCount = singleLine ? 1 : CountLines(decoded);
    const int textHeight = static_cast<int>(std::min<long long>(
        static_cast<long long>(lineHeight) * static_cast<long long>(lineCount), raster::kCoordLimit));

    const Rect box = raster::Translate(rect, m_origin);
    int top = box.top;
    if (singleLine && (format & DT_VCENTER))
        top = box.top + (box.Height() - textHeight) / 2;
    else if (singleLine && (format & DT_BOTTOM))
        top = box.bottom - textHeight;
    std::u32string_view rest = decoded;
    for (std::size_t i = 0; i < lineCount; ++i) {
        const long long lineTop = top + static_cast<long long>(i) * lineHeight;
        if (lineTop >= box.bottom || !m_pixels)
            break;
        const int y = static_cast<int>(lineTop);
        const std::u32string_view own = singleLine ? std::exchange(rest, {}) : TakeLine(rest);
        // Most captions have no prefix: they are drawn as they are.
        const bool prefixed = !(format & DT_NOPREFIX) && own.find(U'&') != std::u32string_view::npos;
        const PrefixedLine line = prefixed ? ApplyPrefixes(own) : PrefixedLine {};
        const std::u32string_view shown = prefixed ? std::u32string_view(line.text) : own;
        const int width = LineWidth(face, shown);
        int x = box.left;
        if (format & DT_CENTER)
            x = box.left + (box.Width() - width) / 2;
        else if (format & DT_RIGHT)
            x = box.right - width;
        DrawTextLine(shown, width, { x, y }, box, line.underlined);
    }
    return textHeight;
}

Size DeviceContext::GetTextExtent(std::string_view text) const
{
    const FontData& font = CurrentFont();
    if (!font.face)
        return {};
    return { LineWidth(*font.face, DecodeUtf8(text)), font.face->Metrics().ascent + font.face->Metrics().descent };
}

TextMetrics DeviceContext::GetTextMetrics() const
{
    const FontData& font = CurrentFont();
    if (!font.face)
        return {};
    const FaceMetrics& m = font.face->Metrics();
    return { m.ascent + m.descent, m.ascent, m.descent, 0, 0, m.aveCharWidth, m.maxCharWidth };
}

}
