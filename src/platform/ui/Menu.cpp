#include "platform/ui/Menu.h"

#include "platform/intl/Translate.h"
#include "platform/ui/Messages.h"

namespace plat {

std::unique_ptr<Menu> Menu::StandardWindowMenu(bool minimizeBox)
{
    auto menu = std::make_unique<Menu>();
    menu->AppendMenu(MF_STRING | MF_GRAYED, SC_RESTORE, Translate("还原(&R)"));
    if (minimizeBox)
        menu->AppendMenu(MF_STRING, SC_MINIMIZE, Translate("最小化(&N)"));
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, SC_CLOSE, Translate("关闭(&C)\tAlt+F4"));
    return menu;
}

bool Menu::AppendMenu(unsigned flags, unsigned id, std::string_view text)
{
    if (flags & MF_SEPARATOR)
        m_items.push_back({ MF_SEPARATOR, 0, {} });
    else
        m_items.push_back({ flags, id, std::string(text) });
    return true;
}

unsigned Menu::GetMenuItemID(int index) const
{
    if (index < 0 || index >= GetMenuItemCount() || (m_items[index].flags & MF_SEPARATOR))
        return 0;
    return m_items[index].id;
}

bool Menu::EnableMenuItem(unsigned id, bool enable)
{
    for (Item& item : m_items) {
        if (item.id == id && !(item.flags & MF_SEPARATOR)) {
            item.flags = enable ? (item.flags & ~MF_GRAYED) : (item.flags | MF_GRAYED);
            return true;
        }
    }
    return false;
}

}
