#include "support/WaylandReference.h"

#include "platform/present/FrameAccount.h"
#include "presentation-time-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <wayland-client.h>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace benchsupport {

namespace {

constexpr int kBar = 64;
constexpr int kTimeoutMs = 2000;

struct Buffer {
    wl_buffer* buffer = nullptr;
    std::uint32_t* pixels = nullptr;
    std::size_t bytes = 0;
    bool busy = false;
};

void Fill(std::uint32_t* pixels, int pitch, int left, int right, int height, std::uint32_t xrgb)
{
    for (int y = 0; y < height; ++y)
        std::fill(pixels + static_cast<std::ptrdiff_t>(y) * pitch + left, pixels + static_cast<std::ptrdiff_t>(y) * pitch + right, xrgb);
}

}

struct WaylandReference::State {
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    xdg_wm_base* wmBase = nullptr;
    wp_presentation* presentation = nullptr;
    wl_surface* surface = nullptr;
    xdg_surface* xdgSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    wl_callback* frameCallback = nullptr;
    Buffer buffers[3];
    int width = 0;
    int height = 0;
    bool configured = false;
    int pendingFeedbacks = 0;
    plat::present::WaylandFrameAccount account;
    plat::present::FrameLedger ledger;

    ~State()
    {
        if (frameCallback)
            wl_callback_destroy(frameCallback);
        for (Buffer& b : buffers) {
            if (b.buffer)
                wl_buffer_destroy(b.buffer);
            if (b.pixels)
                munmap(b.pixels, b.bytes);
        }
        if (toplevel)
            xdg_toplevel_destroy(toplevel);
        if (xdgSurface)
            xdg_surface_destroy(xdgSurface);
        if (surface)
            wl_surface_destroy(surface);
        if (presentation)
            wp_presentation_destroy(presentation);
        if (wmBase)
            xdg_wm_base_destroy(wmBase);
        if (shm)
            wl_shm_destroy(shm);
        if (compositor)
            wl_compositor_destroy(compositor);
        if (registry)
            wl_registry_destroy(registry);
        if (display)
            wl_display_disconnect(display);
    }

    // Handles what came, waiting up to `timeoutMs` for it; false when the
    // connection failed or nothing came in time.
    bool Dispatch(int timeoutMs)
    {
        while (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0)
                return false;
        }
        wl_display_flush(display);
        pollfd fd { wl_display_get_fd(display), POLLIN, 0 };
        if (poll(&fd, 1, timeoutMs) <= 0) {
            wl_display_cancel_read(display);
            return false;
        }
        return wl_display_read_events(display) == 0 && wl_display_dispatch_pending(display) >= 0;
    }

    bool MakeBuffer(Buffer& b)
    {
        b.bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
        const int fd = memfd_create("bench-wayland-reference", MFD_CLOEXEC);
        if (fd < 0)
            return false;
        if (ftruncate(fd, static_cast<off_t>(b.bytes)) != 0) {
            close(fd);
            return false;
        }
        void* memory = mmap(nullptr, b.bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (memory == MAP_FAILED) {
            close(fd);
            return false;
        }
        b.pixels = static_cast<std::uint32_t*>(memory);
        wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<std::int32_t>(b.bytes));
        b.buffer = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_XRGB8888);
        wl_shm_pool_destroy(pool);
        close(fd);
        wl_buffer_add_listener(b.buffer, &kBufferListener, &b);
        return true;
    }

    static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version)
    {
        auto* s = static_cast<State*>(data);
        if (std::strcmp(interface, wl_compositor_interface.name) == 0 && version >= 4)
            s->compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
        else if (std::strcmp(interface, wl_shm_interface.name) == 0)
            s->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
        else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
            s->wmBase = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
            xdg_wm_base_add_listener(s->wmBase, &kWmBaseListener, s);
        } else if (std::strcmp(interface, wp_presentation_interface.name) == 0)
            s->presentation = static_cast<wp_presentation*>(wl_registry_bind(registry, name, &wp_presentation_interface, 1));
    }
    static void GlobalRemoved(void*, wl_registry*, std::uint32_t) { }
    static void Ping(void*, xdg_wm_base* base, std::uint32_t serial) { xdg_wm_base_pong(base, serial); }
    static void Configure(void* data, xdg_surface* surface, std::uint32_t serial)
    {
        xdg_surface_ack_configure(surface, serial);
        static_cast<State*>(data)->configured = true;
    }
    static void ToplevelConfigure(void*, xdg_toplevel*, std::int32_t, std::int32_t, wl_array*) { }
    static void ToplevelClose(void*, xdg_toplevel*) { }
    static void Released(void* data, wl_buffer*) { static_cast<Buffer*>(data)->busy = false; }
    static void FrameDone(void* data, wl_callback* callback, std::uint32_t)
    {
        auto* s = static_cast<State*>(data);
        wl_callback_destroy(callback);
        s->frameCallback = nullptr;
    }
    static void SyncOutput(void*, struct wp_presentation_feedback*, wl_output*) { }
    static void Presented(void* data, struct wp_presentation_feedback* feedback, std::uint32_t secHi, std::uint32_t secLo, std::uint32_t nsec,
        std::uint32_t refresh, std::uint32_t seqHi, std::uint32_t seqLo, std::uint32_t flags)
    {
        const std::int64_t seconds = static_cast<std::int64_t>((static_cast<std::uint64_t>(secHi) << 32) | secLo);
        const std::int64_t timeNs = seconds * 1'000'000'000 + nsec;
        const std::uint64_t sequence = (static_cast<std::uint64_t>(seqHi) << 32) | seqLo;
        static_cast<State*>(data)->Finish(feedback, { false, timeNs, refresh, sequence, flags }, timeNs);
    }
    static void Discarded(void* data, struct wp_presentation_feedback* feedback)
    {
        static_cast<State*>(data)->Finish(feedback, { true, 0, 0, 0, 0 }, 0);
    }
    void Finish(struct wp_presentation_feedback* feedback, const plat::present::WaylandFeedback& event, std::int64_t timeNs)
    {
        ledger.Add(account.Add(event), timeNs);
        wp_presentation_feedback_destroy(feedback);
        --pendingFeedbacks;
    }

    static constexpr wl_registry_listener kRegistryListener { Global, GlobalRemoved };
    static constexpr xdg_wm_base_listener kWmBaseListener { Ping };
    static constexpr xdg_surface_listener kXdgSurfaceListener { Configure };
    static constexpr xdg_toplevel_listener kToplevelListener { ToplevelConfigure, ToplevelClose, nullptr, nullptr }; // bound at version 1
    static constexpr wl_buffer_listener kBufferListener { Released };
    static constexpr wl_callback_listener kFrameListener { FrameDone };
    static constexpr wp_presentation_feedback_listener kFeedbackListener { SyncOutput, Presented, Discarded };
};

