#pragma once

// The software bar (IDC_SOFTBAR of the main window, created hidden): a
// row of recommended programs read from data\main.htm. For now it holds no
// entries; the main window already loads and lays it out at start.

#include "platform/ui/Button.h"

#include <string_view>

class CSoftBar : public plat::Button {
public:
    // Fills the bar for the program `identity` ("lv"); 0.
    int Load(std::string_view identity);
    // Places the entries in the bar's width.
    void Layout();
};
