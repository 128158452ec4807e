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
constexpr int kIconResource = 128;
constexpr int kAboutMenuString = 101;

struct ButtonImage {
    CImageButton CMainDlg::*button;
    int bitmapId;
};

// The dot fills share their pictures with the two solid line fills.
constexpr ButtonImage kImages[] = {
    { &CMainDlg::m_btnDeadPixel, 130 }, { &CMainDlg::m_btnBlockFill, 132 }, { &CMainDlg::m_btnDotDown, 134 },
    { &CMainDlg::m_btnDotRight, 133 }, { &CMainDlg::m_btnVLineFill, 134 }, { &CMainDlg::m_btnHLineFill, 133 },
    { &CMainDlg::m_btnVLineGradient, 136 }, { &CMainDlg::m_btnHLineGradient, 135 }, { &CMainDlg::m_btnGameBox, 149 },
    { &CMainDlg::m_btnCleaner, 227 }, { &CMainDlg::m_btnOrganiser, 228 }, { &CMainDlg::m_btnBrowser, 229 },
};

}

CMainDlg::CMainDlg(plat::Wnd* parent)
    : Dialog(kTemplateId, parent)
{
    m_hIcon.LoadIcon(kIconResource);
    m_brBack.CreateSolidBrush(kBackColor);
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::DoDataExchange(plat::DataExchange* dx)
{
    Dialog::DoDataExchange(dx);
    plat::DDX_Control(dx, 1021, m_btnMoreSoft);
    plat::DDX_Control(dx, 1003, m_chkShowInfo);
    plat::DDX_Control(dx, 1020, m_btnOrganiser);
    plat::DDX_Control(dx, 1017, m_btnCleaner);
    plat::DDX_Control(dx, 1018, m_btnGameBox);
    plat::DDX_Control(dx, 1019, m_btnBrowser);
    plat::DDX_Control(dx, 1016, m_btnGames);
    plat::DDX_Control(dx, 1015, m_btnNovels);
    plat::DDX_Control(dx, 1014, m_btnShopping);
    plat::DDX_Control(dx, 1012, m_btnAbout);
    plat::DDX_Control(dx, 1005, m_btnReadme);
    plat::DDX_Control(dx, 1004, m_btnHomepage);
    plat::DDX_Control(dx, 1010, m_softBar);
    plat::DDX_Control(dx, 1013, m_btnDeadPixel);
    plat::DDX_Control(dx, 1000, m_btnBlockFill);
    plat::DDX_Control(dx, 1008, m_btnDotRight);
    plat::DDX_Control(dx, 1007, m_btnDotDown);
    plat::DDX_Control(dx, 1006, m_btnHLineFill);
    plat::DDX_Control(dx, 1002, m_btnVLineFill);
    plat::DDX_Control(dx, 1009, m_btnHLineGradient);
    plat::DDX_Control(dx, 1001, m_btnVLineGradient);
    plat::DDX_Control(dx, 1011, m_web);
}

bool CMainDlg::OnInitDialog()
{
    Dialog::OnInitDialog();

    if (plat::Menu* menu = GetSystemMenu(false)) {
        std::string about = plat::LoadString(kAboutMenuString);
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

    static constexpr int kTopRow[] = { 1004, 1005, 1014, 1021, 1016, 1015, 1012 };
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
    static constexpr int kFirstRow[] = { 1013, 1000, 1007, 1008 };
    static constexpr int kSecondRow[] = { 1006, 1002, 1009, 1001 };
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
    LV_ON_BN_CLICKED(1005, OnReadme)
    LV_ON_BN_CLICKED(1004, OnHomepage)
    LV_ON_BN_CLICKED(1000, OnTestBlockFill)
    LV_ON_BN_CLICKED(1002, OnTestVLineFill)
    LV_ON_BN_CLICKED(1001, OnTestVLineGradient)
    LV_ON_BN_CLICKED(1006, OnTestHLineFill)
    LV_ON_BN_CLICKED(1007, OnTestDotDown)
    LV_ON_BN_CLICKED(1008, OnTestDotRight)
    LV_ON_BN_CLICKED(1009, OnTestHLineGradient)
    LV_ON_WM_CTLCOLOR()
    LV_ON_BN_CLICKED(1010, OnSoftBar)
    LV_ON_BN_CLICKED(1013, OnTestDeadPixel)
    LV_ON_BN_CLICKED(1014, OnShopping)
    LV_ON_BN_CLICKED(1015, OnNovels)
    LV_ON_BN_CLICKED(1016, OnGames)
    LV_ON_BN_CLICKED(1012, OnAbout)
    LV_ON_BN_CLICKED(1018, OnGameBox)
    LV_ON_BN_CLICKED(1017, OnCleaner)
    LV_ON_BN_CLICKED(1020, OnOrganiser)
    LV_ON_BN_CLICKED(1019, OnBrowser)
    LV_ON_BN_CLICKED(1021, OnMoreSoft)
LV_END_MESSAGE_MAP()
