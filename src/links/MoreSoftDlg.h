#pragma once

// The more-software dialog (template 209): one large button per sibling
// program, each starting it or explaining that it is not installed, and one
// for the maker's site. It has no OK or Cancel button and stays open after
// a click; Escape and the close box end it.

#include "platform/ui/Dialog.h"
#include "resource.h"

class CMoreSoftDlg : public plat::Dialog {
public:
    static constexpr int kTemplateId = IDD_MORESOFT;

    explicit CMoreSoftDlg(plat::Wnd* parent = nullptr);

    void OnReader();
    void OnCleaner();
    void OnOrganiser();
    void OnSnapshot();
    void OnDownloader();
    void OnPlayer();
    void OnGameBox();
    void OnHomepage();

protected:
    void DoDataExchange(plat::DataExchange* dx) override;

    LV_DECLARE_MESSAGE_MAP()
};
