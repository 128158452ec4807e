#include "platform/present/WaylandPresenter.h"

#include "platform/present/MonotonicClock.h"
#include "platform/present/WaylandShmBuffer.h"
#include "presentation-time-client-protocol.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <wayland-client.h>

#include <poll.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <time.h>
#include <utility>

namespace plat::present {

namespace {

constexpr std::size_t kBuffers = 3;

struct Output {
    wl_output* output = nullptr;
    std::int32_t milliHertz = 0;
};

// The outputs, bound once for the whole run on a queue of their own and
// never destroyed: SDL's surface gets enter and leave events naming every
// wl_output the program bound, and one naming an output destroyed since
// reaches SDL as a null output, on which it crashed when a presenter was
// remade (another monitor, another pattern).
struct BoundOutputs {
    wl_display* display = nullptr;
    wl_event_queue* queue = nullptr;
    std::vector<Output> outputs;

    static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version)
    {
        if (std::strcmp(interface, wl_output_interface.name) != 0)
            return;
        auto* self = static_cast<BoundOutputs*>(data);
        auto* output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 2u)));
        self->outputs.push_back({ output, 0 });
        wl_output_add_listener(output, &kOutputListener, self);
    }
    static void GlobalRemoved(void*, wl_registry*, std::uint32_t) { }

    static void Mode(void* data, wl_output* output, std::uint32_t flags, std::int32_t, std::int32_t, std::int32_t refresh)
    {
        if (!(flags & WL_OUTPUT_MODE_CURRENT))
            return;
        for (Output& o : static_cast<BoundOutputs*>(data)->outputs) {
            if (o.output == output)
                o.milliHertz = refresh;
        }
    }
    static void Geometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
        const char*, const char*, std::int32_t)
    {
    }
    static void Done(void*, wl_output*) { }
    static void Scale(void*, wl_output*, std::int32_t) { }

    static constexpr wl_registry_listener kRegistryListener { Global, GlobalRemoved };
    static constexpr wl_output_listener kOutputListener { Geometry, Mode, Done, Scale, nullptr, nullptr }; // name and description: version 4
};

// The outputs of `display`, bound at the first call.
BoundOutputs& OutputsOf(wl_display* display)
{
    static BoundOutputs bound;
    if (bound.display == display)
        return bound;
    bound = BoundOutputs {};
    bound.display = display;
    bound.queue = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), bound.queue);
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(registry, &BoundOutputs::kRegistryListener, &bound);
    // The outputs, then their modes.
    wl_display_roundtrip_queue(display, bound.queue);
    wl_display_roundtrip_queue(display, bound.queue);
    return bound;
}

class WaylandPresenter final : public Presenter {
public:
    WaylandPresenter(SDL_Window* sdl, wl_display* display)
        : m_sdl(sdl)
        , m_display(display)
    {
    }

    ~WaylandPresenter() override
    {
        for (Feedback* f : m_feedbacks) {
            wp_presentation_feedback_destroy(f->proxy);
            delete f;
        }
        if (m_frameCallback)
            wl_callback_destroy(m_frameCallback);
        m_buffers.clear();
        if (m_presentation)
            wp_presentation_destroy(m_presentation);
        if (m_shm)
            wl_shm_destroy(m_shm);
        if (m_registry)
            wl_registry_destroy(m_registry);
        if (m_surface)
            wl_proxy_wrapper_destroy(m_surface);
        wl_display_flush(m_display);
        if (m_queue)
            wl_event_queue_destroy(m_queue);
    }

    bool Start(wl_surface* surface, std::string* why)
    {
        m_queue = wl_display_create_queue(m_display);
        auto* display = static_cast<wl_display*>(wl_proxy_create_wrapper(m_display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(display), m_queue);
        m_registry = wl_display_get_registry(display);
        wl_proxy_wrapper_destroy(display);
        wl_registry_add_listener(m_registry, &kRegistryListener, this);
        // The globals, then what binding them sent (clock, output modes).
        if (wl_display_roundtrip_queue(m_display, m_queue) < 0 || wl_display_roundtrip_queue(m_display, m_queue) < 0) {
            *why = "the compositor connection failed";
            return false;
        }
        if (!m_presentation || !m_shm) {
            *why = m_presentation ? "the compositor offers no wl_shm" : "the compositor offers no presentation-time";
            return false;
        }
        if (m_clock != CLOCK_MONOTONIC) {
            *why = "the compositor's presentation clock is not the monotonic clock";
            return false;
        }
        m_outputs = &OutputsOf(m_display);
        m_surface = static_cast<wl_surface*>(wl_proxy_create_wrapper(surface));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(m_surface), m_queue);
        return true;
    }

