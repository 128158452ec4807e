#pragma once

// A menu: the window menu (system menu) of a top-level window, which the
// program extends with AppendMenu. It opens as our own popup with Alt+Space
// or a right click on the window's background; the chosen item's id arrives
// as WM_SYSCOMMAND.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class Menu {
public:
    struct Item {
        unsigned flags = 0; // MF_SEPARATOR, MF_GRAYED
        unsigned id = 0;
        std::string text; // "&" marks the mnemonic; a tab starts the shortcut text
    };

    // Restore, minimise (when the window has a minimise box), a separator and close.
    static std::unique_ptr<Menu> StandardWindowMenu(bool minimizeBox);

    bool AppendMenu(unsigned flags, unsigned id = 0, std::string_view text = {});
    int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
    unsigned GetMenuItemID(int index) const;
    const std::vector<Item>& Items() const { return m_items; }
    bool EnableMenuItem(unsigned id, bool enable);

private:
    std::vector<Item> m_items;
};

}
