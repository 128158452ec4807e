#include "platform/ui/Dialog.h"

#include "platform/ui/Button.h"
#include "platform/ui/DialogKeys.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/MonitorBounds.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/Static.h"
#include "platform/ui/WebHost.h"
#include "platform/ui/WindowData.h"

#include "platform/gfx/GdiConstants.h"

#include <algorithm>
#include <charconv>

namespace plat {

namespace {

WindowKind KindOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
        return WindowKind::Button;
    case ControlKind::Static:
    case ControlKind::Icon:
        return WindowKind::Static;
    case ControlKind::WebHost:
        return WindowKind::WebHost;
    }
    return WindowKind::Static;
}

std::unique_ptr<Wnd> PlaceholderFor(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
        return std::make_unique<Button>();
    case ControlKind::WebHost:
        return std::make_unique<WebHost>();
    case ControlKind::Static:
    case ControlKind::Icon:
        return std::make_unique<Static>();
    }
    return std::make_unique<Static>();
}

// False when the window system's window of a dialog that is still there
// could not be made (it is made when first shown).
bool HasNativeWindow(HWND hwnd)
{
    WindowData* data = windows::Find(hwnd);
    NativeWindow* native = data ? data->Native() : nullptr;
    return !native || native->IsValid();
}

void CreateControl(const DialogTemplate& tmpl, const ControlTemplate& ct, HWND parent)
{
    std::unique_ptr<Wnd> object = PlaceholderFor(ct.kind);
    WindowData& c = windows::Create(KindOf(ct.kind), object.get(), parent);
    c.ownedObject = std::move(object);
    c.id = ct.id;
    c.rect = tmpl.ToPixels(ct.units);
    c.visible = ct.visible;
    c.enabled = !ct.disabled;
    c.group = ct.group;
    if (ButtonState* button = c.AsButton()) {
        button->ownerDraw = ct.ownerDraw;
        button->checkBox = ct.kind == ControlKind::CheckBox;
        button->defaultButton = ct.defaultButton;
        button->noPrefix = ct.noPrefix;
        button->tabStop = ct.tabStop;
    } else if (StaticState* label = c.AsStatic()) {
        label->noPrefix = ct.noPrefix;
        label->sunken = ct.sunken;
        if (ct.kind == ControlKind::Icon) {
            int iconId = 0;
            std::from_chars(ct.text.data(), ct.text.data() + ct.text.size(), iconId);
            label->icon.emplace().LoadIcon(iconId);
        }
    }
    if (ct.kind != ControlKind::Icon)
        c.text = ct.text;
}

}

Dialog::Dialog(int templateId, Wnd* parent)
    : m_templateId(templateId)
    , m_parent(parent)
{
}

Dialog::Dialog(DialogTemplate tmpl, Wnd* parent)
    : m_templateId(tmpl.id)
    , m_builtTemplate(std::make_unique<DialogTemplate>(std::move(tmpl)))
    , m_parent(parent)
{
}

Dialog::~Dialog() = default;

LV_BEGIN_MESSAGE_MAP(Dialog, Wnd)
    LV_ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    LV_ON_COMMAND(IDOK, HandleOK)
    LV_ON_COMMAND(IDCANCEL, HandleCancel)
LV_END_MESSAGE_MAP()

bool Dialog::CreateWindowFromTemplate(HWND owner)
{
    std::optional<DialogTemplate> loaded;
    const DialogTemplate* tmpl = m_builtTemplate.get();
    if (!tmpl) {
        loaded = DialogTemplate::Load(m_templateId);
        if (!loaded)
            return false;
        tmpl = &*loaded;
    }
    WindowData* ownerData = windows::Find(owner);
    if (ownerData)
        ownerData = windows::TopLevelOf(*ownerData);

    WindowData& data = windows::Create(WindowKind::Dialog, this, 0);
    TopLevelState& top = *data.AsTopLevel();
    data.owner = ownerData ? ownerData->handle : 0;
    top.framed = tmpl->caption;
    top.sysMenu = tmpl->sysMenu;
    top.minimizeBox = tmpl->minimizeBox;
    data.text = tmpl->title;
    top.font.CreateFont(tmpl->FontPixels(), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, tmpl->fontFace);

    // Centred over the owner, else on the screen.
    Size client = tmpl->ClientSize();
    int insetX = top.framed ? 2 * windows::kFrameSide : 0;
    int insetY = top.framed ? windows::kFrameTop + windows::kFrameSide : 0;
    int w = client.cx + insetX;
    int h = client.cy + insetY;
    NativeWindow* ownerNative = ownerData ? ownerData->Native() : nullptr;
    Rect area = ownerNative && ownerData->visible ? ownerData->rect : monitors::Primary();
    int x = area.left + (area.Width() - w) / 2;
    int y = area.top + (area.Height() - h) / 2;
    data.rect = { x, y, x + w, y + h };

    Point origin = windows::ClientOriginOnScreen(data);
    top.native = std::make_unique<NativeWindow>(data.text, Rect { origin.x, origin.y, origin.x + client.cx, origin.y + client.cy },
        top.framed ? WindowFrame::Dialog : WindowFrame::None, WindowRole::Normal, WindowCreation::WhenShown);
    if (ownerNative)
        top.native->SetModalFor(ownerNative);
    HWND self = data.handle;
    for (const ControlTemplate& ct : tmpl->controls)
        CreateControl(*tmpl, ct, self);
    if (WindowData* d = windows::Find(self))
        d->visible = false;
    m_visibleOnInit = tmpl->visible;
    return true;
}

