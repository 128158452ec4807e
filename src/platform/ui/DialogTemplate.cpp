#include "platform/ui/DialogTemplate.h"

#include "platform/intl/Translate.h"
#include "platform/res/Resources.h"

#include <charconv>
#include <cmath>

namespace plat {

namespace {

// a * b / c rounded half away from zero, as dialog-unit conversion rounds.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

struct Tokenizer {
    std::string_view line;
    std::size_t pos = 0;
    std::string error;

    void SkipBlanks()
    {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t' || line[pos] == '\r'))
            ++pos;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return pos >= line.size();
    }
    bool PeekQuote()
    {
        SkipBlanks();
        return pos < line.size() && line[pos] == '"';
    }
    std::string Word()
    {
        SkipBlanks();
        std::size_t start = pos;
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t' && line[pos] != '\r')
            ++pos;
        return std::string(line.substr(start, pos - start));
    }
    std::optional<int> Number()
    {
        std::string w = Word();
        int value = 0;
        auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), value);
        if (w.empty() || ec != std::errc() || end != w.data() + w.size()) {
            error = "expected a number, found \"" + w + "\"";
            return std::nullopt;
        }
        return value;
    }
    std::optional<std::string> Quoted()
    {
        if (!PeekQuote()) {
            error = "expected a quoted text";
            return std::nullopt;
        }
        ++pos;
        std::string text;
        while (pos < line.size()) {
            char c = line[pos++];
            if (c == '"')
                return text;
            if (c == '\\' && pos < line.size()) {
                char e = line[pos++];
                if (e == 'n')
                    text += '\n';
                else if (e == 'r')
                    text += '\r';
                else if (e == 't')
                    text += '\t';
                else
                    text += e;
                continue;
            }
            text += c;
        }
        error = "unterminated quoted text";
        return std::nullopt;
    }
};

std::optional<ControlKind> KindFromWord(std::string_view word)
{
    if (word == "button")
        return ControlKind::Button;
    if (word == "checkbox")
        return ControlKind::CheckBox;
    if (word == "static")
        return ControlKind::Static;
    if (word == "icon")
        return ControlKind::Icon;
    if (word == "webhost")
        return ControlKind::WebHost;
    return std::nullopt;
}

bool ParseControl(Tokenizer& t, ControlTemplate& c)
{
    std::optional<int> id = t.Number();
    if (!id)
        return false;
    c.id = *id;
    std::string kind = t.Word();
    std::optional<ControlKind> k = KindFromWord(kind);
    if (!k) {
        t.error = "unknown control kind \"" + kind + "\"";
        return false;
    }
    c.kind = *k;
    int v[4];
    for (int& n : v) {
        std::optional<int> num = t.Number();
        if (!num)
            return false;
        n = *num;
    }
    if (v[2] < 0 || v[3] < 0) {
        t.error = "negative control size";
        return false;
    }
    c.units = { v[0], v[1], v[0] + v[2], v[1] + v[3] };
    while (!t.AtEnd() && !t.PeekQuote()) {
        std::string flag = t.Word();
        if (flag == "hidden")
            c.visible = false;
        else if (flag == "disabled")
            c.disabled = true;
        else if (flag == "ownerdraw")
            c.ownerDraw = true;
        else if (flag == "default")
            c.defaultButton = true;
        else if (flag == "noprefix")
            c.noPrefix = true;
        else if (flag == "sunken")
            c.sunken = true;
        else if (flag == "tabstop")
            c.tabStop = true;
        else if (flag == "group")
            c.group = true;
        else {
            t.error = "unknown control flag \"" + flag + "\"";
            return false;
        }
    }
    if (t.PeekQuote()) {
        std::optional<std::string> text = t.Quoted();
        if (!text)
            return false;
        c.text = *text;
    }
    return true;
}

