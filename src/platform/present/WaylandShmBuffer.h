#pragma once

// Internal: a wl_buffer whose XRGB pixels live in memory shared with the
// compositor (wl_shm over a memfd), its events on the presenter's queue.

#include "platform/gfx/Surface.h"

#include <cstddef>
#include <cstdint>
#include <memory>

struct wl_buffer;
struct wl_shm;

namespace plat::present {

class WaylandShmBuffer {
public:
    // Null when the memory cannot be had or the size is out of range.
    // `shm` must be bound on the queue the buffer's release should reach.
    static std::unique_ptr<WaylandShmBuffer> Make(wl_shm* shm, int width, int height);
    ~WaylandShmBuffer();
    WaylandShmBuffer(const WaylandShmBuffer&) = delete;
    WaylandShmBuffer& operator=(const WaylandShmBuffer&) = delete;

    wl_buffer* Buffer() const { return m_buffer; }
    Surface& Pixels() { return m_view; }

    // Set from attach until the compositor's release.
    bool busy = false;
    // The frame number whose pixels it holds; 0 when none yet.
    std::uint64_t frame = 0;

private:
    WaylandShmBuffer() = default;

    void* m_memory = nullptr;
    std::size_t m_bytes = 0;
    wl_buffer* m_buffer = nullptr;
    Surface m_view;
};

}
