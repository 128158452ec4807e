// The test window's side of the guided inspection: starting and ending it,
// its keys first, and the marks of the window's monitor that each check
// takes and gives back.

#include "screentest/TestWnd.h"

#include "platform/ui/Monitors.h"
#include "screentest/InspectionGuide.h"

void CTestWnd::StartInspection()
{
    if (m_inspection)
        return;
    // The checks' pictures carry no information lines over the pixels
    // a person inspects.
    m_nShowInfoBefore = m_bShowInfo;
    m_bShowInfo = 0;
    CloseKeyMap();
    // The monitor by name from here on, so that its going is noticed even
    // when it was the primary screen.
    plat::MonitorInfo info;
    if (m_strMonitor.empty() && plat::GetMonitorInfo(m_nMonitor, &info))
        m_strMonitor = info.name;
    m_inspection = std::make_unique<CInspectionGuide>(*this);
    m_inspection->Begin();
}

bool CTestWnd::InspectionKey(unsigned key)
{
    if (!m_inspection || !m_inspection->OnKey(key))
        return false;
    if (m_inspection->Closed())
        EndInspection();
    return true;
}

void CTestWnd::EndInspection()
{
    std::unique_ptr<CInspectionGuide> inspection = std::move(m_inspection);
    m_bShowInfo = m_nShowInfoBefore;
    if (m_bInspectOnly) {
        inspection->Finish();
        OnCancel();
        return;
    }
    inspection->Restore();
}

const std::vector<DefectMark>& CTestWnd::PeekMarks()
{
    static const std::vector<DefectMark> none;
    const CDefectMarks* marks = CurrentMarks(false);
    return marks ? marks->All() : none;
}

std::vector<DefectMark> CTestWnd::TakeMarks()
{
    CDefectMarks* marks = CurrentMarks(false);
    if (!marks)
        return {};
    std::vector<DefectMark> taken = marks->All();
    marks->Clear();
    m_bMarksFull = false;
    return taken;
}

void CTestWnd::PutMarks(const std::vector<DefectMark>& marks)
{
    if (marks.empty())
        return;
    CDefectMarks* kept = CurrentMarks(true);
    kept->Clear();
    for (const DefectMark& mark : marks)
        kept->Add(mark);
}

void CTestWnd::RedrawOverlays()
{
    TakePatternPicture();
    plat::Rect client;
    GetClientRect(&client);
    RestoreArea(client);
}
