#include "app/MainDlg.h"

#include "links/AboutDlg.h"
#include "localdata/TaggedFile.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/sys/WorkerThread.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Menu.h"
#include "platform/ui/StringTable.h"
#include "update/UpdateThread.h"

namespace {

constexpr plat::COLORREF kBackColor = plat::RGB(240, 240, 240);

struct ButtonImage {
    CImageButton CMainDlg::*button;
    int bitmapId;
};

// The dot fills share their pictures with the two solid line fills.
constexpr ButtonImage kImages[] = {
    { &CMainDlg::m_btnDeadPixel, IDB_DEADPIXEL },
    { &CMainDlg::m_btnBlockFill, IDB_BLOCKFILL },
    { &CMainDlg::m_btnDotDown, IDB_VLINE },
    { &CMainDlg::m_btnDotRight, IDB_HLINE },
    { &CMainDlg::m_btnVLineFill, IDB_VLINE },
    { &CMainDlg::m_btnHLineFill, IDB_HLINE },
    { &CMainDlg::m_btnVLineGradient, IDB_VGRADIENT },
    { &CMainDlg::m_btnHLineGradient, IDB_HGRADIENT },
    { &CMainDlg::m_btnGameBox, IDB_GAMEBOX },
    { &CMainDlg::m_btnCleaner, IDB_CLEANER },
    { &CMainDlg::m_btnOrganiser, IDB_ORGANISER },
    { &CMainDlg::m_btnBrowser, IDB_BROWSER },
};

}

