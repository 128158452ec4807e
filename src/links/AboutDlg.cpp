#include "links/AboutDlg.h"

#include "platform/fs/Process.h"
#include "platform/intl/Translate.h"

#include <algorithm>
#include <cstdio>

std::string AboutVersionText()
{
    // A translation may be any length: the text is measured first.
    const std::string format = plat::TranslateFormat("Lumivex显示器测试器 Ver%s");
    const int length = std::snprintf(nullptr, 0, format.c_str(), LV_VERSION);
    std::string text(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length < 0 || std::snprintf(text.data(), text.size() + 1, format.c_str(), LV_VERSION) != length)
        text = format;
    return text + plat::Translate(" 正式版");
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
