#include "links/MoreSoftDlg.h"

#include "links/LinkButtons.h"
#include "links/SoftLauncher.h"

CMoreSoftDlg::CMoreSoftDlg(plat::Wnd* parent)
    : Dialog(kTemplateId, parent)
{
}

void CMoreSoftDlg::DoDataExchange(plat::DataExchange* dx)
{
    Dialog::DoDataExchange(dx);
}

void CMoreSoftDlg::OnReader() { LaunchSibling(kReader); }
void CMoreSoftDlg::OnCleaner() { LaunchSibling(kCleaner); }
void CMoreSoftDlg::OnOrganiser() { LaunchSibling(kOrganiser); }
void CMoreSoftDlg::OnSnapshot() { LaunchSibling(kSnapshot); }
void CMoreSoftDlg::OnDownloader() { LaunchSibling(kDownloader); }
void CMoreSoftDlg::OnPlayer() { LaunchSibling(kPlayer); }
void CMoreSoftDlg::OnGameBox() { LaunchSibling(kGameBox); }
void CMoreSoftDlg::OnHomepage() { OpenWebAddress(kMakerSite); }

LV_BEGIN_MESSAGE_MAP(CMoreSoftDlg, plat::Dialog)
    LV_ON_BN_CLICKED(IDC_MORE_READER, OnReader)
    LV_ON_BN_CLICKED(IDC_MORE_CLEANER, OnCleaner)
    LV_ON_BN_CLICKED(IDC_MORE_ORGANISER, OnOrganiser)
    LV_ON_BN_CLICKED(IDC_MORE_SNAPSHOT, OnSnapshot)
    LV_ON_BN_CLICKED(IDC_MORE_DOWNLOADER, OnDownloader)
    LV_ON_BN_CLICKED(IDC_MORE_PLAYER, OnPlayer)
    LV_ON_BN_CLICKED(IDC_MORE_GAMEBOX, OnGameBox)
    LV_ON_BN_CLICKED(IDC_MORE_HOMEPAGE, OnHomepage)
LV_END_MESSAGE_MAP()
