#pragma once

// A dialog with a fixed message map and hooks, built from a template text,
// for driving the window framework in tests.

#include "platform/ui/Automation.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/EventLoop.h"
#include "support/DialogText.h"
#include "support/ModalRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace uitest {

// 200 x 100 dialog units = 300 x 150 pixels of client area (宋体 9 pt).
inline constexpr const char* kTestTemplate = R"(dialog 900
title "Test"
font 9 "宋体"
size 200 100
style caption sysmenu minimizebox visible
control 1000 button 10 10 50 14 "Push"
control 1001 button 70 10 50 14 ownerdraw "Owner"
control 1002 button 130 10 50 14 hidden "Hidden"
control 1003 checkbox 10 40 80 10 "Check"
control 1004 static 10 60 80 10 "Text"
)";

class TestDialog : public plat::Dialog {
public:
    explicit TestDialog(std::string_view text = kTestTemplate, plat::Wnd* parent = nullptr)
        : Dialog(lvtest::ParseDialog(text), parent)
    {
    }

    std::vector<std::string> log;
    std::function<void(TestDialog&)> onInit;
    std::function<void(TestDialog&, int id)> onClick;
    std::function<void(TestDialog&, std::uintptr_t id)> onTimer;
    std::function<void(TestDialog&, unsigned id)> onSysCommand;
    std::function<void(plat::DataExchange*)> onExchange;

    void OnPush() { Clicked(1000); }
    void OnOwner() { Clicked(1001); }
    void OnHidden() { Clicked(1002); }
    void OnCheck() { Clicked(1003); }
    void OnTimer(std::uintptr_t id)
    {
        log.push_back("timer " + std::to_string(id));
        if (onTimer)
            onTimer(*this, id);
    }
    void OnSysCommand(unsigned id, plat::LPARAM param)
    {
        log.push_back("syscommand " + std::to_string(id));
        if (onSysCommand)
            onSysCommand(*this, id);
        Dialog::OnSysCommand(id, param);
    }
    bool OnEraseBkgnd(plat::DeviceContext* dc)
    {
        log.push_back("erase");
        return Dialog::OnEraseBkgnd(dc);
    }
    void OnPaint()
    {
        log.push_back("paint");
        Dialog::OnPaint();
    }

protected:
    void DoDataExchange(plat::DataExchange* dx) override
    {
        if (onExchange)
            onExchange(dx);
    }
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        log.push_back("init");
        if (onInit)
            onInit(*this);
        return true;
    }

private:
    void Clicked(int id)
    {
        log.push_back("click " + std::to_string(id));
        if (onClick)
            onClick(*this, id);
    }

    LV_DECLARE_MESSAGE_MAP()
};

using lvtest::AfterEverything;
using lvtest::AtTheEnd;
using lvtest::Ending;
using lvtest::RunModal;
using lvtest::StartWatchdog;
using lvtest::Then;

inline int Count(const std::vector<std::string>& log, const std::string& entry)
{
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

}
