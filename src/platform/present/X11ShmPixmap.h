#pragma once

// Internal: a pixmap whose pixels live in memory shared with the X server
// (MIT-SHM), so drawing into it is drawing into what Present will show.

#include "platform/gfx/Surface.h"

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <string>

namespace plat::present {

class X11ShmPixmap {
public:
    // A `width` x `height` pixmap of `depth` (32 bits a pixel) for
    // `drawable`'s screen; null with `why` set when the server cannot attach
    // our memory (a remote display) or refuses the pixmap.
    static std::unique_ptr<X11ShmPixmap> Make(xcb_connection_t* c, xcb_drawable_t drawable, int width, int height,
        std::uint8_t depth, std::string* why);
    ~X11ShmPixmap();
    X11ShmPixmap(const X11ShmPixmap&) = delete;
    X11ShmPixmap& operator=(const X11ShmPixmap&) = delete;

    xcb_pixmap_t Pixmap() const { return m_pixmap; }
    Surface& Pixels() { return m_view; }

    // Set while the server may still read the pixels (presented, no
    // IdleNotify yet).
    bool busy = false;
    // The frame number whose pixels it holds; 0 when none yet.
    std::uint64_t frame = 0;

private:
    explicit X11ShmPixmap(xcb_connection_t* c)
        : m_c(c)
    {
    }

    xcb_connection_t* m_c;
    void* m_memory = nullptr;
    xcb_shm_seg_t m_segment = 0;
    xcb_pixmap_t m_pixmap = 0;
    Surface m_view;
};

}
