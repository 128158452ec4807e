// The software bar's click: the click command carries no position, so the
// entry under the cursor when it is handled is the one started.

#include "app/MainDlg.h"

#include "links/SoftLauncher.h"

#include <string>

void CMainDlg::OnSoftBar()
{
    const int index = m_softBar.HitTest();
    if (index < 0)
        return;
    std::string title;
    std::string key;
    std::string exe;
    if (m_softBar.GetEntry(index, title, key, exe) != 0)
        return;
    CSoftLauncher launcher;
    launcher.Launch(title, key, exe);
}
