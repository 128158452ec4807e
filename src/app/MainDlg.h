#pragma once

// The program's main window (IDD_LV_DIALOG): a row of link buttons, the web
// panel, the option "测试时显示提示信息" and the eight screen-test buttons;
// a software bar and four sibling-program buttons exist hidden. Closing it
// ends the program.

#include "app/WebBrowser2.h"
#include "platform/gfx/Brush.h"
#include "platform/gfx/Icon.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "resource.h"
#include "widgets/ImageButton.h"
#include "widgets/SkinButton.h"
#include "widgets/SoftBar.h"

#include <string>
#include <string_view>

class CMainDlg : public plat::Dialog {
public:
    static constexpr int kTemplateId = IDD_LV_DIALOG;
    // The window's frame size; the client area is 594 x 472.
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 500;

    explicit CMainDlg(plat::Wnd* parent = nullptr);
    ~CMainDlg() override;

    // Places every control in pixels for the current client area.
    void LayoutControls();

    void OnSysCommand(unsigned id, plat::LPARAM param);
    void OnPaint();
    const plat::Icon* OnQueryDragIcon();
    const plat::Brush* OnCtlColor(plat::DeviceContext* dc, plat::Wnd* control, unsigned kind);

    // Screen tests: each runs the test window with its button's caption.
    void OnTestBlockFill();
    void OnTestVLineFill();
    void OnTestHLineFill();
    void OnTestDotDown();
    void OnTestDotRight();
    void OnTestVLineGradient();
    void OnTestHLineGradient();
    void OnTestDeadPixel();

    // Links, launchers and dialogs.
    void OnReadme();
    void OnHomepage();
    void OnShopping();
    void OnNovels();
    void OnGames();
    void OnSoftBar();
    void OnAbout();
    void OnMoreSoft();
    void OnGameBox();
    void OnCleaner();
    void OnOrganiser();
    void OnBrowser();

    plat::Brush m_brBack;
    CSkinButton m_btnMoreSoft;
    plat::Button m_chkShowInfo;
    CImageButton m_btnOrganiser;
    CImageButton m_btnCleaner;
    CImageButton m_btnGameBox;
    CImageButton m_btnBrowser;
    CSkinButton m_btnGames;
    CSkinButton m_btnNovels;
    CSkinButton m_btnShopping;
    CSkinButton m_btnAbout;
    CSkinButton m_btnReadme;
    CSkinButton m_btnHomepage;
    CSoftBar m_softBar;
    CImageButton m_btnDeadPixel;
    CImageButton m_btnBlockFill;
    CImageButton m_btnDotRight;
    CImageButton m_btnDotDown;
    CImageButton m_btnHLineFill;
    CImageButton m_btnVLineFill;
    CImageButton m_btnHLineGradient;
    CImageButton m_btnVLineGradient;
    CWebBrowser2 m_web;
    plat::Icon m_hIcon;

protected:
    void DoDataExchange(plat::DataExchange* dx) override;
    bool OnInitDialog() override;
    // Starts the first update thread, which nothing waits for.
    virtual void StartUpdateThread();

private:
    // Runs the pattern of test mode `mode`, titled with the caption of `buttonId`.
    void RunTest(int buttonId, int mode);

    LV_DECLARE_MESSAGE_MAP()
};

// The web panel's address from data\main.htm ([MAIN_URL]); "about:blank"
// when the file, the tag or its value is missing.
std::string MainPageAddress();
