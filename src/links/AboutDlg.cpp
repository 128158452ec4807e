#include "links/AboutDlg.h"

#include "platform/fs/Process.h"
#include "platform/intl/Translate.h"

#include <cstdio>

std::string AboutVersionText()
{
    char text[128] = {};
    std::snprintf(text, sizeof text, plat::TranslateFormat("Lumivex显示器测试器 Ver%s").c_str(), LV_VERSION);
    return std::string(text) + plat::Translate(" 正式版");
}

CAboutDlg::CAboutDlg()
    : Dialog(kTemplateId)
{
}

void CAboutDlg::DoDataExchange(plat::DataExchange* dx)
{
    Dialog::DoDataExchange(dx);
    plat::DDX_Control(dx, IDC_ABOUT_EXEPATH, m_path);
    plat::DDX_Control(dx, IDC_ABOUT_VERSION, m_version);
}

bool CAboutDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    m_path.SetWindowText(plat::GetModuleFileName());
    m_version.SetWindowText(AboutVersionText());
    return true;
}
