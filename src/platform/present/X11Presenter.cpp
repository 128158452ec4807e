#include "platform/present/X11Presenter.h"

#include "platform/present/MonotonicClock.h"
#include "platform/present/X11NominalRate.h"
#include "platform/present/X11ShmPixmap.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib-xcb.h>
#include <xcb/present.h>
#include <xcb/shm.h>
#include <xcb/xfixes.h>

#include <poll.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <utility>

namespace plat::present {

namespace {

constexpr std::size_t kPixmaps = 3;
// How long the first refresh count may take to come (a window off every
// output is paced at 1 Hz).
constexpr int kFirstMscWaitMs = 1100;

template <class T>
struct Freed {
    T* p;
    ~Freed() { std::free(p); }
};

bool HasExtension(xcb_connection_t* c, const xcb_extension_t* ext)
{
    const xcb_query_extension_reply_t* r = xcb_get_extension_data(c, const_cast<xcb_extension_t*>(ext));
    return r && r->present;
}

CompletionMode ModeOf(std::uint8_t mode)
{
    switch (mode) {
    case XCB_PRESENT_COMPLETE_MODE_FLIP:
        return CompletionMode::Flip;
    case XCB_PRESENT_COMPLETE_MODE_SKIP:
        return CompletionMode::Skip;
    case XCB_PRESENT_COMPLETE_MODE_SUBOPTIMAL_COPY:
        return CompletionMode::SuboptimalCopy;
    default:
        return CompletionMode::Copy;
    }
}

class X11Presenter final : public Presenter {
public:
    X11Presenter(SDL_Window* sdl, xcb_connection_t* c, xcb_window_t window, std::uint8_t depth)
        : m_sdl(sdl)
        , m_c(c)
        , m_window(window)
        , m_depth(depth)
    {
    }

    ~X11Presenter() override
    {
        if (m_special) {
            xcb_present_select_input(m_c, m_eid, m_window, XCB_PRESENT_EVENT_MASK_NO_EVENT);
            xcb_unregister_for_special_event(m_c, m_special);
        }
        if (m_region)
            xcb_xfixes_destroy_region(m_c, m_region);
        xcb_flush(m_c);
    }

    bool Start(std::string* why)
    {
        m_eid = xcb_generate_id(m_c);
        Freed<xcb_generic_error_t> error { xcb_request_check(m_c,
            xcb_present_select_input_checked(m_c, m_eid, m_window, XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY | XCB_PRESENT_EVENT_MASK_IDLE_NOTIFY)) };
        if (error.p) {
            *why = "Present refused the window";
            return false;
        }
        m_special = xcb_register_for_special_xge(m_c, &xcb_present_id, m_eid, nullptr);
        m_region = xcb_generate_id(m_c);
        Freed<xcb_generic_error_t> regionError { xcb_request_check(m_c, xcb_xfixes_create_region_checked(m_c, m_region, 0, nullptr)) };
        if (regionError.p) {
            m_region = 0;
            *why = "XFixes refused a region";
            return false;
        }
        // Shared memory fails here on a remote display: find out now, while
        // the fallback can still be chosen.
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(m_sdl, &w, &h);
        if (!Fit(w, h, why))
            return false;
        m_nominal = X11NominalRate(m_c, m_window);
        // The current refresh count, so the first frames aim at refreshes
        // of their own rather than all at the next one.
        xcb_present_notify_msc(m_c, m_window, 0, 0, 0, 0);
        xcb_flush(m_c);
        const std::int64_t until = MonotonicNs() + kFirstMscWaitMs * 1'000'000LL;
        while (!m_lastMsc && MonotonicNs() < until && !xcb_connection_has_error(m_c))
            Pump(static_cast<int>((until - MonotonicNs()) / 1'000'000) + 1);
        return true;
    }

    Backend Kind() const override { return Backend::X11; }
    TimingSource Source() const override { return TimingSource::Vblank; }
    NominalRate Nominal() const override { return m_nominal; }

