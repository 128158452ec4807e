// The guided inspection's course for a table of key sequences as a person
// presses them: which checks end up answered how, with how many marks of
// which type, the levels and gamma picked, and where the inspection
// stands. Keys: ' ' Space, '>' Right, '<' Left, 'E' Enter, 'B' Backspace,
// 'X' Escape, 'F' F1, 'D', 'S', 'M' (the window's: not taken); 'm' puts
// one more mark on the current check, as the window reports its marks;
// 'T' is the motion check's time run out.

#include "screentest/Inspection.h"

#include "platform/ui/Messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

unsigned KeyOf(char c)
{
    switch (c) {
    case ' ':
        return plat::VK_SPACE;
    case '>':
        return plat::VK_RIGHT;
    case '<':
        return plat::VK_LEFT;
    case 'E':
        return plat::VK_RETURN;
    case 'B':
        return plat::VK_BACK;
    case 'X':
        return plat::VK_ESCAPE;
    case 'F':
        return plat::VK_F1;
    default:
        return static_cast<unsigned>(c);
    }
}

// "name answer marks type" per check of the record, one a line.
std::string Checks(const InspectionRecord& record)
{
    std::string text;
    for (const InspectionCheck& check : record.checks)
        text += check.name + " " + std::string(CheckAnswerName(check.answer)) + " " + std::to_string(check.marks.size())
            + " " + std::to_string(static_cast<int>(check.marksAre)) + "\n";
    if (record.motion)
        text += "figures " + std::to_string(record.motion->framesHeld) + " " + std::to_string(record.motion->framesDropped)
            + "\n";
    return text;
}

}

TEST(Inspection, KeySequences)
{
    using Phase = CInspection::Phase;
    // Every check answered fine: instruction and pictures (1, 1, 3, 4, the
    // three charts, 2, 1), the dark pick at the first square, the light one
    // where it starts (the last), the gamma square two to the right, and
    // the motion check that no key answers, only its time.
    const std::string allFine = "  "
                                "  "
                                "    "
                                "     "
                                " E"
                                " E"
                                " >>E"
                                "   "
                                "  "
                                " > T";
    const std::string allFineChecks = "lit-pixels fine 0 1\ndark-pixels fine 0 2\nsub-pixels fine 0 3\nuniformity fine 0 0\n"
                                      "black-level fine 0 0\nwhite-saturation fine 0 0\ngamma fine 0 0\n"
                                      "sharpness fine 0 0\ngeometry fine 0 0\nmotion fine 0 0\nfigures 1 2\n";
    struct Case {
        const char* what;
        std::string keys;
        Phase phase;
        std::string checks;
        int darkest = -1; // -1: none picked
        int lightest = -1;
        double gamma = 0; // 0: none picked
    };
    const Case cases[] = {
        { "every check fine", allFine, Phase::Done, allFineChecks, 1, 254, std::log(0.5) / std::log(186.0 / 255) },
        { "a defect with marks, typed by its check", " Dmm "
                                                     " mm ",
            Phase::Instruction,
            "lit-pixels defect 2 1\ndark-pixels defect 2 2\n" },
        { "marks alone answer defect", " m ", Phase::Instruction, "lit-pixels defect 1 1\n" },
        { "D with no marks is still a defect", " D ", Phase::Instruction, "lit-pixels defect 0 1\n" },
        { "the window's keys pass, others do nothing", " MNPZ\tI ", Phase::Instruction, "lit-pixels fine 0 1\n" },
        { "skip from the instruction and from a picture", "S S", Phase::Instruction,
            "lit-pixels skipped 0 1\ndark-pixels skipped 0 2\n" },
        { "back opens the previous check again", "  B", Phase::Instruction, "" },
        { "back then answered anew", "S B  ", Phase::Instruction, "lit-pixels fine 0 1\n" },
        { "back on the first check's picture: its instruction", " B", Phase::Instruction, "" },
        { "F1 shows the instruction, Space returns to the picture", " F m ", Phase::Instruction,
            "lit-pixels defect 1 1\n" },
        { "Left goes back a picture within a check", "    "
                                                     "  <",
            Phase::Picture, "lit-pixels fine 0 1\ndark-pixels fine 0 2\n" },
        { "Escape asks; another key goes on", " XD", Phase::Picture, "" },
        { "Escape twice stops, keeping the check under way", " DmX"
                                                             "X",
            Phase::Done, "lit-pixels defect 1 1\n" },
        { "Escape and Enter stops", "  XE", Phase::Done, "lit-pixels fine 0 1\n" },
        { "a stopped check without findings is left out", " X"
                                                          "X",
            Phase::Done, "" },
        { "picks clamp at both ends", allFine.substr(0, 13) + "<<<E"
                                                              " >>>E"
                                                              " <<<<<<<E",
            Phase::Instruction,
            allFineChecks.substr(0, allFineChecks.find("sharpness")), 1, 254, std::log(0.5) / std::log(174.0 / 255) },
        { "a skipped pick records no level", allFine.substr(0, 13) + "S"
                                                                     " E",
            Phase::Instruction,
            "lit-pixels fine 0 1\ndark-pixels fine 0 2\nsub-pixels fine 0 3\nuniformity fine 0 0\n"
            "black-level skipped 0 0\nwhite-saturation fine 0 0\n",
            -1, 254 },
        { "the motion check skipped records no figures", allFine.substr(0, allFine.size() - 4) + " S", Phase::Done,
            allFineChecks.substr(0, allFineChecks.find("motion")) + "motion skipped 0 0\n", 1, 254,
            std::log(0.5) / std::log(186.0 / 255) },
        { "the time of a motion check not shown measures nothing", "T", Phase::Instruction, "" },
        { "after the last screen any key closes", allFine + "Z", Phase::Done, allFineChecks, 1, 254,
            std::log(0.5) / std::log(186.0 / 255) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CInspection inspection(InspectionChecks());
        std::vector<plat::Point> marks;
        std::size_t checkOfMarks = 0;
        CInspection::Effect last = CInspection::Effect::None;
        for (char key : c.keys) {
            if (inspection.Index() != checkOfMarks) {
                marks = inspection.Marks();
                checkOfMarks = inspection.Index();
            }
            if (key == 'm') {
                marks.push_back({ static_cast<int>(marks.size()) * 10, 5 });
                continue;
            }
            if (key == 'T') {
                last = inspection.Measured({ 59.94, 1, 2 });
                continue;
            }
            inspection.SetMarks(marks);
            last = inspection.Press(KeyOf(key));
            if (key == 'M' || key == 'Z') {
                EXPECT_EQ(last, inspection.CurrentPhase() == Phase::Done ? CInspection::Effect::Close : CInspection::Effect::Pass);
            }
        }
        EXPECT_EQ(inspection.CurrentPhase(), c.phase);
        const InspectionRecord record = inspection.Record({});
        EXPECT_EQ(Checks(record), c.checks);
        EXPECT_EQ(record.darkestLevel.value_or(-1), c.darkest);
        EXPECT_EQ(record.lightestLevel.value_or(-1), c.lightest);
        EXPECT_NEAR(record.gamma.value_or(0), c.gamma, 1e-9);
    }
}
