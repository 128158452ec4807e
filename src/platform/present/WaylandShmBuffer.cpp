#include "platform/present/WaylandShmBuffer.h"

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

namespace plat::present {

namespace {

void Released(void* data, wl_buffer*)
{
    static_cast<WaylandShmBuffer*>(data)->busy = false;
}

constexpr wl_buffer_listener kBufferListener { Released };

}

std::unique_ptr<WaylandShmBuffer> WaylandShmBuffer::Make(wl_shm* shm, int width, int height)
{
    if (width <= 0 || height <= 0 || width > Surface::kMaxSide || height > Surface::kMaxSide)
        return nullptr;
    std::unique_ptr<WaylandShmBuffer> b(new WaylandShmBuffer);
    b->m_bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    const int fd = memfd_create("lumivex-frame", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    if (ftruncate(fd, static_cast<off_t>(b->m_bytes)) != 0) {
        close(fd);
        return nullptr;
    }
    void* memory = mmap(nullptr, b->m_bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    b->m_memory = memory;
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<std::int32_t>(b->m_bytes));
    b->m_buffer = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_buffer_add_listener(b->m_buffer, &kBufferListener, b.get());
    b->m_view = Surface::View(static_cast<std::uint32_t*>(memory), width, height, width);
    return b;
}

WaylandShmBuffer::~WaylandShmBuffer()
{
    if (m_buffer)
        wl_buffer_destroy(m_buffer);
    if (m_memory)
        munmap(m_memory, m_bytes);
}

}
