#include "platform/web/PageContainer.h"

#include "platform/AsciiCase.h"
#include "platform/gfx/Surface.h"
#include "platform/text/Utf8.h"
#include "platform/web/ListMarkerText.h"
#include "platform/web/PageText.h"
#include "platform/web/WebUrl.h"

#include <algorithm>
#include <cctype>

namespace plat::web {

namespace {

constexpr int kDefaultFontSize = 12;
constexpr const char* kDefaultFace = "宋体";

std::string Trim(std::string s)
{
    auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '"' || c == '\''; };
    while (!s.empty() && blank(s.back()))
        s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && blank(s[start]))
        ++start;
    return s.substr(start);
}

COLORREF ToColorref(const litehtml::web_color& c) { return RGB(c.red, c.green, c.blue); }

Rect ToRect(const litehtml::position& p) { return { p.x, p.y, p.x + p.width, p.y + p.height }; }

// CJK scripts write no spaces: a line may break between any two of their
// characters. Every CJK block, not only the unified ideographs.
bool IsCjk(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x2FDF) || (c >= 0x2FF0 && c <= 0x31FF) || (c >= 0x3200 && c <= 0x4DBF)
        || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7AF)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF)
        || (c >= 0x20000 && c <= 0x2FA1F) || (c >= 0x30000 && c <= 0x3134F);
}

}

PageContainer::PageContainer(std::string documentUrl, Size viewport)
    : m_documentUrl(std::move(documentUrl))
    , m_base(m_documentUrl)
    , m_viewport(viewport)
{
}

PageContainer::~PageContainer() = default;

void PageContainer::AddImage(const std::string& url, std::shared_ptr<const PageImage> image)
{
    m_images[url] = std::move(image);
}

std::string PageContainer::Resolve(const char* src, const char* baseurl) const
{
    if (!src || !*src)
        return {};
    std::string base = baseurl && *baseurl ? ResolveUrl(m_base, baseurl) : m_base;
    return ResolveUrl(base, src);
}

const PageImage* PageContainer::FindImage(const std::string& url) const
{
    auto it = m_images.find(url);
    return it == m_images.end() || !it->second || it->second->IsEmpty() ? nullptr : it->second.get();
}

Rect PageContainer::ClipOf(const PageCanvas& canvas) const
{
    Rect clip = canvas.clip;
    for (const Rect& c : m_clips)
        clip = clip.Intersected(c);
    return clip;
}

void PageContainer::Fill(PageCanvas& canvas, const Rect& rect, const litehtml::web_color& color) const
{
    if (color.alpha == 0 || !canvas.surface)
        return;
    Rect clip = ClipOf(canvas);
    Rect area = rect.Intersected(clip);
    if (area.IsEmpty())
        return;
    DeviceContext dc(*canvas.surface, clip);
    dc.FillSolidRect({ area.left - clip.left, area.top - clip.top, area.right - clip.left, area.bottom - clip.top },
        ToColorref(color));
}

litehtml::uint_ptr PageContainer::create_font(const char* faceName, int size, int weight, litehtml::font_style,
    unsigned int decoration, litehtml::font_metrics* fm)
{
    int pixels = std::clamp(size, 1, 256);
    auto make = [&](std::string_view face) {
        Font font;
        font.CreateFont(-pixels, 0, 0, 0, weight, 0, (decoration & litehtml::font_decoration_underline) ? 1 : 0,
            (decoration & litehtml::font_decoration_linethrough) ? 1 : 0, 0, 0, 0, 0, 0, face);
        return font;
    };
    // The first family of the list that this machine has; else 宋体.
    Font chosen;
    std::string list = faceName ? faceName : "";
    std::size_t start = 0;
    while (chosen.IsNull() && start <= list.size()) {
        std::size_t comma = list.find(',', start);
        std::string family = Trim(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        start = comma == std::string::npos ? list.size() + 1 : comma + 1;
        if (family.empty())
            continue;
        Font font = make(family);
        if (!font.IsNull() && EqualsIgnoringAsciiCase(font.FamilyName(), family))
            chosen = font;
    }
    if (chosen.IsNull())
        chosen = make(kDefaultFace);
    auto entry = std::make_unique<PageFont>();
    entry->font = chosen;
    m_measure.SelectObject(entry->font);
    entry->metrics = m_measure.GetTextMetrics();
    if (fm) {
        fm->ascent = entry->metrics.ascent;
        fm->descent = entry->metrics.descent;
        fm->height = entry->metrics.height;
        fm->x_height = std::max(1, entry->metrics.ascent / 2);
        fm->draw_spaces = (decoration & (litehtml::font_decoration_underline | litehtml::font_decoration_linethrough)) != 0;
    }
    m_fonts.push_back(std::move(entry));
    return reinterpret_cast<litehtml::uint_ptr>(m_fonts.back().get());
}

void PageContainer::delete_font(litehtml::uint_ptr font)
{
    auto* target = reinterpret_cast<PageFont*>(font);
    std::erase_if(m_fonts, [target](const std::unique_ptr<PageFont>& f) { return f.get() == target; });
}

int PageContainer::text_width(const char* text, litehtml::uint_ptr font)
{
    auto* f = reinterpret_cast<PageFont*>(font);
    if (!text || !f)
        return 0;
    m_measure.SelectObject(f->font);
    return m_measure.GetTextExtent(text).cx;
}

void PageContainer::draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr font,
    litehtml::web_color color, const litehtml::position& pos)
{
    auto& canvas = *reinterpret_cast<PageCanvas*>(hdc);
    auto* f = reinterpret_cast<PageFont*>(font);
    if (!text || !f || !canvas.surface || color.alpha == 0)
        return;
    Rect clip = ClipOf(canvas);
    if (clip.IsEmpty() || pos.y >= clip.bottom || pos.y + f->metrics.height <= clip.top || pos.x >= clip.right)
        return;
    DeviceContext dc(*canvas.surface, clip);
    dc.SelectObject(f->font);
    dc.SetTextColor(ToColorref(color));
    dc.SetBkMode(BkMode::Transparent);
    dc.TextOut(pos.x - clip.left, pos.y - clip.top, text);
}

