#pragma once

// The About dialog (IDD_ABOUTBOX): the program's name and version, the
// maker's lines, and the full path of the running executable.

#include "platform/ui/Dialog.h"
#include "platform/ui/Static.h"
#include "resource.h"

#include <string>

class CAboutDlg : public plat::Dialog {
public:
    static constexpr int kTemplateId = IDD_ABOUTBOX;

    CAboutDlg();

    plat::Static m_path; // the executable's path, wrapping over several lines
    plat::Static m_version;

protected:
    void DoDataExchange(plat::DataExchange* dx) override;
    bool OnInitDialog() override;
};

// "Lumivex显示器测试器 Ver1.66 正式版".
std::string AboutVersionText();