std::intptr_t Dialog::DoModal()
{
    if (m_running || IsWindow() || !InitUi())
        return -1;
    HWND owner = m_parent && m_parent->IsWindow() ? m_parent->m_hWnd : input::ActiveModal();
    if (!CreateWindowFromTemplate(owner))
        return -1;
    HWND self = m_hWnd;
    m_running = true;
    m_ended = false;
    m_result = -1;

    WindowData* data = windows::Find(self);
    HWND ownerHandle = data ? data->owner : 0;
    Wnd* ownerWnd = FromHandle(ownerHandle);
    bool disabledOwner = ownerWnd && ownerWnd->IsWindowEnabled();
    if (disabledOwner)
        ownerWnd->EnableWindow(false);
    input::PushModal(self);

    if (SendMessage(WM_INITDIALOG) != 0)
        if (WindowData* d = windows::Find(self))
            defproc::FocusFirstTabStop(*d);
    if (!m_ended && IsWindow() && m_visibleOnInit)
        ShowWindow(SW_SHOW);
    // No window on screen: the run ends at once with -1.
    if (!HasNativeWindow(self))
        m_ended = true;
    RunMessageLoop(m_ended);

    input::PopModal(self);
    // The owner comes back before this window goes, so it takes the focus.
    if (disabledOwner && plat::IsWindow(ownerHandle)) {
        FromHandle(ownerHandle)->EnableWindow(true);
        if (WindowData* o = windows::Find(ownerHandle); o && o->Native())
            o->Native()->Activate();
    }
    if (windows::Find(self))
        windows::Destroy(self);
    m_running = false;
    return m_result;
}

bool Dialog::Create(Wnd* parent)
{
    if (m_running || IsWindow() || !InitUi())
        return false;
    if (parent)
        m_parent = parent;
    if (!CreateWindowFromTemplate(m_parent ? m_parent->m_hWnd : 0))
        return false;
    m_ended = false;
    if (SendMessage(WM_INITDIALOG) != 0)
        if (WindowData* d = windows::Find(this))
            defproc::FocusFirstTabStop(*d);
    if (IsWindow() && m_visibleOnInit)
        ShowWindow(SW_SHOW);
    if (!HasNativeWindow(m_hWnd)) {
        DestroyWindow();
        return false;
    }
    return IsWindow();
}

void Dialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    ShowWindow(SW_HIDE);
}

bool Dialog::UpdateData(bool saveAndValidate)
{
    if (!IsWindow())
        return false;
    DataExchange dx;
    dx.m_bSaveAndValidate = saveAndValidate;
    dx.m_pDlgWnd = this;
    DoDataExchange(&dx);
    return true;
}

bool Dialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void Dialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void Dialog::DoDataExchange(DataExchange*) { }

LRESULT Dialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog() ? 1 : 0;
}

LRESULT Dialog::WindowProc(unsigned message, WPARAM wParam, LPARAM lParam)
{
    // A modal run ends when its window goes, however it went.
    if (message == WM_DESTROY && m_running)
        m_ended = true;
    return Wnd::WindowProc(message, wParam, lParam);
}

void DDX_Control(DataExchange* dx, int id, Wnd& control)
{
    if (!dx || !dx->m_pDlgWnd || control.IsWindow())
        return;
    WindowData* dialog = windows::Find(dx->m_pDlgWnd);
    WindowData* child = dialog ? windows::ChildById(*dialog, id) : nullptr;
    if (!child)
        return;
    std::unique_ptr<Wnd> placeholder = std::move(child->ownedObject);
    if (placeholder)
        placeholder->m_hWnd = 0;
    child->object = &control;
    control.m_hWnd = child->handle;
    painter::Invalidate(*child, nullptr, true);
}

}
