#pragma once

// The software bar (control 1010 of the main window, created hidden): a
// row of recommended programs read from data\main.htm. For now it holds no
// entries; the main window already loads and lays it out at start.

#include "platform/ui/Button.h"

#include <string>
#include <string_view>

class CSoftBar : public plat::Button {
public:
    // Fills the bar for the program `identity` ("lv"); 0.
    int Load(std::string_view identity);
    // Places the entries in the bar's width.
    void Layout();
    // 0 with the entry's title, key and executable; 1 for an index out of
    // range, the outputs untouched.
    int GetEntry(int index, std::string& title, std::string& key, std::string& exe) const;
    // Index of the first entry under the cursor, or -1.
    int HitTest() const;
};
