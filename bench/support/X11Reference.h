#pragma once

// A bare X11 Present client: its own override-redirect window, three
// shared-memory pixmaps, PresentPixmap aimed at the refresh after the last
// one shown, CompleteNotify and IdleNotify read straight off the connection
// on a special-event queue. Its frames go through the same accounting as
// the platform's presenter, so the two are judged alike. Connects to
// $DISPLAY.

#include "platform/present/FrameAccount.h"
#include "platform/present/FrameLedger.h"

#include <xcb/present.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace benchsupport {

constexpr int kBar = 64;

inline void Fill(std::uint32_t* pixels, int pitch, int left, int top, int right, int bottom, std::uint32_t xrgb)
{
    for (int y = top; y < bottom; ++y)
        std::fill(pixels + static_cast<std::ptrdiff_t>(y) * pitch + left, pixels + static_cast<std::ptrdiff_t>(y) * pitch + right, xrgb);
}

// The client: a window, three shared-memory pixmaps, Present.
class X11Reference {
public:
    bool Open(int w, int h)
    {
        m_w = w;
        m_h = h;
        m_c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_c))
            return false;
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        m_window = xcb_generate_id(m_c);
        const std::uint32_t values[] = { 1 };
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h), 0,
            XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(m_c, m_window);
        free(xcb_xfixes_query_version_reply(m_c, xcb_xfixes_query_version(m_c, 2, 0), nullptr));
        free(xcb_present_query_version_reply(m_c, xcb_present_query_version(m_c, 1, 0), nullptr));
        m_region = xcb_generate_id(m_c);
        xcb_xfixes_create_region(m_c, m_region, 0, nullptr);
        const std::uint32_t eid = xcb_generate_id(m_c);
        xcb_present_select_input(m_c, eid, m_window, XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY | XCB_PRESENT_EVENT_MASK_IDLE_NOTIFY);
        m_special = xcb_register_for_special_xge(m_c, &xcb_present_id, eid, nullptr);
        for (Buffer& b : m_buffers) {
            const int id = shmget(IPC_PRIVATE, static_cast<std::size_t>(w) * h * 4, IPC_CREAT | 0600);
            b.pixels = static_cast<std::uint32_t*>(shmat(id, nullptr, 0));
            b.segment = xcb_generate_id(m_c);
            free(xcb_request_check(m_c, xcb_shm_attach_checked(m_c, b.segment, static_cast<std::uint32_t>(id), 0)));
            shmctl(id, IPC_RMID, nullptr);
            b.pixmap = xcb_generate_id(m_c);
            xcb_shm_create_pixmap(m_c, b.pixmap, m_window, static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h), screen->root_depth, b.segment, 0);
            Fill(b.pixels, w, 0, 0, w, h, 0);
        }
        xcb_present_notify_msc(m_c, m_window, 0, 0, 0, 0);
        xcb_flush(m_c);
        while (!m_lastMsc && !xcb_connection_has_error(m_c))
            Handle(xcb_wait_for_special_event(m_c, m_special));
        return m_lastMsc.has_value();
    }
    void Close()
    {
        if (m_special)
            xcb_unregister_for_special_event(m_c, m_special);
        for (Buffer& b : m_buffers) {
            if (b.pixels)
                shmdt(b.pixels);
        }
        if (m_c)
            xcb_disconnect(m_c);
    }

    // A free pixmap's pixels, waiting for its IdleNotify.
    std::uint32_t* Acquire()
    {
        for (;;) {
            while (xcb_generic_event_t* e = xcb_poll_for_special_event(m_c, m_special))
                Handle(e);
            for (Buffer& b : m_buffers) {
                if (!b.busy) {
                    m_current = &b;
                    return b.pixels;
                }
            }
            if (xcb_connection_has_error(m_c))
                return nullptr;
            Handle(xcb_wait_for_special_event(m_c, m_special));
        }
    }
    void Present(int left, int top, int right, int bottom)
    {
        const xcb_rectangle_t rect { static_cast<std::int16_t>(left), static_cast<std::int16_t>(top), static_cast<std::uint16_t>(right - left),
            static_cast<std::uint16_t>(bottom - top) };
        xcb_xfixes_set_region(m_c, m_region, 1, &rect);
        m_target = std::max(m_target, *m_lastMsc) + 1;
        xcb_present_pixmap(m_c, m_window, m_current->pixmap, ++m_serial, 0, m_region, 0, 0, 0, 0, 0, XCB_PRESENT_OPTION_NONE, m_target, 0, 0, 0, nullptr);
        xcb_flush(m_c);
        m_current->busy = true;
    }
    // Waits until every presented frame has completed.
    void Drain()
    {
        while (m_completed < m_serial && !xcb_connection_has_error(m_c))
            Handle(xcb_wait_for_special_event(m_c, m_special));
    }
    plat::present::FrameLedger ledger;

private:
    struct Buffer {
        std::uint32_t* pixels = nullptr;
        std::uint32_t segment = 0;
        xcb_pixmap_t pixmap = 0;
        bool busy = false;
    };
    void Handle(xcb_generic_event_t* e)
    {
        if (!e)
            return;
        const auto* generic = reinterpret_cast<xcb_present_generic_event_t*>(e);
        if (generic->evtype == XCB_PRESENT_EVENT_IDLE_NOTIFY) {
            const auto* idle = reinterpret_cast<xcb_present_idle_notify_event_t*>(e);
            for (Buffer& b : m_buffers)
                b.busy = b.busy && b.pixmap != idle->pixmap;
        } else if (generic->evtype == XCB_PRESENT_EVENT_COMPLETE_NOTIFY) {
            const auto* complete = reinterpret_cast<xcb_present_complete_notify_event_t*>(e);
            if (complete->kind == XCB_PRESENT_COMPLETE_KIND_PIXMAP) {
                m_completed = complete->serial;
                const auto mode = complete->mode == XCB_PRESENT_COMPLETE_MODE_SKIP ? plat::present::CompletionMode::Skip : plat::present::CompletionMode::Copy;
                ledger.Add(m_account.Add(complete->msc, mode), static_cast<std::int64_t>(complete->ust) * 1000);
            }
            if (complete->mode != XCB_PRESENT_COMPLETE_MODE_SKIP)
                m_lastMsc = complete->msc;
        }
        free(e);
    }

    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_window = 0;
    xcb_special_event_t* m_special = nullptr;
    std::uint32_t m_region = 0;
    Buffer m_buffers[3];
    Buffer* m_current = nullptr;
    int m_w = 0;
    int m_h = 0;
    std::uint32_t m_serial = 0;
    std::uint32_t m_completed = 0;
    std::optional<std::uint64_t> m_lastMsc;
    std::uint64_t m_target = 0;
    plat::present::CounterFrameAccount m_account;
};

// The bar's place in frame n: 27 px a frame, wrapping.
inline int BarLeft(int n, int width) { return (n * 27) % (width - kBar); }

// Frame n of the bare client's moving bar over the bar of the frame
// before, at `*previous`: clears the old bar, draws the new one, presents
// only the band the two cover.
inline void PresentBand(X11Reference& client, std::uint32_t* pixels, int w, int h, int n, int* previous)
{
    const int x = BarLeft(n, w);
    const int left = std::min(x, *previous);
    const int right = std::max(x, *previous) + kBar;
    Fill(pixels, w, left, 0, right, h, 0);
    Fill(pixels, w, x, 0, x + kBar, h, 0xffffff);
    client.Present(left, 0, right, h);
    *previous = x;
}

}
