#include "screentest/InspectionGuide.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/intl/Translate.h"
#include "platform/ui/Messages.h"
#include "screentest/ChartSquares.h"
#include "screentest/InspectionReport.h"
#include "screentest/MotionReading.h"
#include "screentest/Patterns.h"
#include "screentest/ReportPlaces.h"
#include "screentest/TestWnd.h"
#include "screentest/VerdictText.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kTitleFontHeight = 32;
constexpr int kTitleFontWidth = 16;
constexpr int kLineGap = 24;
constexpr int kTextLeft = 100;
constexpr int kTextTop = 100;
// The picked square's frame: its width and its distance from the square.
constexpr int kFrameWidth = 3;
constexpr int kFrameGap = 4;
constexpr plat::COLORREF kScreenBack = plat::RGB(32, 32, 32);
constexpr plat::COLORREF kScreenText = plat::RGB(255, 255, 255);
constexpr plat::COLORREF kFrame = plat::RGB(255, 0, 0);
// Black, under the screens drawn instead of a pattern.
constexpr std::string_view kStillPattern = "dead-pixel";
constexpr int kStillStep = 1;

constexpr std::string_view kAnswerKeys
    = plat::TranslateLater("空格 或 →: 正常, 下一项    D: 发现缺陷    S: 跳过    Backspace: 上一项    F1: 说明    Esc: 停止");
constexpr std::string_view kMarkKeys = plat::TranslateLater("发现缺陷后: M 或鼠标中键 标记像素    Z: 放大镜    C: 清除标记");
constexpr std::string_view kPickKeys
    = plat::TranslateLater("← →: 选择方块    Enter: 确定, 下一项    S: 跳过    Backspace: 上一项    F1: 说明    Esc: 停止");
constexpr std::string_view kMotionKeys = plat::TranslateLater("S: 跳过    Backspace: 上一项    F1: 说明    Esc: 停止");

std::string_view KeysOf(CheckKind kind)
{
    switch (kind) {
    case CheckKind::Answer:
        return kAnswerKeys;
    case CheckKind::Motion:
        return kMotionKeys;
    case CheckKind::PickDarkest:
    case CheckKind::PickLightest:
    case CheckKind::PickGamma:
        break;
    }
    return kPickKeys;
}

constexpr std::string_view kPickReminder = plat::TranslateLater("← →: 选择方块    Enter: 确定    F1: 说明");

// A printf format from the catalogue (plat::TranslateFormat) filled with `args`.
template <typename... Args>
std::string Filled(const std::string& text, Args... args)
{
    const int length = std::snprintf(nullptr, 0, text.c_str(), args...);
    if (length < 0)
        return text;
    std::string line(static_cast<std::size_t>(length) + 1, '\0');
    (void)std::snprintf(line.data(), line.size(), text.c_str(), args...);
    line.resize(static_cast<std::size_t>(length));
    return line;
}

// The length of the UTF-8 character starting with byte `lead`.
std::size_t CharLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    return lead >= 0xC0 ? 2 : 1;
}

// `line` cut into lines no wider than `width` on `dc`: after the last space
// that fits, else (Chinese has no spaces) after the last character that fits.
std::vector<std::string> Wrapped(const plat::DeviceContext& dc, const std::string& line, int width)
{
    std::vector<std::string> lines;
    std::string rest = line;
    while (dc.GetTextExtent(rest).cx > width) {
        std::size_t fits = 0;
        std::size_t space = 0;
        for (std::size_t at = 0; at < rest.size();) {
            const std::size_t next = std::min(rest.size(), at + CharLength(static_cast<unsigned char>(rest[at])));
            if (dc.GetTextExtent(std::string_view(rest).substr(0, next)).cx > width)
                break;
            fits = next;
            if (rest[at] == ' ')
                space = next;
            at = next;
        }
        const std::size_t cut = space > 0 ? space : std::max<std::size_t>(fits, 1);
        lines.push_back(rest.substr(0, cut));
        rest.erase(0, cut);
    }
    lines.push_back(rest);
    return lines;
}

void SplitLines(const std::string& text, std::vector<std::string>* lines)
{
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines->push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

}