int PageContainer::pt_to_px(int pt) const { return pt * 96 / 72; }

int PageContainer::get_default_font_size() const { return kDefaultFontSize; }

const char* PageContainer::get_default_font_name() const { return kDefaultFace; }

void PageContainer::draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker)
{
    auto& canvas = *reinterpret_cast<PageCanvas*>(hdc);
    Rect box = ToRect(marker.pos);
    if (!marker.image.empty()) {
        if (const PageImage* image = FindImage(Resolve(marker.image.c_str(), marker.baseurl))) {
            image->Draw(*canvas.surface, box, ClipOf(canvas));
            return;
        }
    }
    switch (marker.marker_type) {
    case litehtml::list_style_type_none:
        return;
    case litehtml::list_style_type_disc:
    case litehtml::list_style_type_square:
        Fill(canvas, box, marker.color);
        return;
    case litehtml::list_style_type_circle: {
        int w = std::max(1, box.Width() / 5);
        Fill(canvas, { box.left, box.top, box.right, box.top + w }, marker.color);
        Fill(canvas, { box.left, box.bottom - w, box.right, box.bottom }, marker.color);
        Fill(canvas, { box.left, box.top, box.left + w, box.bottom }, marker.color);
        Fill(canvas, { box.right - w, box.top, box.right, box.bottom }, marker.color);
        return;
    }
    default:
        break;
    }
    auto* f = reinterpret_cast<PageFont*>(marker.font);
    if (!f)
        return;
    std::string text = ListMarkerText(marker.marker_type, marker.index);
    int width = text_width(text.c_str(), marker.font);
    // The number ends a little before the item's text, on the item's first line.
    litehtml::position at(box.right - width - f->metrics.aveCharWidth / 2,
        box.top + box.Height() / 2 - f->metrics.height / 2 - 1, width, f->metrics.height);
    draw_text(hdc, text.c_str(), marker.font, marker.color, at);
}

void PageContainer::load_image(const char* src, const char* baseurl, bool)
{
    std::string url = Resolve(src, baseurl);
    if (!IsWebUrl(url) || !m_imageSet.insert(url).second)
        return;
    m_imageOrder.push_back(url);
}

void PageContainer::get_image_size(const char* src, const char* baseurl, litehtml::size& size)
{
    const PageImage* image = FindImage(Resolve(src, baseurl));
    size.width = image ? image->Width() : 0;
    size.height = image ? image->Height() : 0;
}

void PageContainer::DrawBackgroundImage(PageCanvas& canvas, const PageImage& image,
    const litehtml::background_paint& bg) const
{
    int w = bg.image_size.width > 0 ? bg.image_size.width : image.Width();
    int h = bg.image_size.height > 0 ? bg.image_size.height : image.Height();
    Rect clip = ToRect(bg.clip_box).Intersected(ClipOf(canvas));
    if (clip.IsEmpty() || w <= 0 || h <= 0)
        return;
    bool repeatX = bg.repeat == litehtml::background_repeat_repeat || bg.repeat == litehtml::background_repeat_repeat_x;
    bool repeatY = bg.repeat == litehtml::background_repeat_repeat || bg.repeat == litehtml::background_repeat_repeat_y;
    int x0 = bg.position_x;
    int y0 = bg.position_y;
    // Tiles start where one would fall just left of and above the visible part.
    auto first = [](int origin, int size, int from) {
        long long k = (static_cast<long long>(from) - origin) / size;
        if (from < origin)
            k -= 1;
        return static_cast<int>(origin + k * size);
    };
    int xStart = repeatX ? first(x0, w, clip.left) : x0;
    int yStart = repeatY ? first(y0, h, clip.top) : y0;
    for (int y = yStart; y < clip.bottom; y += h) {
        for (int x = xStart; x < clip.right; x += w) {
            image.Draw(*canvas.surface, { x, y, x + w, y + h }, clip);
            if (!repeatX)
                break;
        }
        if (!repeatY)
            break;
    }
}