    FrameBuffer Acquire(int timeoutMs) override
    {
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(m_sdl, &w, &h);
        std::string why;
        if (!Fit(w, h, &why))
            return {};
        const std::int64_t until = MonotonicNs() + timeoutMs * 1'000'000LL;
        for (;;) {
            while (Pump(0))
                ;
            // Of the free pixmaps, the one holding the newest frame needs
            // the least drawing.
            X11ShmPixmap* best = nullptr;
            for (auto& p : m_pixmaps) {
                if (!p->busy && (!best || p->frame > best->frame))
                    best = p.get();
            }
            if (best) {
                m_current = best;
                const int age = best->frame ? static_cast<int>(m_frames + 1 - best->frame) : 0;
                return { &best->Pixels(), age };
            }
            // The connection is SDL's too: a wake-up may bring only its events.
            const std::int64_t left = until - MonotonicNs();
            if (left <= 0 || xcb_connection_has_error(m_c))
                return {};
            Pump(static_cast<int>(left / 1'000'000) + 1);
        }
    }

    std::uint64_t Present(Rect damage, std::uint64_t targetRefresh) override
    {
        if (!m_current)
            return 0;
        X11ShmPixmap* p = std::exchange(m_current, nullptr);
        damage = damage.Intersected(p->Pixels().Bounds());
        if (targetRefresh == 0 && m_lastMsc)
            targetRefresh = std::max(m_lastTarget, *m_lastMsc) + 1;
        m_lastTarget = targetRefresh;
        const xcb_rectangle_t rect { static_cast<std::int16_t>(damage.left), static_cast<std::int16_t>(damage.top),
            static_cast<std::uint16_t>(std::max(0, damage.Width())), static_cast<std::uint16_t>(std::max(0, damage.Height())) };
        xcb_discard_reply(m_c, xcb_xfixes_set_region_checked(m_c, m_region, damage.IsEmpty() ? 0 : 1, &rect).sequence);
        const std::uint32_t serial = ++m_serial;
        // Checked and discarded: a window destroyed meanwhile is an error
        // for us to ignore, not one for the display's error handler.
        xcb_discard_reply(m_c, xcb_present_pixmap_checked(m_c, m_window, p->Pixmap(), serial, 0, m_region, 0, 0, 0, 0, 0, XCB_PRESENT_OPTION_NONE, targetRefresh, 0, 0, 0, nullptr).sequence);
        xcb_flush(m_c);
        p->busy = true;
        p->frame = ++m_frames;
        return serial;
    }

    std::vector<FrameReport> Collect(int timeoutMs) override
    {
        const std::int64_t until = MonotonicNs() + timeoutMs * 1'000'000LL;
        while (Pump(0))
            ;
        while (m_reports.empty() && MonotonicNs() < until && !xcb_connection_has_error(m_c))
            Pump(static_cast<int>((until - MonotonicNs()) / 1'000'000) + 1);
        std::vector<FrameReport> out;
        out.swap(m_reports);
        return out;
    }

private:
    // Pixmaps of the window's size: made again when it changed.
    bool Fit(int w, int h, std::string* why)
    {
        if (!m_pixmaps.empty() && m_pixmaps.front()->Pixels().Width() == w && m_pixmaps.front()->Pixels().Height() == h)
            return true;
        m_pixmaps.clear();
        m_current = nullptr;
        for (std::size_t i = 0; i < kPixmaps; ++i) {
            auto p = X11ShmPixmap::Make(m_c, m_window, w, h, m_depth, why);
            if (!p) {
                m_pixmaps.clear();
                return false;
            }
            m_pixmaps.push_back(std::move(p));
        }
        return true;
    }

    // Handles one Present event, waiting up to `timeoutMs` for it; false
    // when none came.
    bool Pump(int timeoutMs)
    {
        xcb_generic_event_t* event = xcb_poll_for_special_event(m_c, m_special);
        if (!event && timeoutMs > 0 && !xcb_connection_has_error(m_c)) {
            pollfd fd { xcb_get_file_descriptor(m_c), POLLIN, 0 };
            if (poll(&fd, 1, timeoutMs) > 0)
                event = xcb_poll_for_special_event(m_c, m_special);
        }
        if (!event)
            return false;
        Handle(event);
        std::free(event);
        return true;
    }

