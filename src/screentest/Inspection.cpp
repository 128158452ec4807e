#include "screentest/Inspection.h"

#include "platform/intl/Translate.h"
#include "platform/ui/Messages.h"
#include "screentest/InspectionReadings.h"

#include <algorithm>

namespace {

bool IsForward(unsigned key) { return key == plat::VK_SPACE || key == plat::VK_RIGHT || key == plat::VK_RETURN; }

// The window's own keys inside a check's picture: marks, clearing them, the loupe.
bool IsMarkKey(unsigned key) { return key == 'M' || key == 'C' || key == 'Z'; }

}

CInspection::CInspection(std::span<const CheckSpec> checks)
    : m_checks(checks)
    , m_state(checks.size())
{
    // A light square is picked from the white end, where clipping shows.
    for (std::size_t i = 0; i < checks.size(); ++i)
        if (checks[i].kind == CheckKind::PickLightest)
            m_state[i].selection = PickSquares(checks[i].kind) - 1;
}

void CInspection::SetMarks(std::vector<plat::Point> marks)
{
    if (m_phase != Phase::Done)
        m_state[m_index].marks = std::move(marks);
}

void CInspection::Stop()
{
    if (m_phase == Phase::Done)
        return;
    m_bStopped = true;
    m_phase = Phase::Done;
}

CInspection::Effect CInspection::Press(unsigned key)
{
    switch (m_phase) {
    case Phase::Done:
        return Effect::Close;
    case Phase::Stopping:
        if (key == plat::VK_ESCAPE || key == plat::VK_RETURN || key == 'Y') {
            Stop();
        } else {
            m_phase = m_phaseBeforeStop;
        }
        return Effect::Screen;
    case Phase::Instruction:
    case Phase::Picture:
        break;
    }
    if (key == plat::VK_ESCAPE) {
        m_phaseBeforeStop = m_phase;
        m_phase = Phase::Stopping;
        return Effect::Screen;
    }
    if (key == plat::VK_BACK)
        return Back();
    if (key == 'S')
        return Answer(CheckAnswer::Skipped);
    if (m_phase == Phase::Instruction) {
        if (!IsForward(key) && key != plat::VK_F1)
            return Effect::None;
        m_phase = Phase::Picture;
        return Effect::Screen;
    }
    return PressOnPicture(key);
}

CInspection::Effect CInspection::PressOnPicture(unsigned key)
{
    CheckState& state = m_state[m_index];
    const CheckSpec& check = Current();
    if (key == plat::VK_F1) {
        m_phase = Phase::Instruction;
        return Effect::Screen;
    }
    // The motion check waits for its time: only S, Backspace and Escape.
    if (check.kind == CheckKind::Motion)
        return Effect::None;
    if (IsMarkKey(key))
        return Effect::Pass;
    if (check.kind != CheckKind::Answer) {
        const int last = PickSquares(check.kind) - 1;
        if (key == plat::VK_LEFT || key == plat::VK_RIGHT) {
            const int moved = std::clamp(state.selection + (key == plat::VK_LEFT ? -1 : 1), 0, last);
            if (moved == state.selection)
                return Effect::None;
            state.selection = moved;
            return Effect::Overlay;
        }
        if (key == plat::VK_RETURN || key == plat::VK_SPACE) {
            state.picked = state.selection;
            return Answer(CheckAnswer::Fine);
        }
        return Effect::None;
    }
    if (key == 'D') {
        if (state.defect)
            return Effect::None;
        state.defect = true;
        return Effect::Overlay;
    }
    if (key == plat::VK_LEFT && m_picture > 0) {
        --m_picture;
        return Effect::Screen;
    }
    if (!IsForward(key))
        return Effect::None;
    if (m_picture + 1 < check.pictures.size()) {
        ++m_picture;
        return Effect::Screen;
    }
    return Answer(state.defect || !state.marks.empty() ? CheckAnswer::Defect : CheckAnswer::Fine);
}

CInspection::Effect CInspection::Measured(const MotionFigures& figures)
{
    if (!Measuring())
        return Effect::None;
    m_state[m_index].motion = figures;
    return Answer(CheckAnswer::Fine);
}

CInspection::Effect CInspection::Answer(CheckAnswer answer)
{
    CheckState& state = m_state[m_index];
    state.answer = answer;
    if (answer == CheckAnswer::Skipped) {
        state.picked.reset();
        state.motion.reset();
    }
    if (m_index + 1 == m_checks.size()) {
        m_phase = Phase::Done;
        return Effect::Screen;
    }
    return Enter(m_index + 1);
}

CInspection::Effect CInspection::Back()
{
    if (m_index == 0) {
        if (m_phase == Phase::Instruction)
            return Effect::None;
        m_phase = Phase::Instruction;
        m_picture = 0;
        return Effect::Screen;
    }
    // The previous check is made again: its answer is open until given anew.
    Effect effect = Enter(m_index - 1);
    m_state[m_index].answer.reset();
    return effect;
}

CInspection::Effect CInspection::Enter(std::size_t index)
{
    m_index = index;
    m_picture = 0;
    m_phase = Phase::Instruction;
    return Effect::Screen;
}

InspectionRecord CInspection::Record(const MonitorIdentity& monitor) const
{
    InspectionRecord record;
    record.monitor = monitor;
    for (std::size_t i = 0; i < m_checks.size(); ++i) {
        const CheckState& state = m_state[i];
        std::optional<CheckAnswer> answer = state.answer;
        // The check under way when the inspection stopped keeps what it found.
        if (!answer && m_bStopped && i == m_index && (state.defect || !state.marks.empty()))
            answer = CheckAnswer::Defect;
        if (!answer)
            continue;
        const CheckSpec& check = m_checks[i];
        record.checks.push_back({ std::string(check.name), *answer, check.marksAre, state.marks, plat::Translate(check.title) });
        if (state.motion)
            record.motion = state.motion;
        if (!state.picked)
            continue;
        const auto square = static_cast<std::size_t>(*state.picked);
        switch (check.kind) {
        case CheckKind::PickDarkest:
            record.darkestLevel = DarkestLevel(square);
            break;
        case CheckKind::PickLightest:
            record.lightestLevel = LightestLevel(square);
            break;
        case CheckKind::PickGamma:
            record.gamma = GammaOfSquare(square);
            break;
        case CheckKind::Answer:
        case CheckKind::Motion:
            break;
        }
    }
    return record;
}
