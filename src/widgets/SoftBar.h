#pragma once

// The software bar (IDC_SOFTBAR of the main window, created hidden): up to
// ten of the maker's other programs as small rounded entries under a
// caption that sits on a group frame. Load fills it from data\main.htm
// ([TAMREL_COLOR], [TAMREL_README], the [TAMREL_BEGIN]...[TAMREL_END] list)
// or from the built-in list, leaving out the program's own row; Layout
// places the entries in rows like words in a paragraph. Every repaint goes
// through an off-screen bitmap of the bar's size. The entry under the
// cursor takes the hot colours; as with the image button, each mouse move
// (re)arms timer 1 (200 ms) and each tick compares the cursor with the
// client area. The bar keeps no click handling of its own: the main window
// asks HitTest which entry is under the cursor when the bar is clicked.

#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Button.h"

#include <array>
#include <string>
#include <string_view>

struct SoftEntry {
    // Client coordinates once laid out; after parsing (0, 0, width, 22).
    plat::Rect rect;
    // "换行" makes the entry a line break.
    std::string caption;
    int hover = 0;
    std::string key;
    std::string exe;
    // Full name for the launcher's not-installed message.
    std::string title;
};

class CSoftBar : public plat::Button {
public:
    static constexpr int kMaxEntries = 10;

    CSoftBar();
    ~CSoftBar() override;

    // Fills the bar for the program `identity` ("lv") and lays it out; 0.
    // A second call appends to the entries (up to ten) and re-reads colours,
    // caption and row height.
    int Load(std::string_view identity);
    // One list line "caption,key,exe,width[,title]": 0 when it added an
    // entry, 1 when it was skipped, -1 for the end row ("end").
    int ParseEntry(std::string_view line, std::string_view identity);
    // The new entry's index, or -1 when the bar is full.
    int AddEntry(const plat::Rect& rect, std::string_view caption);
    // 0 with the entry's title, key and executable; 1 for an index out of
    // range, the outputs untouched.
    int GetEntry(int index, std::string& title, std::string& key, std::string& exe) const;

    // Places the entries in the client area; 1 without a window or when the
    // usable width is below 100 pixels (entries untouched), else 0. Does
    // nothing before Load.
    int Layout();
    // Repaints the whole bar now; 1 without a window or before Load, else 0.
    int Redraw();
    // The whole bar into `rect` of `dc` (rect starts at 0, 0).
    void Paint(plat::DeviceContext& dc, const plat::Rect& rect);
    // Sets each entry's hot look from the cursor, repainting on a change;
    // true when the cursor is inside the client area.
    bool UpdateHover();
    // Index of the first entry under the cursor, or -1.
    int HitTest() const;

    void DrawItem(const plat::DrawItemStruct& item) override;

    void OnMouseMove(unsigned flags, plat::Point point);
    void OnTimer(std::uintptr_t id);

    plat::COLORREF m_crFramePen = plat::RGB(34, 34, 34);
    plat::COLORREF m_crBack = plat::RGB(240, 240, 240);
    plat::COLORREF m_crCaptionText = plat::RGB(0, 0, 0);
    plat::COLORREF m_crItemPen = plat::RGB(51, 51, 51);
    plat::COLORREF m_crItemFace = plat::RGB(133, 133, 133);
    plat::COLORREF m_crItemText = plat::RGB(255, 255, 0);
    plat::COLORREF m_crHotPen = plat::RGB(113, 26, 26);
    plat::COLORREF m_crHotFace = plat::RGB(201, 47, 47);
    plat::COLORREF m_crHotText = plat::RGB(255, 255, 255);
    int m_nCount = 0;
    std::array<SoftEntry, kMaxEntries> m_entries;
    int m_nRowHeight = 22;
    std::string m_strCaption;
    std::string m_strMode = "default";

    LV_DECLARE_MESSAGE_MAP()

private:
    // The nine colours from a [TAMREL_COLOR] value.
    void ReadColors(std::string_view value);
    // Row height and caption from a [TAMREL_README] value.
    void ReadReadme(std::string_view value);
};
