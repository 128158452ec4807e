// The link, launcher and dialog buttons of the main window: each hands its
// work to src/links.

#include "app/MainDlg.h"

#include "links/AboutDlg.h"
#include "links/LinkButtons.h"
#include "links/MoreSoftDlg.h"
#include "links/SoftLauncher.h"

void CMainDlg::OnReadme() { OpenLinkButton(IDC_README); }
void CMainDlg::OnHomepage() { OpenLinkButton(IDC_HOMEPAGE); }
void CMainDlg::OnShopping() { OpenLinkButton(IDC_SHOPPING); }
void CMainDlg::OnNovels() { OpenLinkButton(IDC_NOVELS); }
void CMainDlg::OnGames() { OpenLinkButton(IDC_GAMES); }

void CMainDlg::OnCleaner() { LaunchSibling(kCleaner); }
void CMainDlg::OnGameBox() { LaunchSibling(kGameBox); }
void CMainDlg::OnBrowser() { LaunchSibling(kBrowser); }
void CMainDlg::OnOrganiser() { LaunchSibling(kOrganiser); }

// Starts the entry under the cursor; a click between entries does nothing.
void CMainDlg::OnSoftBar()
{
    int index = m_softBar.HitTest();
    if (index < 0)
        return;
    std::string title, key, exe;
    if (m_softBar.GetEntry(index, title, key, exe) != 0)
        return;
    CSoftLauncher launcher;
    launcher.Launch(title, key, exe);
}

void CMainDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CMainDlg::OnMoreSoft()
{
    CMoreSoftDlg more;
    more.DoModal();
}
