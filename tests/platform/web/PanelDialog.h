#pragma once

// A dialog holding a 584 x 80 web panel (the main window's) and a push
// button, run modally while a script drives it; what a script waits for
// and reads of the panel.

#include "platform/ui/Automation.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/WebHost.h"
#include "platform/web/WebView.h"
#include "resource.h"
#include "support/DialogText.h"
#include "support/ModalRun.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace webtest {

inline constexpr int kButton = 1000;

inline constexpr const char* kPanelTemplate = R"(dialog 901
title "Panel"
font 9 "宋体"
size 400 100
style caption sysmenu visible
control 1011 webhost 3 21 389 53 ""
control 1000 button 3 80 50 14 "Push"
)";

class PanelDialog : public plat::Dialog {
public:
    PanelDialog()
        : Dialog(lvtest::ParseDialog(kPanelTemplate), nullptr)
    {
    }

    std::vector<std::string> links;
    int buttonClicks = 0;
    // Pixels of the dialog's client area drawn by its first paint have been shown.
    bool firstFrame = false;

    plat::Wnd& Panel() { return *GetDlgItem(IDC_WEB); }
    plat::web::WebView* View() { return dynamic_cast<plat::web::WebView*>(plat::GetWebHostContent(Panel())); }
    bool Navigate(const std::string& address)
    {
        return plat::web::Navigate(Panel(), address, [this](const std::string& link) { links.push_back(link); });
    }
    void OnPush() { ++buttonClicks; }
    void OnPaint()
    {
        firstFrame = true;
        Dialog::OnPaint();
    }

protected:
    LV_DECLARE_MESSAGE_MAP()
};

// The panel's loader has finished, or there is none (no page to load).
inline bool Loaded(PanelDialog& dlg)
{
    plat::web::WebView* view = dlg.View();
    return !view || view->LoadFinished();
}

// The panel's pixels as 0x00RRGGBB, row by row.
inline std::vector<std::uint32_t> PanelPixels(PanelDialog& dlg) { return lvtest::ClientPixels(dlg.Panel()); }

inline int CountPixels(const std::vector<std::uint32_t>& pixels, const std::function<bool(std::uint32_t)>& pred)
{
    int n = 0;
    for (std::uint32_t p : pixels)
        n += pred(p) ? 1 : 0;
    return n;
}

inline bool IsDark(std::uint32_t p) { return ((p >> 16) & 0xFF) < 96 && ((p >> 8) & 0xFF) < 96 && (p & 0xFF) < 96; }
inline bool IsWhite(std::uint32_t p) { return p == 0xFFFFFF; }

}
