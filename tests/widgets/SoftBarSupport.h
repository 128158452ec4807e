#pragma once

// The software bar under test: a scratch folder as the current directory
// (the bar reads data\main.htm from there), and a modeless dialog holding
// the bar hidden, as the main window's template has it, sized in pixels
// and loaded at initialisation as the main window does.

#include "WidgetDialog.h"
#include "resource.h"
#include "support/TempFolder.h"
#include "widgets/SoftBar.h"

#include <filesystem>
#include <memory>
#include <string>

namespace wtest {

// "[TAMREL_BEGIN]", the lines, "[TAMREL_END]", one per line.
inline std::string ListSection(const std::vector<std::string>& lines)
{
    std::string text = "[TAMREL_BEGIN]\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text + "[TAMREL_END]\r\n";
}

class BarDialog : public plat::Dialog {
public:
    BarDialog(int width, int height)
        : Dialog(lvtest::ParseDialog(R"(dialog 903
title "Bar"
font 9 "宋体"
size 400 240
style caption sysmenu visible
control 1010 button 3 3 389 42 ownerdraw hidden "软件推荐"
)"),
            nullptr)
        , m_width(width)
        , m_height(height)
    {
    }

    CSoftBar bar;

protected:
    void DoDataExchange(plat::DataExchange* dx) override { plat::DDX_Control(dx, IDC_SOFTBAR, bar); }
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        bar.MoveWindow(5, 5, m_width, m_height);
        bar.Load("lv");
        bar.Layout();
        return true;
    }

private:
    int m_width;
    int m_height;
};

class SoftBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_old = std::filesystem::current_path();
        std::filesystem::current_path(m_folder.Native());
    }
    void TearDown() override
    {
        if (m_dlg) {
            m_dlg->DestroyWindow();
            plat::ProcessPendingMessages();
        }
        std::filesystem::current_path(m_old);
    }

    void WriteMainHtm(const std::string& text)
    {
        std::filesystem::create_directories(m_folder.Native("data"));
        lvtest::WriteNative(m_folder.Native("data/main.htm"), text);
    }

    // The dialog with a bar of width x height pixels, loaded from the
    // current data\main.htm, made visible and painted.
    CSoftBar& OpenBar(int width = 345, int height = 100)
    {
        if (m_dlg)
            m_dlg->DestroyWindow();
        m_dlg = std::make_unique<BarDialog>(width, height);
        EXPECT_TRUE(m_dlg->Create());
        m_dlg->bar.ShowWindow(plat::SW_SHOW);
        plat::ProcessPendingMessages();
        return m_dlg->bar;
    }

    lvtest::TempFolder m_folder;
    std::filesystem::path m_old;
    std::unique_ptr<BarDialog> m_dlg;
};

}
