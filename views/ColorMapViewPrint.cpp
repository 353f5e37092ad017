// The printed caption of the SPL map and the table of installed speakers.

#include "views/ColorMapViewCore.h"

#include "document/ColorMapCondition.h"
#include "document/InstallationContainer.h"
#include "document/InstallationElement.h"
#include "document/KDRDoc.h"
#include "models/NumberFormat.h"
#include "models/SpeakerModel.h"

#include <algorithm>
#include <string>

namespace {

struct TableColumn {
    int offset;  // printer dots at the layout resolution right of the table's left edge
    const char* header;
    bool advanced;  // shown only in advanced mode
};

constexpr TableColumn kColumns[] = {
    {0, "No", false},
    {150, "Speaker Name", false},
    {1150, "X", false},
    {1450, "Y", false},
    {1750, "Z", false},
    {2050, "Azimuth(Left+)", true},
    {2500, "Elevation(Down+)", true},
    {3050, "Rotation(Right+)", true},
    {3550, "Power", true},
    {3850, "Polarity", true},
};
constexpr int kColumnCount = static_cast<int>(sizeof(kColumns) / sizeof(kColumns[0]));

// The row texts of installation number n (1-based), column by column.
void RowTexts(const CKDRDoc& doc, const CInstallationElement& element, int n, std::string (&texts)[kColumnCount])
{
    const std::string unit = doc.m_nLengthUnit == 1 ? "[ft]" : "[m]";
    const CSpeakerModel* model = doc.GetModels().GetAt(element.GetModelIndex());
    const CPoint3D& pos = element.GetPosition();
    const CPoint3D& angles = element.GetAngles();  // azimuth, rotation, elevation
    texts[0] = FormatNumber(n, 5);
    texts[1] = model ? model->GetName() + model->GetNameSuffix() : std::string();
    texts[2] = FormatNumber(pos.x, 4) + unit;
    texts[3] = FormatNumber(pos.y, 4) + unit;
    texts[4] = FormatNumber(pos.z, 4) + unit;
    texts[5] = FormatNumber(angles.x, 4) + "[deg]";
    texts[6] = FormatNumber(angles.z, 4) + "[deg]";
    texts[7] = FormatNumber(angles.y, 4) + "[deg]";
    texts[8] = FormatNumber(element.GetPower(), 4) + "[W]";
    texts[9] = element.GetPolarity() != 0 ? "Normal" : "Reverse";
}

}  // namespace

void CColorMapViewCore::DrawConditionCaption(IDrawingContext& dc, int h)
{
    if (m_doc.GetInstallations().GetCount() == 0)
        return;
    // The condition of the most recently activated map window names the map.
    if (const CColorMapCondition* current = m_doc.GetColorMapConditions().GetCurrent()) {
        const std::string mode = current->GetSumMode() == 0 ? "Interference" : "Energy";
        const std::string text = "This color mapping is shown @" + FormatNumber(current->GetFrequency(), 2) +
                                 "[Hz]" + " , " + GetBandName(current->GetBandFraction()) + " , " + mode;
        dc.TextOut(m_rectPrintMargin.left, TextLinePosition(28, h).y, text);
    }
    // The table begins four lines below the caption.
    m_nTableTop = TextLinePosition(32, h).y;
}

int CColorMapViewCore::CalcTablePageCount(int installations, int firstPageRows, int rowsPerPage)
{
    const int perPage = std::max(1, rowsPerPage - 1);
    const int rest = std::max(0, installations - std::max(0, firstPageRows));
    return 1 + (rest + perPage - 1) / perPage;
}

int CColorMapViewCore::GetFirstTablePageRows() const
{
    const int perPage = std::max(1, m_doc.m_nPrintRowsPerPage - 1);
    const int h = m_fontPrint.height;
    if (m_nPageHeight <= 0 || h <= 0)
        return perPage;
    // Below the header row (text line 32 under the map), the rows that end
    // above the page's lower edge.
    const int top = TextLinePosition(32, h).y;
    const int fit = (m_nPageHeight - top) / h - 1;
    return std::clamp(fit, 0, perPage);
}

void CColorMapViewCore::PrintInstallationTable(IDrawingContext& dc, CPrintInfo& info)
{
    const CKDRDoc& doc = m_doc;
    const CInstallationElementList& list = doc.GetInstallations().GetList();
    const int count = list.GetCount();
    const int page = info.m_nCurPage;
    // Without installations there is no table (and no caption to place it).
    if (count == 0 || page < 1) {
        info.m_nMaxPage = 1;
        info.m_bContinuePrinting = false;
        return;
    }
    const int perPage = std::max(1, doc.m_nPrintRowsPerPage - 1);
    const int firstRows = GetFirstTablePageRows();
    // The pages the rows need (the map decides how many fit on page 1).
    info.m_nMaxPage = CalcTablePageCount(count, firstRows, doc.m_nPrintRowsPerPage);
    // Page 1 lists the rows that fit under the map; every later page starts
    // at the table's top margin with up to a full page of rows.
    int first;
    int rows;
    int top;
    if (page == 1) {
        first = 1;
        rows = firstRows;
        top = m_nTableTop;
    } else {
        first = firstRows + perPage * (page - 2) + 1;
        rows = perPage;
        top = m_rectPrintTable.top;
    }
    const int last = std::min(count, first + rows - 1);
    if (last >= count)
        info.m_bContinuePrinting = false;
    if (first > last)
        return;

    const CFontSpec previous = dc.SelectFont(m_fontPrint);
    const int h = m_fontPrint.height;
    const bool advanced = doc.m_nAdvancedMode > 0;
    const int left = m_rectPrintTable.left;
    // The columns stand where they would on a printer of the layout
    // resolution, whatever resolution this printer took.
    const int resolution = dc.GetDeviceCaps(LOGPIXELSX);
    int x[kColumnCount];
    for (int c = 0; c < kColumnCount; ++c)
        x[c] = left + ToPrinterDots(kColumns[c].offset, resolution);
    for (int c = 0; c < kColumnCount; ++c) {
        if (!kColumns[c].advanced || advanced)
            dc.TextOut(x[c], top, kColumns[c].header);
    }
    std::string texts[kColumnCount];
    for (int n = first; n <= last; ++n) {
        const CInstallationElement* element = list.GetAt(n - 1);
        if (!element)
            break;
        RowTexts(doc, *element, n, texts);
        const int y = top + (n - first + 1) * h;
        for (int c = 0; c < kColumnCount; ++c) {
            if (!kColumns[c].advanced || advanced)
                dc.TextOut(x[c], y, texts[c]);
        }
    }
    dc.SelectFont(previous);
}
