#pragma once

// Dialog templates: a dialog's frame style, font, size and controls, in
// dialog units, read from the text files res/dialog/<n>.dlg:
//
//     dialog 100
//     title "关于 ..."
//     font 9 "宋体"
//     size 303 137
//     style caption sysmenu modalframe visible
//     control 1012 static 40 7 198 8 noprefix "Lumivex ..."
//     control 1 button 246 7 50 20 default "确定"
//
// A control line is: id (-1 for none), kind (button, checkbox, static,
// icon, webhost), x, y, width, height, flags (hidden, disabled, ownerdraw,
// default, noprefix, sunken, tabstop: Tab stops on it, group: it starts a
// group for the arrow keys), and a quoted text (\n, \" and \\ escapes; an
// icon's text is its icon resource number). '#' starts a comment line.

#include "platform/Types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

enum class ControlKind { Button,
    CheckBox,
    Static,
    Icon,
    WebHost };

struct ControlTemplate {
    int id = -1;
    ControlKind kind = ControlKind::Static;
    Rect units; // dialog units
    std::string text;
    bool visible = true;
    bool disabled = false;
    bool ownerDraw = false;
    bool defaultButton = false;
    bool noPrefix = false;
    bool sunken = false;
    bool tabStop = false;
    bool group = false;
};

struct DialogTemplate {
    int id = 0;
    std::string title;
    std::string fontFace = "宋体";
    int fontPoints = 9;
    Size units; // client size in dialog units
    bool caption = false;
    bool sysMenu = false;
    bool minimizeBox = false;
    bool visible = false;
    std::vector<ControlTemplate> controls;

    // The template resource `id`; nullopt when there is none or it does not parse.
    static std::optional<DialogTemplate> Load(int id);
    // nullopt with `error` ("line 4: ...") when the text is not a template.
    static std::optional<DialogTemplate> Parse(std::string_view text, std::string* error = nullptr);

    // The font's pixel height at 96 dots per inch (9 pt -> 12 px).
    int FontPixels() const;
    // Base units of the template font: half-width cell width and line height.
    Size BaseUnits() const;
    Rect ToPixels(const Rect& units) const;
    Size ClientSize() const;
};

}