bool ParseLine(Tokenizer& t, DialogTemplate& d, bool& sawDialog)
{
    std::string keyword = t.Word();
    if (keyword == "dialog") {
        std::optional<int> id = t.Number();
        if (!id)
            return false;
        d.id = *id;
        sawDialog = true;
    } else if (keyword == "title") {
        std::optional<std::string> title = t.Quoted();
        if (!title)
            return false;
        d.title = *title;
    } else if (keyword == "font") {
        std::optional<int> points = t.Number();
        if (!points)
            return false;
        std::optional<std::string> face = t.Quoted();
        if (!face)
            return false;
        if (*points <= 0 || *points > 72) {
            t.error = "font size out of range";
            return false;
        }
        d.fontPoints = *points;
        d.fontFace = *face;
    } else if (keyword == "size") {
        std::optional<int> w = t.Number();
        std::optional<int> h = w ? t.Number() : std::nullopt;
        if (!h)
            return false;
        if (*w < 0 || *h < 0) {
            t.error = "negative dialog size";
            return false;
        }
        d.units = { *w, *h };
    } else if (keyword == "style") {
        while (!t.AtEnd()) {
            std::string s = t.Word();
            if (s == "caption")
                d.caption = true;
            else if (s == "sysmenu")
                d.sysMenu = true;
            else if (s == "minimizebox")
                d.minimizeBox = true;
            else if (s == "visible")
                d.visible = true;
            else if (s != "modalframe" && s != "popup" && s != "appwindow") {
                t.error = "unknown style \"" + s + "\"";
                return false;
            }
        }
    } else if (keyword == "control") {
        ControlTemplate c;
        if (!ParseControl(t, c))
            return false;
        d.controls.push_back(std::move(c));
    } else {
        t.error = "unknown keyword \"" + keyword + "\"";
        return false;
    }
    if (!t.AtEnd()) {
        t.error = "unexpected text after the " + keyword + " line";
        return false;
    }
    return true;
}

}

std::optional<DialogTemplate> DialogTemplate::Parse(std::string_view text, std::string* error)
{
    DialogTemplate d;
    bool sawDialog = false;
    int lineNumber = 0;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        ++lineNumber;
        Tokenizer t;
        t.line = line;
        if (t.AtEnd() || line[t.pos] == '#')
            continue;
        if (!ParseLine(t, d, sawDialog)) {
            if (error)
                *error = "line " + std::to_string(lineNumber) + ": " + t.error;
            return std::nullopt;
        }
    }
    if (!sawDialog) {
        if (error)
            *error = "no dialog line";
        return std::nullopt;
    }
    return d;
}

std::optional<DialogTemplate> DialogTemplate::Load(int id)
{
    std::span<const std::uint8_t> bytes = res::Find(res::Kind::Dialog, id);
    if (bytes.empty())
        return std::nullopt;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::optional<DialogTemplate> d = Parse(text);
    if (!d || d->id != id)
        return std::nullopt;
    // An icon's text is its resource number and a web host's its class.
    d->title = Translate(d->title);
    for (ControlTemplate& c : d->controls)
        if (c.kind != ControlKind::Icon && c.kind != ControlKind::WebHost)
            c.text = Translate(c.text);
    return d;
}

int DialogTemplate::FontPixels() const
{
    return MulDiv(fontPoints, 96, 72);
}

Size DialogTemplate::BaseUnits() const
{
    // The Song faces are fixed-pitch with half-width Latin: the average
    // character is half the pixel size wide.
    int px = FontPixels();
    return { px / 2, px };
}

Rect DialogTemplate::ToPixels(const Rect& r) const
{
    // Position and size convert separately, as the window system does.
    Size base = BaseUnits();
    int x = MulDiv(r.left, base.cx, 4);
    int y = MulDiv(r.top, base.cy, 8);
    return { x, y, x + MulDiv(r.Width(), base.cx, 4), y + MulDiv(r.Height(), base.cy, 8) };
}

Size DialogTemplate::ClientSize() const
{
    Size base = BaseUnits();
    return { MulDiv(units.cx, base.cx, 4), MulDiv(units.cy, base.cy, 8) };
}

}
