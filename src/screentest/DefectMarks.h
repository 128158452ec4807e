#pragma once

// The pixels a person marked as defective on one monitor during a test: at
// most kMaxMarks, at most one per pixel, in the order they were made.

#include "platform/Types.h"

#include <cstddef>
#include <string>
#include <vector>

struct DefectMark {
    plat::Point at;      // in the monitor's pixels
    std::string pattern; // the pattern's command-line name
    int step = 0;
    plat::COLORREF color = 0; // the pixel as the pattern drew it
};

class CDefectMarks {
public:
    static constexpr std::size_t kMaxMarks = 1000;

    enum class Change { Added,
        Removed,
        Unchanged,
        Refused };

    // Removes the mark on the mark's pixel if there is one, else adds it.
    Change Toggle(const DefectMark& mark);
    // Adds the mark unless its pixel is marked already.
    Change Add(const DefectMark& mark);
    void Clear() { m_marks.clear(); }

    const std::vector<DefectMark>& All() const { return m_marks; }
    bool IsEmpty() const { return m_marks.empty(); }

private:
    std::vector<DefectMark>::iterator Find(plat::Point at);

    std::vector<DefectMark> m_marks;
};