CInspectionGuide::CInspectionGuide(CTestWnd& wnd)
    : m_wnd(wnd)
    , m_inspection(InspectionChecks())
{
}

void CInspectionGuide::Begin()
{
    m_monitor = IdentifyTestedMonitor(m_wnd.Monitor());
    m_patternBefore = m_wnd.CurrentPattern();
    m_stepBefore = m_wnd.Step();
    m_marksBefore = m_wnd.TakeMarks();
    Show();
}

bool CInspectionGuide::OnKey(unsigned key)
{
    std::vector<plat::Point> marks;
    for (const DefectMark& mark : m_wnd.PeekMarks())
        marks.push_back(mark.at);
    m_inspection.SetMarks(std::move(marks));
    switch (m_inspection.Press(key)) {
    case CInspection::Effect::Pass:
        return false;
    case CInspection::Effect::None:
        break;
    case CInspection::Effect::Overlay:
        m_wnd.RedrawOverlays();
        break;
    case CInspection::Effect::Screen:
        if (m_inspection.CurrentPhase() == CInspection::Phase::Done)
            WriteReport();
        Show();
        break;
    case CInspection::Effect::Close:
        m_bClosed = true;
        break;
    }
    return true;
}

void CInspectionGuide::Show()
{
    // The motion check measures for its time from when its picture shows.
    if (m_inspection.Measuring())
        m_wnd.SetTimer(kInspectionTimer, kMotionCheckMs);
    else
        m_wnd.KillTimer(kInspectionTimer);
    // Each check holds its own marks; the window shows the current one's.
    std::vector<DefectMark> marks;
    m_wnd.TakeMarks();
    if (m_inspection.CurrentPhase() == CInspection::Phase::Done) {
        ShowStill();
        return;
    }
    const CheckPicture& picture = m_inspection.Picture();
    for (plat::Point at : m_inspection.Marks())
        marks.push_back({ at, std::string(picture.pattern), picture.step, 0 });
    m_wnd.PutMarks(marks);
    const Pattern* pattern = FindPattern(picture.pattern);
    if (m_inspection.CurrentPhase() != CInspection::Phase::Picture || !pattern) {
        ShowStill();
        return;
    }
    m_wnd.ShowPattern(*pattern, picture.step);
}

void CInspectionGuide::ShowStill()
{
    // A pattern that does not move lies under the screens drawn instead of
    // it, so a moving one's frames never cover them.
    if (const Pattern* still = FindPattern(kStillPattern))
        m_wnd.ShowPattern(*still, kStillStep);
}

void CInspectionGuide::OnTimer()
{
    m_wnd.KillTimer(kInspectionTimer);
    const std::optional<MotionReading> reading = m_wnd.Motion();
    MotionFigures figures;
    if (reading) {
        figures.refreshHz = reading->measuredHz.value_or(reading->nominalHz);
        figures.framesHeld = static_cast<int>(reading->held);
        figures.framesDropped = static_cast<int>(reading->dropped);
    }
    if (m_inspection.Measured(figures) != CInspection::Effect::Screen)
        return;
    if (m_inspection.CurrentPhase() == CInspection::Phase::Done)
        WriteReport();
    Show();
}

void CInspectionGuide::MonitorGone()
{
    if (m_inspection.CurrentPhase() == CInspection::Phase::Done)
        return;
    std::vector<plat::Point> marks;
    for (const DefectMark& mark : m_wnd.PeekMarks())
        marks.push_back(mark.at);
    m_inspection.SetMarks(std::move(marks));
    m_bMonitorGone = true;
    m_inspection.Stop();
    WriteReport();
    // The last screen, over a still pattern: a moving one's frames stop.
    Show();
}

void CInspectionGuide::Finish()
{
    if (m_inspection.CurrentPhase() != CInspection::Phase::Done) {
        std::vector<plat::Point> marks;
        for (const DefectMark& mark : m_wnd.PeekMarks())
            marks.push_back(mark.at);
        m_inspection.SetMarks(std::move(marks));
        m_inspection.Stop();
    }
    WriteReport();
    m_wnd.TakeMarks();
    m_wnd.PutMarks(m_marksBefore);
}