    Backend Kind() const override { return Backend::Wayland; }
    TimingSource Source() const override { return TimingSource::Compositor; }

    NominalRate Nominal() const override
    {
        if (m_lastRefreshNs && *m_lastRefreshNs == 0)
            return RateFromPeriodNs(0);
        for (const Output& o : m_outputs->outputs) {
            if (o.output == m_syncOutput && o.milliHertz > 0)
                return RateFromMilliHertz(o.milliHertz);
        }
        if (m_outputs->outputs.size() == 1)
            return RateFromMilliHertz(m_outputs->outputs.front().milliHertz);
        return m_lastRefreshNs ? RateFromPeriodNs(*m_lastRefreshNs) : NominalRate {};
    }

    FrameBuffer Acquire(int timeoutMs) override
    {
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(m_sdl, &w, &h);
        if (!Fit(w, h))
            return {};
        const std::int64_t until = MonotonicNs() + timeoutMs * 1'000'000LL;
        for (;;) {
            while (Pump(0))
                ;
            // One commit per frame callback: the compositor's own pace.
            if (!m_frameCallback) {
                WaylandShmBuffer* best = nullptr;
                for (auto& b : m_buffers) {
                    if (!b->busy && (!best || b->frame > best->frame))
                        best = b.get();
                }
                if (best) {
                    m_current = best;
                    const int age = best->frame ? static_cast<int>(m_frames + 1 - best->frame) : 0;
                    return { &best->Pixels(), age };
                }
            }
            const std::int64_t left = until - MonotonicNs();
            if (left <= 0 || wl_display_get_error(m_display))
                return {};
            Pump(static_cast<int>(left / 1'000'000) + 1);
        }
    }

    std::uint64_t Present(Rect damage, std::uint64_t) override
    {
        if (!m_current || wl_display_get_error(m_display))
            return 0;
        WaylandShmBuffer* b = std::exchange(m_current, nullptr);
        damage = damage.Intersected(b->Pixels().Bounds());
        wl_surface_attach(m_surface, b->Buffer(), 0, 0);
        if (!damage.IsEmpty())
            wl_surface_damage_buffer(m_surface, damage.left, damage.top, damage.Width(), damage.Height());
        m_frameCallback = wl_surface_frame(m_surface);
        wl_callback_add_listener(m_frameCallback, &kFrameListener, this);
        auto* feedback = new Feedback { this, wp_presentation_feedback(m_presentation, m_surface), ++m_serial };
        wp_presentation_feedback_add_listener(feedback->proxy, &kFeedbackListener, feedback);
        m_feedbacks.push_back(feedback);
        wl_surface_commit(m_surface);
        wl_display_flush(m_display);
        b->busy = true;
        b->frame = ++m_frames;
        return m_serial;
    }

    std::vector<FrameReport> Collect(int timeoutMs) override
    {
        const std::int64_t until = MonotonicNs() + timeoutMs * 1'000'000LL;
        while (Pump(0))
            ;
        while (m_reports.empty() && MonotonicNs() < until && !wl_display_get_error(m_display))
            Pump(static_cast<int>((until - MonotonicNs()) / 1'000'000) + 1);
        std::vector<FrameReport> out;
        out.swap(m_reports);
        return out;
    }

private:
    struct Feedback {
        WaylandPresenter* owner;
        struct wp_presentation_feedback* proxy;
        std::uint64_t serial;
    };

    bool Fit(int w, int h)
    {
        if (!m_buffers.empty() && m_buffers.front()->Pixels().Width() == w && m_buffers.front()->Pixels().Height() == h)
            return true;
        m_buffers.clear();
        m_current = nullptr;
        for (std::size_t i = 0; i < kBuffers; ++i) {
            auto b = WaylandShmBuffer::Make(m_shm, w, h);
            if (!b) {
                m_buffers.clear();
                return false;
            }
            m_buffers.push_back(std::move(b));
        }
        return true;
    }

    // Reads and handles what came on our queue, waiting up to `timeoutMs`;
    // false when nothing of ours was handled.
    bool Pump(int timeoutMs)
    {
        if (wl_display_dispatch_queue_pending(m_display, m_queue) > 0)
            return true;
        while (wl_display_prepare_read_queue(m_display, m_queue) != 0) {
            if (wl_display_dispatch_queue_pending(m_display, m_queue) != 0)
                return true;
        }
        wl_display_flush(m_display);
        pollfd fd { wl_display_get_fd(m_display), POLLIN, 0 };
        if (poll(&fd, 1, timeoutMs) <= 0) {
            wl_display_cancel_read(m_display);
            return false;
        }
        if (wl_display_read_events(m_display) < 0)
            return false;
        wl_display_dispatch_queue_pending(m_display, m_outputs->queue);
        return wl_display_dispatch_queue_pending(m_display, m_queue) > 0;
    }

