#include "screentest/MotionRun.h"

#include "platform/present/MonotonicClock.h"
#include "screentest/MotionText.h"

#include <algorithm>
#include <cmath>

namespace {

using plat::present::TimingHealth;

// Waiting for a buffer paces the frames; a window the display stopped
// showing (covered, off every output) gets none, and the loop then takes
// input before trying again.
constexpr int kAcquireMs = 50;
// Presenters keep at most three buffers.
constexpr std::size_t kFramesKept = 4;
constexpr int kChipStrip = 24;
constexpr int kChipMargin = 4;
constexpr double kAssumedHz = 60;
// Longer than three frames at the slowest rate a display keeps up.
constexpr std::int64_t kDrainNs = 200'000'000;

plat::COLORREF HealthColour(TimingHealth health)
{
    switch (health) {
    case TimingHealth::Synced:
        return plat::RGB(0, 170, 0);
    case TimingHealth::Held:
        return plat::RGB(255, 176, 0);
    case TimingHealth::Dropped:
        return plat::RGB(220, 0, 0);
    case TimingHealth::Settling:
        break;
    }
    return plat::RGB(128, 128, 128);
}

}

CMotionRun::CMotionRun(plat::HWND hwnd)
    : m_window(hwnd)
{
}

CMotionRun::~CMotionRun() { Drain(); }

void CMotionRun::Drain()
{
    plat::present::Presenter* presenter = m_window.Shown() ? m_window.Frames() : nullptr;
    const std::int64_t until = plat::present::MonotonicNs() + kDrainNs;
    while (presenter && m_clock.InFlight() > 0 && plat::present::MonotonicNs() < until) {
        for (const plat::present::FrameReport& report : presenter->Collect(10)) {
            m_ledger.Add(report.verdict, report.timeNs);
            m_clock.Reported(report.verdict);
        }
    }
}

void CMotionRun::Restart()
{
    Drain();
    m_window.Remake();
    m_ledger.Restart();
    m_clock = {};
    m_frames.clear();
    m_showWhole = true;
}

bool CMotionRun::Frame(PatternHooks& hooks, double speed, const plat::Font& font, const DrawOver& drawOver)
{
    plat::present::Presenter* shown = m_window.Frames();
    if (!shown)
        return false;
    plat::present::Presenter& presenter = *shown;
    for (const plat::present::FrameReport& report : presenter.Collect(0)) {
        m_ledger.Add(report.verdict, report.timeNs);
        m_clock.Reported(report.verdict);
    }
    const plat::present::FrameBuffer buffer = presenter.Acquire(kAcquireMs);
    if (!buffer.pixels)
        return false;
    plat::Surface& pixels = *buffer.pixels;
    if (pixels.Bounds() != m_bounds) {
        m_bounds = pixels.Bounds();
        m_frames.clear();
        m_showWhole = true;
    }
    const int stripTop = std::max(0, m_bounds.bottom - kChipStrip);
    const plat::Rect area { 0, 0, m_bounds.right, stripTop };
    const plat::Rect strip { 0, stripTop, m_bounds.right, m_bounds.bottom };

    const motion::MotionFrame now { m_clock.Next(), RateHz(), speed };
    const motion::MotionFrame* before = Shown(buffer.age);
    plat::DeviceContext dc(pixels);
    motion::MotionDamage damage;
    hooks.DrawFrame(dc, area, now, before, damage);
    if (!before) {
        dc.FillSolidRect(strip, plat::RGB(0, 0, 0));
        damage.Add(strip);
        m_chipWidth = 0;
    }
    damage.Add(DrawChip(dc, strip, font));
    damage.Add(drawOver(dc, Reading()));

    const plat::Rect presented = m_showWhole || !before ? m_bounds : damage.Bounds().United(ChangedSince(buffer.age));
    if (!presenter.Present(presented, 0))
        return false;
    m_showWhole = false;
    m_clock.Presented();
    m_frames.push_back({ now, damage.Bounds() });
    if (m_frames.size() > kFramesKept)
        m_frames.pop_front();
    return true;
}

const motion::MotionFrame* CMotionRun::Shown(int age) const
{
    if (age <= 0 || static_cast<std::size_t>(age) > m_frames.size())
        return nullptr;
    return &m_frames[m_frames.size() - static_cast<std::size_t>(age)].frame;
}

plat::Rect CMotionRun::ChangedSince(int age) const
{
    plat::Rect changed;
    for (std::size_t i = m_frames.size() - static_cast<std::size_t>(age) + 1; i < m_frames.size(); ++i)
        changed = changed.United(m_frames[i].damage);
    return changed;
}

double CMotionRun::RateHz() const
{
    if (const plat::present::Presenter* presenter = m_window.Shown()) {
        const plat::present::NominalRate nominal = presenter->Nominal();
        if (nominal.kind == plat::present::NominalRate::Kind::Fixed && nominal.hz > 0)
            return nominal.hz;
    }
    // Rounded, so that the fit's last digits do not move the objects.
    if (std::optional<double> measured = m_ledger.MeasuredHz(); measured && *measured > 0)
        return std::round(*measured * 1000) / 1000;
    return kAssumedHz;
}

MotionReading CMotionRun::Reading() const
{
    MotionReading reading;
    reading.frames = m_ledger.Shown();
    reading.held = m_ledger.HeldFrames();
    reading.dropped = m_ledger.Dropped();
    reading.measuredHz = m_ledger.MeasuredHz();
    reading.deviationUs = m_ledger.IntervalDeviationUs();
    if (const plat::present::Presenter* presenter = m_window.Shown()) {
        const plat::present::NominalRate nominal = presenter->Nominal();
        reading.variable = nominal.kind == plat::present::NominalRate::Kind::Variable;
        reading.nominalHz = nominal.kind == plat::present::NominalRate::Kind::Fixed ? nominal.hz : 0;
        reading.source = presenter->Source();
    }
    return reading;
}

TimingHealth CMotionRun::Health() const { return m_ledger.Health(plat::present::MonotonicNs()); }

// The state in its colour, then the figures, in the strip's left corner;
// as wide as the widest drawn since the strip was last cleared, so a
// shorter text leaves nothing of a longer one behind.
plat::Rect CMotionRun::DrawChip(plat::DeviceContext& dc, const plat::Rect& strip, const plat::Font& font)
{
    if (strip.IsEmpty())
        return {};
    dc.SelectObject(font);
    const TimingHealth health = Health();
    const std::string state = " " + HealthWord(health) + " ";
    const std::string figures = " " + MotionFigures(Reading()) + " ";
    const plat::Size stateSize = dc.GetTextExtent(state);
    const int stateWidth = stateSize.cx;
    const int height = stateSize.cy;
    const int figuresWidth = dc.GetTextExtent(figures).cx;
    const int top = strip.top + (strip.Height() - height) / 2;
    const int width = std::max(m_chipWidth, stateWidth + figuresWidth);
    m_chipWidth = width;
    const plat::Rect chip { strip.left + kChipMargin, top, strip.left + kChipMargin + width, top + height };
    dc.FillSolidRect(chip, plat::RGB(32, 32, 32));
    const plat::COLORREF text = dc.SetTextColor(plat::RGB(0, 0, 0));
    const plat::COLORREF back = dc.SetBkColor(HealthColour(health));
    dc.TextOut(chip.left, chip.top, state);
    dc.SetTextColor(plat::RGB(255, 255, 255));
    dc.SetBkColor(plat::RGB(32, 32, 32));
    dc.TextOut(chip.left + stateWidth, chip.top, figures);
    dc.SetTextColor(text);
    dc.SetBkColor(back);
    return chip;
}
