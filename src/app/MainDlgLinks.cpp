// The link, launcher and dialog buttons of the main window. Opening web
// pages, starting sibling programs and the more-software dialog come with
// the link buttons; until then their clicks do nothing. The About button
// opens the About dialog.

#include "app/MainDlg.h"

#include "links/AboutDlg.h"

void CMainDlg::OnReadme() { }
void CMainDlg::OnHomepage() { }
void CMainDlg::OnShopping() { }
void CMainDlg::OnNovels() { }
void CMainDlg::OnGames() { }
void CMainDlg::OnMoreSoft() { }
void CMainDlg::OnGameBox() { }
void CMainDlg::OnCleaner() { }
void CMainDlg::OnOrganiser() { }
void CMainDlg::OnBrowser() { }

void CMainDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}
