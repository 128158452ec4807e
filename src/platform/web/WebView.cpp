#include "platform/web/WebView.h"

#include "platform/ui/Cursor.h"
#include "platform/ui/EventLoop.h"
#include "platform/web/WebUrl.h"

#include <algorithm>

namespace plat::web {

WebView::WebView(HWND host, std::string url, Size viewport, LinkHandler onLink, LoadLimits limits)
    : m_host(host)
    , m_viewport(viewport)
    , m_onLink(std::move(onLink))
    , m_alive(std::make_shared<Alive>())
{
    m_alive->view = this;
    // The loader starts once the loop is idle, so that the window's first
    // frame is on screen before a thread or a request exists.
    std::shared_ptr<Alive> alive = m_alive;
    PostIdleTask([alive, url = std::move(url), limits]() mutable {
        if (alive->view)
            alive->view->StartLoader(std::move(url), limits);
    });
}

void WebView::StartLoader(std::string url, LoadLimits limits)
{
    std::shared_ptr<Alive> alive = m_alive;
    auto deliver = [alive] {
        PostTask([alive] {
            if (alive->view)
                alive->view->TakeDelivered();
        });
    };
    m_loader = std::make_unique<PageLoader>(
        std::move(url), m_viewport, limits,
        [alive, deliver](std::shared_ptr<LoadedPage> page) {
            {
                std::lock_guard<std::mutex> hold(alive->lock);
                alive->page = std::move(page);
            }
            deliver();
        },
        [alive, deliver](const std::string& address, std::shared_ptr<const PageImage> image) {
            {
                std::lock_guard<std::mutex> hold(alive->lock);
                alive->images.emplace_back(address, std::move(image));
            }
            deliver();
        });
}

WebView::~WebView()
{
    m_alive->view = nullptr;
    m_loader.reset();
    // What the loader handed over but no task delivered yet goes now, on
    // this thread, not whenever (or never) the queue is emptied.
    std::lock_guard<std::mutex> hold(m_alive->lock);
    m_alive->page.reset();
    m_alive->images.clear();
}

void WebView::TakeDelivered()
{
    std::shared_ptr<LoadedPage> page;
    std::vector<std::pair<std::string, std::shared_ptr<const PageImage>>> images;
    {
        std::lock_guard<std::mutex> hold(m_alive->lock);
        page = std::move(m_alive->page);
        images.swap(m_alive->images);
    }
    if (page)
        OnPage(std::move(page));
    for (auto& [address, image] : images)
        OnImage(address, std::move(image));
}

bool WebView::LoadFinished() const
{
    return m_loader && m_loader->Finished();
}

void WebView::OnPage(std::shared_ptr<LoadedPage> page)
{
    m_page = std::move(page);
    m_layoutWidth = m_viewport.cx;
    m_needsLayout = false;
    m_scroll = 0;
    Redraw();
}

void WebView::OnImage(const std::string& url, std::shared_ptr<const PageImage> image)
{
    if (!m_page)
        return;
    m_page->container->AddImage(url, std::move(image));
    // Laid out again at the next paint: pictures that arrive together cost one layout.
    m_needsLayout = true;
    Redraw();
}

void WebView::Redraw()
{
    m_canvasValid = false;
    if (Wnd* host = Wnd::FromHandle(m_host))
        host->Invalidate(false);
}

void WebView::Layout(int width)
{
    m_page->container->SetViewport(m_viewport);
    m_page->document->render(width);
    m_layoutWidth = width;
    m_needsLayout = false;
    m_canvasValid = false;
    m_scroll = std::clamp(m_scroll, 0, MaxScroll());
}

int WebView::MaxScroll() const
{
    return m_page ? std::max(0, m_page->document->height() - m_viewport.cy) : 0;
}

void WebView::Paint(DeviceContext& dc, const Rect& client)
{
    if (!m_page || client.IsEmpty())
        return;
    m_viewport = { client.Width(), client.Height() };
    if (m_needsLayout || m_layoutWidth != client.Width())
        Layout(client.Width());
    if (m_canvas.Width() != client.Width() || m_canvas.Height() != client.Height()) {
        m_canvas.Resize(client.Width(), client.Height());
        m_canvasValid = false;
    }
    // A repaint with nothing changed (an expose, a repaint of the window
    // around the panel) copies the page drawn last time.
    if (!m_canvasValid) {
        m_canvas.Fill(0xFFFFFF);
        PageCanvas canvas { &m_canvas, m_canvas.Bounds() };
        litehtml::position clip(0, 0, client.Width(), client.Height());
        m_page->document->draw(PageContainer::Handle(canvas), 0, -m_scroll, &clip);
        m_canvasValid = true;
    }
    DeviceContext source(m_canvas);
    dc.BitBlt(client.left, client.top, client.Width(), client.Height(), source, 0, 0, SRCCOPY);
}

void WebView::MouseMove(Point point)
{
    if (!m_page)
        return;
    litehtml::position::vector boxes;
    if (m_page->document->on_mouse_over(point.x, point.y + m_scroll, point.x, point.y, boxes))
        Redraw();
    SetCursorShape(m_page->container->PointerOverLink() ? CursorShape::Hand : CursorShape::Arrow);
}

void WebView::MouseDown(Point point)
{
    if (!m_page)
        return;
    litehtml::position::vector boxes;
    if (m_page->document->on_lbutton_down(point.x, point.y + m_scroll, point.x, point.y, boxes))
        Redraw();
}

void WebView::MouseUp(Point point)
{
    if (!m_page)
        return;
    litehtml::position::vector boxes;
    if (m_page->document->on_lbutton_up(point.x, point.y + m_scroll, point.x, point.y, boxes))
        Redraw();
    // The handler may open a window or run a modal loop: nothing of this
    // view is touched after it returns.
    std::string link = m_page->container->TakeClickedLink();
    if (!link.empty() && m_onLink) {
        LinkHandler onLink = m_onLink;
        onLink(link);
    }
}

void WebView::MouseWheel(Point, int delta)
{
    if (!m_page)
        return;
    int lines = delta * kWheelLines / WHEEL_DELTA;
    int scroll = std::clamp(m_scroll - lines * kLineHeight, 0, MaxScroll());
    if (scroll == m_scroll)
        return;
    m_scroll = scroll;
    Redraw();
}

bool Navigate(Wnd& host, std::string_view address, LinkHandler onLink)
{
    if (!NavigateHost(host, address))
        return false;
    if (!IsWebUrl(address))
        return SetWebHostContent(host, nullptr);
    Rect client;
    host.GetClientRect(&client);
    return SetWebHostContent(host, std::make_unique<WebView>(host.GetSafeHwnd(), std::string(address), Size { client.Width(), client.Height() }, std::move(onLink)));
}

}