void PageContainer::draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg)
{
    auto& canvas = *reinterpret_cast<PageCanvas*>(hdc);
    if (!canvas.surface)
        return;
    if (bg.image.empty()) {
        Fill(canvas, ToRect(bg.clip_box), bg.color);
        return;
    }
    if (const PageImage* image = FindImage(Resolve(bg.image.c_str(), bg.baseurl.c_str())))
        DrawBackgroundImage(canvas, *image, bg);
}

void PageContainer::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
    const litehtml::position& drawPos, bool)
{
    auto& canvas = *reinterpret_cast<PageCanvas*>(hdc);
    Rect box = ToRect(drawPos);
    auto visible = [](const litehtml::border& b) {
        return b.width > 0 && b.style != litehtml::border_style_none && b.style != litehtml::border_style_hidden;
    };
    if (visible(borders.top))
        Fill(canvas, { box.left, box.top, box.right, box.top + borders.top.width }, borders.top.color);
    if (visible(borders.bottom))
        Fill(canvas, { box.left, box.bottom - borders.bottom.width, box.right, box.bottom }, borders.bottom.color);
    if (visible(borders.left))
        Fill(canvas, { box.left, box.top, box.left + borders.left.width, box.bottom }, borders.left.color);
    if (visible(borders.right))
        Fill(canvas, { box.right - borders.right.width, box.top, box.right, box.bottom }, borders.right.color);
}

void PageContainer::set_caption(const char*) { }

void PageContainer::set_base_url(const char* baseUrl)
{
    std::string resolved = baseUrl && *baseUrl ? ResolveUrl(m_documentUrl, baseUrl) : std::string();
    m_base = resolved.empty() ? m_documentUrl : resolved;
}

void PageContainer::link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) { }

void PageContainer::on_anchor_click(const char* url, const litehtml::element::ptr&)
{
    if (!url || !*url)
        return;
    std::string resolved = Resolve(url, nullptr);
    m_clicked = resolved.empty() ? std::string(url) : resolved;
}

void PageContainer::set_cursor(const char* cursor)
{
    m_pointer = cursor && std::string_view(cursor) == "pointer";
}

void PageContainer::transform_text(litehtml::tstring& text, litehtml::text_transform tt)
{
    if (tt == litehtml::text_transform_uppercase)
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    else if (tt == litehtml::text_transform_lowercase)
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

void PageContainer::import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl)
{
    std::string resolved = Resolve(url.c_str(), baseurl.c_str());
    text.clear();
    // A sheet is read once: one that imports itself, or two that import
    // each other, stop there.
    if (!IsWebUrl(resolved) || !m_fetch || !m_importedSheets.insert(resolved).second)
        return;
    std::string bytes;
    if (!m_fetch(resolved, bytes))
        return;
    text = SanitizeUtf8(bytes);
    baseurl = resolved;
}

void PageContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&, bool validX, bool validY)
{
    Rect clip = ToRect(pos);
    if (!validX) {
        clip.left = INT32_MIN / 2;
        clip.right = INT32_MAX / 2;
    }
    if (!validY) {
        clip.top = INT32_MIN / 2;
        clip.bottom = INT32_MAX / 2;
    }
    m_clips.push_back(clip);
}

void PageContainer::del_clip()
{
    if (!m_clips.empty())
        m_clips.pop_back();
}

void PageContainer::get_client_rect(litehtml::position& client) const
{
    client = litehtml::position(0, 0, m_viewport.cx, m_viewport.cy);
}

std::shared_ptr<litehtml::element> PageContainer::create_element(const char*, const litehtml::string_map&,
    const std::shared_ptr<litehtml::document>&)
{
    return nullptr;
}

void PageContainer::get_media_features(litehtml::media_features& media) const
{
    media.type = litehtml::media_type_screen;
    media.width = media.device_width = m_viewport.cx;
    media.height = media.device_height = m_viewport.cy;
    media.color = 8;
    media.monochrome = 0;
    media.color_index = 256;
    media.resolution = 96;
}

void PageContainer::get_language(litehtml::tstring& language, litehtml::tstring& culture) const
{
    language = "zh";
    culture = "CN";
}

void PageContainer::split_text(const char* text, const std::function<void(const char*)>& onWord,
    const std::function<void(const char*)>& onSpace)
{
    std::string_view s = text ? text : "";
    std::string word;
    auto flush = [&] {
        if (!word.empty())
            onWord(word.c_str());
        word.clear();
    };
    std::size_t at = 0;
    while (at < s.size()) {
        Utf8Char ch = ReadUtf8Char(s, at);
        std::size_t length = ch.length ? ch.length : 1;
        std::string piece(s.substr(at, length));
        at += length;
        if (ch.length == 1 && (piece[0] == ' ' || piece[0] == '\t' || piece[0] == '\n' || piece[0] == '\r' || piece[0] == '\f')) {
            flush();
            onSpace(piece.c_str());
        } else if (ch.length && IsCjk(ch.codePoint)) {
            flush();
            onWord(piece.c_str());
        } else {
            word += piece;
        }
    }
    flush();
}

}
