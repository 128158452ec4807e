#include "widgets/SoftBar.h"

#include "links/SiblingPrograms.h"
#include "localdata/FieldList.h"
#include "localdata/TaggedFile.h"
#include "widgets/TextScan.h"

#include <algorithm>
#include <vector>

using namespace plat;

namespace {

constexpr std::string_view kDefaultCaption = "Brindle 软件 www.brindle.example —— 我们的软件全部永久免费";
constexpr std::string_view kColorPattern = "(%d,%d,%d),(%d,%d,%d),(%d,%d,%d)|(%d,%d,%d),(%d,%d,%d),(%d,%d,%d)"
                                           "|(%d,%d,%d),(%d,%d,%d),(%d,%d,%d)";
constexpr int kListCapacity = 100;
constexpr int kParsedHeight = 22;
// The row height when [TAMREL_README] does not start with a number.
constexpr int kUnreadRowHeight = 22;
constexpr std::size_t kCaptionWordBytes = 199;
// Widths beyond any screen are bounded so that ten of them, laid out side by
// side, keep every position inside the int range and each entry its width.
constexpr int kMaxWidth = 1 << 24;
// Every repaint measures and draws each caption whole; a caption longer than
// any entry can show is cut so that a hostile list cannot stall the window.
constexpr std::size_t kMaxCaptionBytes = 256;

// The list used when data\main.htm has none, in the list's own line form;
// the end row stops it.
std::vector<std::string> BuiltInList()
{
    auto row = [](const SiblingProgram& p) {
        return std::string(p.name) + "," + std::string(p.key) + "," + std::string(p.exe) + ",100,"
            + std::string(p.title);
    };
    return {
        row(kBrowser),
        row(kCleaner),
        row(kReader),
        row(kDownloader),
        row(kPlayer),
        row(kOrganiser),
        row(kLinkGame),
        "end," + std::string(kOrganiser.key) + "," + std::string(kOrganiser.exe) + ",80,",
    };
}

}

CSoftBar::CSoftBar()
    : m_strCaption(kDefaultCaption)
{
}

CSoftBar::~CSoftBar() = default;

int CSoftBar::Load(std::string_view identity)
{
    m_strMode = "tamrel";
    CTaggedFile file;
    file.Load("data\\main.htm");
    ReadColors(file.GetValue("[TAMREL_COLOR]"));
    ReadReadme(file.GetValue("[TAMREL_README]"));

    std::vector<std::string> lines(kListCapacity);
    const int count = file.GetList("[TAMREL_BEGIN]", "[TAMREL_END]", lines.data(), kListCapacity);
    if (count > 0) {
        for (int i = 0; i < count; ++i)
            ParseEntry(lines[static_cast<std::size_t>(i)], identity);
    } else {
        for (const std::string& row : BuiltInList())
            if (ParseEntry(row, identity) == -1)
                break;
    }
    Layout();
    return 0;
}

void CSoftBar::ReadColors(std::string_view value)
{
    if (value.empty())
        return;
    COLORREF* const colors[] = {
        &m_crFramePen,
        &m_crBack,
        &m_crCaptionText,
        &m_crItemPen,
        &m_crItemFace,
        &m_crItemText,
        &m_crHotPen,
        &m_crHotFace,
        &m_crHotText,
    };
    std::array<ScannedNumber, 27> numbers;
    const ScanResult scan = ScanFormat(value, kColorPattern, numbers);
    // Only colours whose three numbers were all read change.
    for (int k = 0; k < scan.numbers / 3; ++k) {
        const ScannedNumber* c = &numbers[3 * static_cast<std::size_t>(k)];
        *colors[k] = RGB(static_cast<int>(c[0].bits & 0xFF), static_cast<int>(c[1].bits & 0xFF),
            static_cast<int>(c[2].bits & 0xFF));
    }
}

void CSoftBar::ReadReadme(std::string_view value)
{
    if (value.empty())
        return;
    std::array<ScannedNumber, 2> numbers;
    numbers[0].value = kUnreadRowHeight;
    const ScanResult scan = ScanFormat(value, "%d,%d,", numbers);
    m_nRowHeight = numbers[0].value;
    m_strCaption = scan.complete ? std::string(ReadWord(value, scan.end, kCaptionWordBytes)) : std::string();
}

int CSoftBar::ParseEntry(std::string_view line, std::string_view identity)
{
    CFieldList fields;
    fields.Split(line, ',');
    if (fields.m_nCount < 4)
        return 1;
    const auto& f = fields.m_strFields;
    if (f[0] == "end")
        return -1;
    if (f[1] == identity)
        return 1;
    const int width = std::clamp(LeadingInt(f[3]), -kMaxWidth, kMaxWidth);
    const int index = AddEntry({ 0, 0, width, kParsedHeight }, CutAtCharacter(f[0], kMaxCaptionBytes));
    if (index == -1)
        return 1;
    SoftEntry& entry = m_entries[static_cast<std::size_t>(index)];
    entry.key = f[1];
    entry.exe = f[2];
    entry.title = fields.m_nCount > 4 ? f[4] : std::string();
    return 0;
}

int CSoftBar::AddEntry(const Rect& rect, std::string_view caption)
{
    if (m_nCount >= kMaxEntries)
        return -1;
    SoftEntry& entry = m_entries[static_cast<std::size_t>(m_nCount)];
    entry.rect = rect;
    entry.caption = caption;
    entry.hover = 0;
    return m_nCount++;
}

int CSoftBar::GetEntry(int index, std::string& title, std::string& key, std::string& exe) const
{
    if (index < 0 || index >= m_nCount)
        return 1;
    const SoftEntry& entry = m_entries[static_cast<std::size_t>(index)];
    title = entry.title;
    key = entry.key;
    exe = entry.exe;
    return 0;
}
