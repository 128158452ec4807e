#include "platform/present/FallbackPresenter.h"

#include "platform/present/MonotonicClock.h"

#include <SDL.h>

#include <cmath>
#include <thread>

namespace plat::present {

namespace {

// SDL's display modes give whole hertz, and 0 when unknown.
constexpr int kAssumedHz = 60;

// SDL's window surface, converted where its format is not ours.
class WindowSurfaceTarget final : public FallbackTarget {
public:
    explicit WindowSurfaceTarget(SDL_Window* window)
        : m_window(window)
    {
    }

    Surface* Pixels(bool* fresh) override
    {
        SDL_Surface* surface = SDL_GetWindowSurface(m_window);
        if (!surface)
            return nullptr;
        if (surface != m_surface || surface->w != m_pixels.Width() || surface->h != m_pixels.Height()) {
            m_surface = surface;
            m_direct = surface->format->format == SDL_PIXELFORMAT_RGB888;
            if (m_direct)
                m_pixels = Surface::View(static_cast<std::uint32_t*>(surface->pixels), surface->w, surface->h, surface->pitch / 4);
            else
                m_pixels = Surface(surface->w, surface->h);
            *fresh = true;
        }
        return m_pixels.IsEmpty() ? nullptr : &m_pixels;
    }

    bool Show(Rect damage) override
    {
        if (!m_surface || m_pixels.IsEmpty())
            return false;
        damage = damage.Intersected(m_pixels.Bounds());
        if (damage.IsEmpty())
            return true;
        if (!m_direct)
            Convert(damage);
        const SDL_Rect rect { damage.left, damage.top, damage.Width(), damage.Height() };
        return SDL_UpdateWindowSurfaceRects(m_window, &rect, 1) == 0;
    }

private:
    void Convert(Rect r)
    {
        auto* dst = static_cast<std::uint8_t*>(m_surface->pixels) + r.top * m_surface->pitch + r.left * m_surface->format->BytesPerPixel;
        SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_RGB888, m_pixels.Row(r.top) + r.left, m_pixels.Pitch() * 4,
            m_surface->format->format, dst, m_surface->pitch);
    }

    SDL_Window* m_window;
    SDL_Surface* m_surface = nullptr;
    Surface m_pixels;
    bool m_direct = false;
};

class FallbackPresenter final : public Presenter {
public:
    FallbackPresenter(SDL_Window* window, std::unique_ptr<FallbackTarget> target)
        : m_target(std::move(target))
    {
        SDL_DisplayMode mode {};
        const int display = SDL_GetWindowDisplayIndex(window);
        if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0)
            m_nominal = { NominalRate::Kind::Fixed, static_cast<double>(mode.refresh_rate) };
        m_periodNs = 1e9 / (m_nominal.kind == NominalRate::Kind::Fixed ? m_nominal.hz : kAssumedHz);
    }

    Backend Kind() const override { return Backend::Fallback; }
    TimingSource Source() const override { return TimingSource::Estimated; }
    NominalRate Nominal() const override { return m_nominal; }

    FrameBuffer Acquire(int) override
    {
        bool fresh = false;
        m_pixels = m_target->Pixels(&fresh);
        if (fresh)
            m_age = 0;
        if (!m_pixels)
            return {};
        return { m_pixels, m_age };
    }

    std::uint64_t Present(Rect damage, std::uint64_t targetRefresh) override
    {
        if (!m_pixels)
            return 0;
        WaitForRefresh(targetRefresh ? targetRefresh : m_lastRefresh + 1);
        if (!m_target->Show(damage))
            return 0;
        const std::int64_t now = MonotonicNs();
        if (!m_startNs)
            m_startNs = now;
        const auto refresh = static_cast<std::uint64_t>(std::llround(static_cast<double>(now - m_startNs) / m_periodNs)) + 1;
        m_lastRefresh = refresh;
        m_age = 1;
        m_reports.push_back({ ++m_serial, now, m_account.Add(refresh, CompletionMode::Copy) });
        return m_serial;
    }

    std::vector<FrameReport> Collect(int) override
    {
        std::vector<FrameReport> out;
        out.swap(m_reports);
        return out;
    }

private:
    // Sleeps until the estimated start of `refresh`; at once when past.
    void WaitForRefresh(std::uint64_t refresh) const
    {
        if (!m_startNs)
            return;
        const auto due = m_startNs + static_cast<std::int64_t>(m_periodNs * static_cast<double>(refresh - 1));
        const std::int64_t wait = due - MonotonicNs();
        if (wait > 0)
            std::this_thread::sleep_for(std::chrono::nanoseconds(wait));
    }

    std::unique_ptr<FallbackTarget> m_target;
    Surface* m_pixels = nullptr;
    int m_age = 0;
    NominalRate m_nominal;
    double m_periodNs = 0;
    std::int64_t m_startNs = 0;
    std::uint64_t m_lastRefresh = 0;
    std::uint64_t m_serial = 0;
    CounterFrameAccount m_account;
    std::vector<FrameReport> m_reports;
};

}

std::unique_ptr<Presenter> MakeFallbackPresenter(SDL_Window* window)
{
    return MakeFallbackPresenter(window, std::make_unique<WindowSurfaceTarget>(window));
}

std::unique_ptr<Presenter> MakeFallbackPresenter(SDL_Window* window, std::unique_ptr<FallbackTarget> target)
{
    return std::make_unique<FallbackPresenter>(window, std::move(target));
}

}