CMainDlg::CMainDlg(plat::Wnd* parent)
    : Dialog(kTemplateId, parent)
{
    m_hIcon.LoadIcon(IDR_MAINFRAME);
    m_brBack.CreateSolidBrush(kBackColor);
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::DoDataExchange(plat::DataExchange* dx)
{
    Dialog::DoDataExchange(dx);
    plat::DDX_Control(dx, IDC_MORESOFT, m_btnMoreSoft);
    plat::DDX_Control(dx, IDC_SHOWINFO, m_chkShowInfo);
    plat::DDX_Control(dx, IDC_ORGANISER, m_btnOrganiser);
    plat::DDX_Control(dx, IDC_CLEANER, m_btnCleaner);
    plat::DDX_Control(dx, IDC_GAMEBOX, m_btnGameBox);
    plat::DDX_Control(dx, IDC_BROWSER, m_btnBrowser);
    plat::DDX_Control(dx, IDC_GAMES, m_btnGames);
    plat::DDX_Control(dx, IDC_NOVELS, m_btnNovels);
    plat::DDX_Control(dx, IDC_SHOPPING, m_btnShopping);
    plat::DDX_Control(dx, IDC_ABOUT, m_btnAbout);
    plat::DDX_Control(dx, IDC_README, m_btnReadme);
    plat::DDX_Control(dx, IDC_HOMEPAGE, m_btnHomepage);
    plat::DDX_Control(dx, IDC_SOFTBAR, m_softBar);
    plat::DDX_Control(dx, IDC_DEADPIXEL, m_btnDeadPixel);
    plat::DDX_Control(dx, IDC_BLOCKFILL, m_btnBlockFill);
    plat::DDX_Control(dx, IDC_DOT_RIGHT, m_btnDotRight);
    plat::DDX_Control(dx, IDC_DOT_DOWN, m_btnDotDown);
    plat::DDX_Control(dx, IDC_HLINE_FILL, m_btnHLineFill);
    plat::DDX_Control(dx, IDC_VLINE_FILL, m_btnVLineFill);
    plat::DDX_Control(dx, IDC_HLINE_GRADIENT, m_btnHLineGradient);
    plat::DDX_Control(dx, IDC_VLINE_GRADIENT, m_btnVLineGradient);
    plat::DDX_Control(dx, IDC_WEB, m_web);
}

bool CMainDlg::OnInitDialog()
{
    Dialog::OnInitDialog();

    if (plat::Menu* menu = GetSystemMenu(false)) {
        std::string about = plat::LoadString(IDS_ABOUTBOX);
        if (!about.empty()) {
            menu->AppendMenu(plat::MF_SEPARATOR);
            menu->AppendMenu(plat::MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SetIcon(&m_hIcon, true);
    SetIcon(&m_hIcon, false);

    MoveWindow(0, 0, kWidth, kHeight);
    CenterWindow();

    for (const ButtonImage& image : kImages)
        (this->*image.button).SetImage(image.bitmapId);

    LayoutControls();

    m_softBar.Load("lv");
    m_softBar.Layout();

    m_web.Navigate(MainPageAddress());

    StartUpdateThread();
    return true;
}

void CMainDlg::StartUpdateThread()
{
    plat::BeginThread(&UpdateThreadProc, this);
}

void CMainDlg::LayoutControls()
{
    plat::Rect client;
    GetClientRect(&client);
    const int left = 5;
    const int top = 5;
    const int right = client.Width() - 5;
    const int bottom = client.Height() - 5;
    const int width = right - left;

    static constexpr int kTopRow[] = { IDC_HOMEPAGE, IDC_README, IDC_SHOPPING, IDC_MORESOFT, IDC_GAMES, IDC_NOVELS, IDC_ABOUT };
    for (int k = 0; k < 7; ++k) {
        if (plat::Wnd* button = GetDlgItem(kTopRow[k]))
            button->MoveWindow(left + 75 * k, top, 70, 22);
    }

    m_web.MoveWindow(left, top + 27, width, 80);

    m_chkShowInfo.MoveWindow(left, top + 117, 150, 20);
    m_chkShowInfo.SetCheck(plat::BST_CHECKED);

    // The first column starts at x = 30, not at the inner left edge.
    const int pitch = width / 4;
    const int gap = (bottom - (top + 157)) / 2 - 85;
    const int row1 = top + 157;
    const int row2 = row1 + 75 + gap;
    static constexpr int kFirstRow[] = { IDC_DEADPIXEL, IDC_BLOCKFILL, IDC_DOT_DOWN, IDC_DOT_RIGHT };
    static constexpr int kSecondRow[] = { IDC_HLINE_FILL, IDC_VLINE_FILL, IDC_HLINE_GRADIENT, IDC_VLINE_GRADIENT };
    for (int k = 0; k < 4; ++k) {
        if (plat::Wnd* button = GetDlgItem(kFirstRow[k]))
            button->MoveWindow(30 + k * pitch, row1, 75, 75);
        if (plat::Wnd* button = GetDlgItem(kSecondRow[k]))
            button->MoveWindow(30 + k * pitch, row2, 75, 75);
    }

    m_softBar.MoveWindow(left, row2 + 100, width, bottom - (row2 + 100));
}

void CMainDlg::OnSysCommand(unsigned id, plat::LPARAM param)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Dialog::OnSysCommand(id, param);
}

void CMainDlg::OnPaint()
{
    if (!IsIconic()) {
        Dialog::OnPaint();
        return;
    }
    plat::PaintDC dc(this);
    SendMessage(plat::WM_ICONERASEBKGND, reinterpret_cast<plat::WPARAM>(&dc));
    plat::Rect client;
    GetClientRect(&client);
    const int x = (client.Width() - plat::kIconSize + 1) / 2;
    const int y = (client.Height() - plat::kIconSize + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

const plat::Icon* CMainDlg::OnQueryDragIcon()
{
    return &m_hIcon;
}

const plat::Brush* CMainDlg::OnCtlColor(plat::DeviceContext* dc, plat::Wnd*, unsigned)
{
    if (dc)
        dc->SetBkColor(kBackColor);
    return &m_brBack;
}

std::string MainPageAddress()
{
    CTaggedFile file;
    file.Load("data\\main.htm");
    std::string address = file.GetValue("[MAIN_URL]");
    if (address.empty())
        address = "about:blank";
    return address;
}

LV_BEGIN_MESSAGE_MAP(CMainDlg, plat::Dialog)
    LV_ON_WM_SYSCOMMAND()
    LV_ON_WM_PAINT()
    LV_ON_WM_QUERYDRAGICON()
    LV_ON_BN_CLICKED(IDC_README, OnReadme)
    LV_ON_BN_CLICKED(IDC_HOMEPAGE, OnHomepage)
    LV_ON_BN_CLICKED(IDC_BLOCKFILL, OnTestBlockFill)
    LV_ON_BN_CLICKED(IDC_VLINE_FILL, OnTestVLineFill)
    LV_ON_BN_CLICKED(IDC_VLINE_GRADIENT, OnTestVLineGradient)
    LV_ON_BN_CLICKED(IDC_HLINE_FILL, OnTestHLineFill)
    LV_ON_BN_CLICKED(IDC_DOT_DOWN, OnTestDotDown)
    LV_ON_BN_CLICKED(IDC_DOT_RIGHT, OnTestDotRight)
    LV_ON_BN_CLICKED(IDC_HLINE_GRADIENT, OnTestHLineGradient)
    LV_ON_WM_CTLCOLOR()
    LV_ON_BN_CLICKED(IDC_SOFTBAR, OnSoftBar)
    LV_ON_BN_CLICKED(IDC_DEADPIXEL, OnTestDeadPixel)
    LV_ON_BN_CLICKED(IDC_SHOPPING, OnShopping)
    LV_ON_BN_CLICKED(IDC_NOVELS, OnNovels)
    LV_ON_BN_CLICKED(IDC_GAMES, OnGames)
    LV_ON_BN_CLICKED(IDC_ABOUT, OnAbout)
    LV_ON_BN_CLICKED(IDC_GAMEBOX, OnGameBox)
    LV_ON_BN_CLICKED(IDC_CLEANER, OnCleaner)
    LV_ON_BN_CLICKED(IDC_ORGANISER, OnOrganiser)
    LV_ON_BN_CLICKED(IDC_BROWSER, OnBrowser)
    LV_ON_BN_CLICKED(IDC_MORESOFT, OnMoreSoft)
LV_END_MESSAGE_MAP()