void CInspectionGuide::Restore()
{
    m_wnd.TakeMarks();
    m_wnd.PutMarks(m_marksBefore);
    if (m_patternBefore)
        m_wnd.ShowPattern(*m_patternBefore, m_stepBefore);
}

void CInspectionGuide::WriteReport()
{
    if (m_report)
        return;
    m_record = m_inspection.Record(m_monitor);
    m_report = WriteInspectionReport(ReportPlaces(), *m_record, std::time(nullptr));
}

bool CInspectionGuide::HasOverlay() const
{
    if (m_inspection.CurrentPhase() != CInspection::Phase::Picture)
        return false;
    const CheckKind kind = m_inspection.Current().kind;
    return kind == CheckKind::Answer ? m_inspection.DefectFound() : kind != CheckKind::Motion;
}

bool CInspectionGuide::DrawInstead(plat::DeviceContext& dc, const plat::Rect& client, const plat::Font& font)
{
    const CheckSpec& check = m_inspection.Current();
    std::vector<std::string> lines;
    switch (m_inspection.CurrentPhase()) {
    case CInspection::Phase::Picture:
        return false;
    case CInspection::Phase::Instruction:
        lines.push_back(plat::Translate(check.instruction));
        lines.emplace_back();
        lines.push_back(plat::Translate(KeysOf(check.kind)));
        if (check.kind == CheckKind::Answer)
            lines.push_back(plat::Translate(kMarkKeys));
        lines.emplace_back();
        lines.push_back(plat::Translate("按空格开始这一项。"));
        DrawLines(dc, client, font,
            Filled(plat::TranslateFormat("检查 %d / %d: %s"), static_cast<int>(m_inspection.Index() + 1),
                static_cast<int>(m_inspection.CheckCount()), plat::Translate(check.title).c_str()),
            lines);
        return true;
    case CInspection::Phase::Stopping:
        lines.push_back(plat::Translate("已完成的检查会写入报告。"));
        lines.emplace_back();
        lines.push_back(plat::Translate("Esc 或 Enter: 停止    其他键: 继续检查"));
        DrawLines(dc, client, font, plat::Translate("停止检查?"), lines);
        return true;
    case CInspection::Phase::Done:
        break;
    }
    std::string title = plat::Translate("检查完成");
    if (m_bMonitorGone)
        title = plat::Translate("显示器已断开, 检查已停止");
    else if (m_inspection.Stopped())
        title = plat::Translate("检查已停止");
    DrawLines(dc, client, font, title, LastScreenLines());
    return true;
}

std::vector<std::string> CInspectionGuide::LastScreenLines() const
{
    std::vector<std::string> lines;
    if (!m_record)
        return lines;
    const InspectionRecord& record = *m_record;
    const MonitorIdentity& monitor = record.monitor;
    lines.push_back(Filled(plat::TranslateFormat("显示器: %s  %d x %d"), monitor.name.c_str(), monitor.width, monitor.height));
    lines.emplace_back();
    // The sentence names the class; the counts follow it.
    const std::optional<PixelFaultClass> verdict = PixelFaultVerdict(record);
    lines.push_back(VerdictSentence(verdict));
    const PixelFaultCounts counts = CountPixelFaults(PixelFaultsOf(record));
    lines.push_back(Filled(plat::TranslateFormat("亮点 %d   暗点 %d   子像素缺陷 %d   亮点或暗点簇 %d   子像素簇 %d"), counts.lit, counts.dark,
        counts.subPixel, counts.litOrDarkClusters, counts.subPixelClusters));
    lines.emplace_back();
    const std::string unknown = "-";
    const std::string darkest = record.darkestLevel ? std::to_string(*record.darkestLevel) : unknown;
    const std::string lightest = record.lightestLevel ? std::to_string(*record.lightestLevel) : unknown;
    char gamma[16] = "-";
    if (record.gamma)
        (void)std::snprintf(gamma, sizeof gamma, "%.1f", *record.gamma);
    lines.push_back(Filled(plat::TranslateFormat("最暗可辨的灰阶: %s   最亮可辨的灰阶: %s   伽马: %s"), darkest.c_str(), lightest.c_str(), gamma));
    if (record.motion) {
        char hz[16];
        (void)std::snprintf(hz, sizeof hz, "%.2f", record.motion->refreshHz);
        lines.push_back(Filled(plat::TranslateFormat("刷新率: %s Hz   保持的帧: %d   丢弃的帧: %d"), hz,
            record.motion->framesHeld, record.motion->framesDropped));
    }
    lines.emplace_back();
    if (m_report && m_report->folder.empty()) {
        SplitLines(plat::Translate("无法写入检查报告:\n") + ReportFailuresText(m_report->failures), &lines);
    } else if (m_report) {
        if (!m_report->failures.empty())
            SplitLines(plat::Translate("无法写入:\n") + ReportFailuresText(m_report->failures), &lines);
        lines.push_back(plat::Translate("检查报告已保存在:"));
        lines.push_back(m_report->folder);
    }
    lines.emplace_back();
    lines.push_back(m_patternBefore ? plat::Translate("按任意键回到测试。") : plat::Translate("按任意键结束。"));
    return lines;
}