    void Handle(const xcb_generic_event_t* event)
    {
        const auto* generic = reinterpret_cast<const xcb_present_generic_event_t*>(event);
        if (generic->evtype == XCB_PRESENT_EVENT_IDLE_NOTIFY) {
            const auto* idle = reinterpret_cast<const xcb_present_idle_notify_event_t*>(event);
            for (auto& p : m_pixmaps) {
                if (p->Pixmap() == idle->pixmap)
                    p->busy = false;
            }
            return;
        }
        if (generic->evtype != XCB_PRESENT_EVENT_COMPLETE_NOTIFY)
            return;
        const auto* complete = reinterpret_cast<const xcb_present_complete_notify_event_t*>(event);
        if (complete->kind == XCB_PRESENT_COMPLETE_KIND_NOTIFY_MSC) {
            m_lastMsc = complete->msc;
            return;
        }
        const CompletionMode mode = ModeOf(complete->mode);
        if (mode != CompletionMode::Skip)
            m_lastMsc = complete->msc;
        m_reports.push_back({ complete->serial, static_cast<std::int64_t>(complete->ust) * 1000, m_account.Add(complete->msc, mode) });
    }

    SDL_Window* m_sdl;
    xcb_connection_t* m_c;
    xcb_window_t m_window;
    std::uint8_t m_depth;
    std::uint32_t m_eid = 0;
    xcb_special_event_t* m_special = nullptr;
    xcb_xfixes_region_t m_region = 0;
    NominalRate m_nominal;
    std::vector<std::unique_ptr<X11ShmPixmap>> m_pixmaps;
    X11ShmPixmap* m_current = nullptr;
    std::uint64_t m_frames = 0;
    std::uint32_t m_serial = 0;
    std::optional<std::uint64_t> m_lastMsc;
    std::uint64_t m_lastTarget = 0;
    CounterFrameAccount m_account;
    std::vector<FrameReport> m_reports;
};

// The window's depth, when its pixels are 32 bits wide.
std::optional<std::uint8_t> PixelDepth(xcb_connection_t* c, xcb_window_t window)
{
    Freed<xcb_get_geometry_reply_t> geometry { xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr) };
    if (!geometry.p)
        return std::nullopt;
    const xcb_setup_t* setup = xcb_get_setup(c);
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == geometry.p->depth)
            return it.data->bits_per_pixel == 32 ? std::optional(geometry.p->depth) : std::nullopt;
    }
    return std::nullopt;
}

}

std::unique_ptr<Presenter> MakeX11Presenter(SDL_Window* window, std::string* why)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        *why = "not an X11 window";
        return nullptr;
    }
    xcb_connection_t* c = XGetXCBConnection(info.info.x11.display);
    if (!c || !HasExtension(c, &xcb_present_id) || !HasExtension(c, &xcb_shm_id) || !HasExtension(c, &xcb_xfixes_id)) {
        *why = "the X server lacks Present, MIT-SHM or XFixes";
        return nullptr;
    }
    Freed<xcb_xfixes_query_version_reply_t> xfixes { xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 2, 0), nullptr) };
    Freed<xcb_present_query_version_reply_t> present { xcb_present_query_version_reply(c, xcb_present_query_version(c, 1, 0), nullptr) };
    if (!xfixes.p || xfixes.p->major_version < 2 || !present.p) {
        *why = "the X server's XFixes has no regions";
        return nullptr;
    }
    const xcb_window_t xwindow = static_cast<xcb_window_t>(info.info.x11.window);
    const std::optional<std::uint8_t> depth = PixelDepth(c, xwindow);
    if (!depth) {
        *why = "the window's pixels are not 32 bits wide";
        return nullptr;
    }
    auto presenter = std::make_unique<X11Presenter>(window, c, xwindow, *depth);
    if (!presenter->Start(why))
        return nullptr;
    return presenter;
}

}