WaylandReference::WaylandReference()
    : m_state(std::make_unique<State>())
{
}

WaylandReference::~WaylandReference() = default;

const plat::present::FrameLedger& WaylandReference::Ledger() const { return m_state->ledger; }

bool WaylandReference::Open(int width, int height)
{
    State& s = *m_state;
    s.width = width;
    s.height = height;
    s.display = wl_display_connect(nullptr);
    if (!s.display)
        return false;
    s.registry = wl_display_get_registry(s.display);
    wl_registry_add_listener(s.registry, &State::kRegistryListener, &s);
    if (wl_display_roundtrip(s.display) < 0 || !s.compositor || !s.shm || !s.wmBase || !s.presentation)
        return false;
    s.surface = wl_compositor_create_surface(s.compositor);
    s.xdgSurface = xdg_wm_base_get_xdg_surface(s.wmBase, s.surface);
    xdg_surface_add_listener(s.xdgSurface, &State::kXdgSurfaceListener, &s);
    s.toplevel = xdg_surface_get_toplevel(s.xdgSurface);
    xdg_toplevel_add_listener(s.toplevel, &State::kToplevelListener, &s);
    xdg_toplevel_set_title(s.toplevel, "bench wayland reference");
    wl_surface_commit(s.surface);
    while (!s.configured) {
        if (!s.Dispatch(kTimeoutMs))
            return false;
    }
    for (Buffer& b : s.buffers) {
        if (!s.MakeBuffer(b))
            return false;
        Fill(b.pixels, width, 0, width, height, 0);
    }
    return true;
}

bool WaylandReference::Run(int frames)
{
    State& s = *m_state;
    int previous = 0;
    for (int n = 0; n < frames; ++n) {
        Buffer* free = nullptr;
        for (;;) {
            if (!s.frameCallback) {
                for (Buffer& b : s.buffers)
                    free = free ? free : (b.busy ? nullptr : &b);
            }
            if (free)
                break;
            if (!s.Dispatch(kTimeoutMs))
                return false;
        }
        const int x = (n * 27) % (s.width - kBar);
        const int left = std::min(x, previous);
        const int right = std::max(x, previous) + kBar;
        Fill(free->pixels, s.width, left, right, s.height, 0);
        Fill(free->pixels, s.width, x, x + kBar, s.height, 0xffffff);
        previous = x;
        wl_surface_attach(s.surface, free->buffer, 0, 0);
        wl_surface_damage_buffer(s.surface, left, 0, right - left, s.height);
        s.frameCallback = wl_surface_frame(s.surface);
        wl_callback_add_listener(s.frameCallback, &State::kFrameListener, &s);
        wp_presentation_feedback_add_listener(wp_presentation_feedback(s.presentation, s.surface), &State::kFeedbackListener, &s);
        ++s.pendingFeedbacks;
        wl_surface_commit(s.surface);
        free->busy = true;
    }
    while (s.pendingFeedbacks > 0) {
        if (!s.Dispatch(kTimeoutMs))
            return false;
    }
    return true;
}

}
