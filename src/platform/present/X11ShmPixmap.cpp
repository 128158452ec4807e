#include "platform/present/X11ShmPixmap.h"

#include <xcb/shm.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>

namespace plat::present {

namespace {

bool Failed(xcb_connection_t* c, xcb_void_cookie_t cookie)
{
    xcb_generic_error_t* error = xcb_request_check(c, cookie);
    std::free(error);
    return error != nullptr;
}

}

std::unique_ptr<X11ShmPixmap> X11ShmPixmap::Make(xcb_connection_t* c, xcb_drawable_t drawable, int width, int height,
    std::uint8_t depth, std::string* why)
{
    if (width <= 0 || height <= 0 || width > Surface::kMaxSide || height > Surface::kMaxSide) {
        *why = "window size out of range";
        return nullptr;
    }
    std::unique_ptr<X11ShmPixmap> p(new X11ShmPixmap(c));
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) {
        *why = "no shared memory segment";
        return nullptr;
    }
    void* memory = shmat(id, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        *why = "shared memory not mapped";
        return nullptr;
    }
    p->m_memory = memory;
    p->m_segment = xcb_generate_id(c);
    const bool attached = !Failed(c, xcb_shm_attach_checked(c, p->m_segment, static_cast<std::uint32_t>(id), 0));
    // Both sides hold it now (or the server never will): the segment goes
    // away with the last detach, even if we crash.
    shmctl(id, IPC_RMID, nullptr);
    if (!attached) {
        p->m_segment = 0;
        *why = "the X server cannot attach shared memory (a remote display?)";
        return nullptr;
    }
    p->m_pixmap = xcb_generate_id(c);
    if (Failed(c, xcb_shm_create_pixmap_checked(c, p->m_pixmap, drawable, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), depth, p->m_segment, 0))) {
        p->m_pixmap = 0;
        *why = "the X server refused a shared-memory pixmap";
        return nullptr;
    }
    p->m_view = Surface::View(static_cast<std::uint32_t*>(memory), width, height, width);
    return p;
}

X11ShmPixmap::~X11ShmPixmap()
{
    if (m_pixmap)
        xcb_free_pixmap(m_c, m_pixmap);
    if (m_segment)
        xcb_shm_detach(m_c, m_segment);
    xcb_flush(m_c);
    if (m_memory)
        shmdt(m_memory);
}

}
