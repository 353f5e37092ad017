#include "views/TapList.h"

#include "document/KDRDoc.h"
#include "models/NumberFormat.h"
#include "resources/StringTable.h"

namespace {

constexpr unsigned kStrLineTap = 61656;
constexpr unsigned kStrOhms = 61657;
constexpr unsigned kStrWatt = 61658;
constexpr unsigned kStrTap = 61659;
constexpr const char* kNumberHeading = "No";

}  // namespace

CTapList::CTapList(CKDRDoc* doc, IReportListControl& list) : m_doc(doc), m_list(list)
{
}

void CTapList::OnInitialUpdate()
{
    m_list.InsertColumn(0, kNumberHeading, kNumberColumnWidth);
    m_list.InsertColumn(1, LoadStringId(kStrTap), kTapColumnWidth);
    FillList();
}

std::string CTapList::FormatTap(const CSpeakerModel& model, int i)
{
    std::string text = FormatNumber(model.GetTapValue(i), 4);
    text += LoadStringId(model.IsLowImpedanceTap(i) ? kStrOhms : kStrLineTap);
    text += FormatNumber(model.GetTapPower(i), 4);
    text += LoadStringId(kStrWatt);
    return text;
}

void CTapList::FillList()
{
    m_list.DeleteAllItems();
    if (!m_doc)
        return;
    const CSpeakerModel* model = m_doc->m_models.GetCurrent();
    if (!model)
        return;
    for (int i = 0; i < model->GetTapCount(); ++i) {
        m_list.InsertItem(i, FormatNumber(i + 1, 4));
        m_list.SetItemText(i, 1, FormatTap(*model, i));
    }
    SelectCurrentRow();
}

void CTapList::OnUpdate(long hint)
{
    if (hint == kHintTapList)
        FillList();
}

void CTapList::SelectCurrentRow()
{
    if (!m_doc)
        return;
    const CSpeakerModel* model = m_doc->m_models.GetCurrent();
    if (!model)
        return;
    const int current = model->GetCurrentTap();
    if (current < 0 || current >= m_list.GetItemCount())
        return;
    m_list.SelectItem(current);
    m_list.EnsureVisible(current);
}

void CTapList::OnLButtonDown(const CListRowGeometry& g, int x, int y)
{
    if (!m_doc)
        return;
    CSpeakerModel* model = m_doc->m_models.GetCurrent();
    if (!model)
        return;
    const int row = HitTestListRow(g, x, y);
    if (row < 0 || row >= model->GetTapCount()) {
        SelectCurrentRow();
        return;
    }
    ChooseRow(row);
}

void CTapList::ChooseRow(int row)
{
    CSpeakerModel* model = m_doc ? m_doc->m_models.GetCurrent() : nullptr;
    if (!model || row < 0 || row >= model->GetTapCount())
        return;
    m_list.SelectItem(row);
    model->SetCurrentTap(row);
}
