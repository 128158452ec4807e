#pragma once

// A web page shown in a web host: loads it in the background, lays it out
// and draws it when it arrives, redraws as its pictures arrive, scrolls with
// the wheel, shows the hand over links and reports link clicks. Lives on the
// user-interface thread; the loader's results reach it as posted tasks.

#include "platform/gfx/Surface.h"
#include "platform/ui/WebHost.h"
#include "platform/web/PageLoader.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace plat::web {

// Receives the absolute address of a clicked link.
using LinkHandler = std::function<void(const std::string& address)>;

class WebView final : public WebHostContent {
public:
    // Lines scrolled per notch of the wheel, and a line's height.
    static constexpr int kWheelLines = 3;
    static constexpr int kLineHeight = 16;

    // Loads `url` (an http or https address) for the host window `host`,
    // whose client area is `viewport`, starting once the loop is idle.
    WebView(HWND host, std::string url, Size viewport, LinkHandler onLink, LoadLimits limits = {});
    ~WebView() override;

    void Paint(DeviceContext& dc, const Rect& client) override;
    void MouseMove(Point point) override;
    void MouseDown(Point point) override;
    void MouseUp(Point point) override;
    void MouseWheel(Point point, int delta) override;

    bool HasPage() const { return m_page != nullptr; }
    int ScrollTop() const { return m_scroll; }
    // True once the loader has started and fetched all it will.
    bool LoadFinished() const;

private:
    // Shared with the loader's thread: what it has handed over, until a
    // posted task delivers it. `view` (user-interface thread only) is
    // cleared when the view goes, so tasks that run after that do nothing.
    struct Alive {
        WebView* view = nullptr;
        std::mutex lock;
        std::shared_ptr<LoadedPage> page;
        std::vector<std::pair<std::string, std::shared_ptr<const PageImage>>> images;
    };

    void StartLoader(std::string url, LoadLimits limits);
    void TakeDelivered();
    void OnPage(std::shared_ptr<LoadedPage> page);
    void OnImage(const std::string& url, std::shared_ptr<const PageImage> image);
    void Redraw();
    void Layout(int width);
    int MaxScroll() const;

    HWND m_host = 0;
    Size m_viewport;
    LinkHandler m_onLink;
    std::shared_ptr<Alive> m_alive;
    std::shared_ptr<LoadedPage> m_page;
    bool m_needsLayout = false;
    int m_layoutWidth = 0;
    int m_scroll = 0;
    Surface m_canvas; // the page as drawn last
    bool m_canvasValid = false;
    std::unique_ptr<PageLoader> m_loader;
};

// Records `address` on the web host `host` and shows it there: an http or
// https page is loaded and drawn, anything else ("about:blank" included)
// leaves the panel white without a thread or a request. Link clicks go to
// `onLink`. False when `host` is not a web host.
bool Navigate(Wnd& host, std::string_view address, LinkHandler onLink);

}
