#pragma once

// The guided inspection's course, with no window: which check and picture
// is shown, the instruction before each check, the answers, the squares
// picked and each check's marks. Keys arrive as virtual key codes and say
// what the window must do next; the record is built from the checks
// answered (and the one under way when it was stopped).

#include "platform/Types.h"
#include "screentest/InspectionChecks.h"
#include "screentest/InspectionRecord.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

class CInspection {
public:
    enum class Phase {
        Instruction, // the current check's instruction, on a screen of its own
        Picture,     // the check's picture, open to marks and the loupe
        Stopping,    // the question whether to stop
        Done,        // the last screen
    };

    // What the window does after a key.
    enum class Effect {
        Pass,    // not the inspection's key: the window's own (marks, loupe)
        None,    // taken, nothing changes on screen
        Overlay, // what is drawn over the picture changed
        Screen,  // another screen, check or picture
        Close,   // the last screen was left
    };

    explicit CInspection(std::span<const CheckSpec> checks);

    Effect Press(unsigned key);
    // The check's marks, as the window holds them, before each key.
    void SetMarks(std::vector<plat::Point> marks);
    // Ends the inspection where it is (the monitor went away).
    void Stop();
    // The motion check's picture has run its time: its figures, and on.
    Effect Measured(const MotionFigures& figures);
    // The motion check's picture is shown and measuring.
    bool Measuring() const { return m_phase == Phase::Picture && Current().kind == CheckKind::Motion; }

    Phase CurrentPhase() const { return m_phase; }
    const CheckSpec& Current() const { return m_checks[m_index]; }
    std::size_t Index() const { return m_index; }
    std::size_t CheckCount() const { return m_checks.size(); }
    const CheckPicture& Picture() const { return Current().pictures[m_picture]; }
    // The square framed on a pick check.
    int Selection() const { return m_state[m_index].selection; }
    bool DefectFound() const { return m_state[m_index].defect; }
    const std::vector<plat::Point>& Marks() const { return m_state[m_index].marks; }
    // Ended before its last check (Escape or the monitor gone).
    bool Stopped() const { return m_bStopped; }

    // The checks answered in order, and the one under way when stopped if
    // it has marks or a defect, with their typed marks, levels and gamma.
    InspectionRecord Record(const MonitorIdentity& monitor) const;

private:
    struct CheckState {
        std::optional<CheckAnswer> answer;
        bool defect = false;
        std::vector<plat::Point> marks;
        int selection = 0;
        std::optional<int> picked;
        std::optional<MotionFigures> motion;
    };

    Effect PressOnPicture(unsigned key);
    Effect Answer(CheckAnswer answer);
    Effect Back();
    Effect Enter(std::size_t index);

    std::span<const CheckSpec> m_checks;
    std::vector<CheckState> m_state;
    std::size_t m_index = 0;
    std::size_t m_picture = 0;
    Phase m_phase = Phase::Instruction;
    Phase m_phaseBeforeStop = Phase::Instruction;
    bool m_bStopped = false;
};