    void Finish(Feedback* f, const WaylandFeedback& event, std::int64_t timeNs)
    {
        m_reports.push_back({ f->serial, timeNs, m_account.Add(event) });
        std::erase(m_feedbacks, f);
        wp_presentation_feedback_destroy(f->proxy);
        delete f;
    }

    static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
    {
        auto* self = static_cast<WaylandPresenter*>(data);
        if (std::strcmp(interface, wl_shm_interface.name) == 0 && !self->m_shm) {
            self->m_shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
        } else if (std::strcmp(interface, wp_presentation_interface.name) == 0 && !self->m_presentation) {
            self->m_presentation = static_cast<wp_presentation*>(wl_registry_bind(registry, name, &wp_presentation_interface, 1));
            wp_presentation_add_listener(self->m_presentation, &kPresentationListener, self);
        }
    }
    static void GlobalRemoved(void*, wl_registry*, std::uint32_t) { }

    static void Clock(void* data, wp_presentation*, std::uint32_t clock)
    {
        static_cast<WaylandPresenter*>(data)->m_clock = clock;
    }

    static void FrameDone(void* data, wl_callback* callback, std::uint32_t)
    {
        auto* self = static_cast<WaylandPresenter*>(data);
        wl_callback_destroy(callback);
        if (self->m_frameCallback == callback)
            self->m_frameCallback = nullptr;
    }

    static void SyncOutput(void* data, struct wp_presentation_feedback*, wl_output* output)
    {
        static_cast<Feedback*>(data)->owner->m_syncOutput = output;
    }

    static void Presented(void* data, struct wp_presentation_feedback*, std::uint32_t secHi, std::uint32_t secLo, std::uint32_t nsec,
        std::uint32_t refresh, std::uint32_t seqHi, std::uint32_t seqLo, std::uint32_t flags)
    {
        auto* f = static_cast<Feedback*>(data);
        const std::int64_t seconds = static_cast<std::int64_t>((static_cast<std::uint64_t>(secHi) << 32) | secLo);
        const std::int64_t timeNs = seconds * 1'000'000'000 + nsec;
        const std::uint64_t sequence = (static_cast<std::uint64_t>(seqHi) << 32) | seqLo;
        f->owner->m_lastRefreshNs = refresh;
        f->owner->Finish(f, { false, timeNs, refresh, sequence, flags }, timeNs);
    }

    static void Discarded(void* data, struct wp_presentation_feedback*)
    {
        auto* f = static_cast<Feedback*>(data);
        f->owner->Finish(f, { true, 0, 0, 0, 0 }, MonotonicNs());
    }

    static constexpr wl_registry_listener kRegistryListener { Global, GlobalRemoved };
    static constexpr wp_presentation_listener kPresentationListener { Clock };
    static constexpr wl_callback_listener kFrameListener { FrameDone };
    static constexpr wp_presentation_feedback_listener kFeedbackListener { SyncOutput, Presented, Discarded };

    SDL_Window* m_sdl;
    wl_display* m_display;
    wl_event_queue* m_queue = nullptr;
    wl_registry* m_registry = nullptr;
    wl_shm* m_shm = nullptr;
    wp_presentation* m_presentation = nullptr;
    std::uint32_t m_clock = CLOCK_MONOTONIC;
    BoundOutputs* m_outputs = nullptr;
    wl_output* m_syncOutput = nullptr;
    wl_surface* m_surface = nullptr; // SDL's surface, wrapped onto our queue
    wl_callback* m_frameCallback = nullptr;
    std::vector<std::unique_ptr<WaylandShmBuffer>> m_buffers;
    WaylandShmBuffer* m_current = nullptr;
    std::vector<Feedback*> m_feedbacks;
    std::uint64_t m_frames = 0;
    std::uint64_t m_serial = 0;
    std::optional<std::uint32_t> m_lastRefreshNs;
    WaylandFrameAccount m_account;
    std::vector<FrameReport> m_reports;
};

}

std::unique_ptr<Presenter> MakeWaylandPresenter(SDL_Window* window, std::string* why)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND || !info.info.wl.display || !info.info.wl.surface) {
        *why = "not a Wayland window";
        return nullptr;
    }
    auto presenter = std::make_unique<WaylandPresenter>(window, info.info.wl.display);
    if (!presenter->Start(info.info.wl.surface, why))
        return nullptr;
    return presenter;
}

}