void CInspectionGuide::DrawLines(plat::DeviceContext& dc, const plat::Rect& client, const plat::Font& font,
    const std::string& title, const std::vector<std::string>& lines)
{
    if (m_titleFont.IsNull())
        m_titleFont.CreateFont(kTitleFontHeight, kTitleFontWidth, 0, 0, plat::FW_DONTCARE, 0, 0, 0, plat::ANSI_CHARSET,
            plat::OUT_DEFAULT_PRECIS, plat::CLIP_DEFAULT_PRECIS, plat::DEFAULT_QUALITY, plat::DEFAULT_PITCH, "宋体");
    dc.FillSolidRect(client, kScreenBack);
    const plat::COLORREF text = dc.SetTextColor(kScreenText);
    const plat::COLORREF back = dc.SetBkColor(kScreenBack);
    dc.SelectObject(m_titleFont);
    dc.TextOut(kTextLeft, kTextTop, title);
    dc.SelectObject(font);
    int y = kTextTop + kTitleFontHeight + kLineGap;
    const int width = std::max(client.Width() - 2 * kTextLeft, kTextLeft);
    for (const std::string& line : lines) {
        for (const std::string& part : Wrapped(dc, line, width)) {
            dc.TextOut(kTextLeft, y, part);
            y += kLineGap;
        }
    }
    dc.SetTextColor(text);
    dc.SetBkColor(back);
}

void CInspectionGuide::DrawOver(plat::DeviceContext& dc, const plat::Rect& client, const plat::Font& font)
{
    if (!HasOverlay())
        return;
    const CheckSpec& check = m_inspection.Current();
    std::string line;
    if (check.kind == CheckKind::Answer) {
        line = plat::Translate(" 已记为有缺陷: M 或鼠标中键 标记像素, Z 放大镜, 空格 下一项 ");
    } else {
        const plat::Rect square = check.kind == CheckKind::PickGamma ? GammaChartSquare(client, m_inspection.Selection())
                                                                     : BlackLevelSquare(client, m_inspection.Selection());
        const int out = kFrameGap + kFrameWidth;
        const plat::Rect frame { square.left - out, square.top - out, square.right + out, square.bottom + out };
        dc.FillSolidRect({ frame.left, frame.top, frame.right, frame.top + kFrameWidth }, kFrame);
        dc.FillSolidRect({ frame.left, frame.bottom - kFrameWidth, frame.right, frame.bottom }, kFrame);
        dc.FillSolidRect({ frame.left, frame.top, frame.left + kFrameWidth, frame.bottom }, kFrame);
        dc.FillSolidRect({ frame.right - kFrameWidth, frame.top, frame.right, frame.bottom }, kFrame);
        line = " " + plat::Translate(check.title) + "    " + plat::Translate(kPickReminder) + " ";
    }
    dc.SelectObject(font);
    const plat::COLORREF text = dc.SetTextColor(kScreenText);
    const plat::COLORREF back = dc.SetBkColor(kScreenBack);
    const plat::BkMode mode = dc.SetBkMode(plat::OPAQUE);
    dc.TextOut(kTextLeft, kTextTop, line);
    dc.SetTextColor(text);
    dc.SetBkColor(back);
    dc.SetBkMode(mode);
}
