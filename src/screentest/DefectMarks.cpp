#include "screentest/DefectMarks.h"

#include <algorithm>

std::vector<DefectMark>::iterator CDefectMarks::Find(plat::Point at)
{
    return std::find_if(m_marks.begin(), m_marks.end(),
        [at](const DefectMark& m) { return m.at.x == at.x && m.at.y == at.y; });
}

CDefectMarks::Change CDefectMarks::Toggle(const DefectMark& mark)
{
    auto found = Find(mark.at);
    if (found == m_marks.end())
        return Add(mark);
    m_marks.erase(found);
    return Change::Removed;
}

CDefectMarks::Change CDefectMarks::Add(const DefectMark& mark)
{
    if (Find(mark.at) != m_marks.end())
        return Change::Unchanged;
    if (m_marks.size() >= kMaxMarks)
        return Change::Refused;
    m_marks.push_back(mark);
    return Change::Added;
}
