// Entry point of lv.exe. Until the application object exists, the program
// shows a small window of the window framework: a colour panel that a
// button switches between red and blue, the window menu with the About
// item, Escape or the close box to quit.

#include "platform/gfx/Icon.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/StringTable.h"

namespace {

constexpr int kSwitchButton = 1000;
constexpr unsigned kAboutCommand = 16;
constexpr plat::Rect kPanel { 15, 50, 315, 185 };

plat::DialogTemplate DemoTemplate()
{
    plat::DialogTemplate t;
    t.title = "Lumivex";
    t.caption = true;
    t.sysMenu = true;
    t.minimizeBox = true;
    t.visible = true;
    t.units = { 220, 130 }; // 330 x 195 pixels
    plat::ControlTemplate button;
    button.id = kSwitchButton;
    button.kind = plat::ControlKind::Button;
    button.units = { 10, 8, 70, 24 }; // 15, 12, 90 x 24 pixels
    button.text = "换颜色(&C)";
    t.controls = { button };
    return t;
}

class DemoDlg : public plat::Dialog {
public:
    DemoDlg()
        : Dialog(DemoTemplate(), nullptr)
    {
        m_icon.LoadIcon(128);
    }

protected:
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        if (plat::Menu* menu = GetSystemMenu(false)) {
            std::string about = plat::LoadString(101);
            if (!about.empty()) {
                menu->AppendMenu(plat::MF_SEPARATOR);
                menu->AppendMenu(plat::MF_STRING, kAboutCommand, about);
            }
        }
        SetIcon(&m_icon, true);
        SetIcon(&m_icon, false);
        return true;
    }

    bool OnEraseBkgnd(plat::DeviceContext* dc)
    {
        Default();
        DrawPanel(*dc);
        return true;
    }

    void OnSwitch()
    {
        m_red = !m_red;
        plat::ClientDC dc(this);
        DrawPanel(dc);
    }

    void OnSysCommand(unsigned id, plat::LPARAM param)
    {
        if ((id & 0xFFF0) == kAboutCommand) {
            plat::MessageBox("Lumivex 显示器测试\r\n窗口框架演示");
            return;
        }
        Dialog::OnSysCommand(id, param);
    }

private:
    void DrawPanel(plat::DeviceContext& dc)
    {
        dc.FillSolidRect(kPanel, m_red ? plat::RGB(255, 0, 0) : plat::RGB(0, 0, 255));
    }

    plat::Icon m_icon;
    bool m_red = true;

    LV_DECLARE_MESSAGE_MAP()
};

LV_BEGIN_MESSAGE_MAP(DemoDlg, plat::Dialog)
    LV_ON_WM_ERASEBKGND()
    LV_ON_WM_SYSCOMMAND()
    LV_ON_BN_CLICKED(kSwitchButton, OnSwitch)
LV_END_MESSAGE_MAP()

}

int main()
{
    DemoDlg dlg;
    return dlg.DoModal() < 0 ? 1 : 0;
}
