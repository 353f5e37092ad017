#include "views/SpeakerDataList.h"

#include "document/DocumentViewLinks.h"
#include "document/KDRDoc.h"
#include "models/NumberFormat.h"
#include "platform/RegisteredMessages.h"
#include "resources/StringTable.h"

namespace {

constexpr unsigned kStrSpeakerName = 61617;
constexpr const char* kNumberHeading = "No";

}  // namespace

CSpeakerDataList::CSpeakerDataList(CKDRDoc* doc, IReportListControl& list) : m_doc(doc), m_list(list)
{
}

void CSpeakerDataList::OnInitialUpdate()
{
    m_list.InsertColumn(0, kNumberHeading, kNumberColumnWidth);
    m_list.InsertColumn(1, LoadStringId(kStrSpeakerName), kNameColumnWidth);
    FillList();
}

void CSpeakerDataList::FillList()
{
    m_list.DeleteAllItems();
    if (!m_doc || m_doc->m_models.GetCount() == 0)
        return;
    const CSpeakerModelContainer& models = m_doc->m_models;
    for (int i = 0; i < models.GetCount(); ++i) {
        const CSpeakerModel* model = models.GetAt(i);
        m_list.InsertItem(i, FormatNumber(i + 1, 4));
        m_list.SetItemText(i, 1, model->GetName() + model->GetNameSuffix());
    }
    SelectCurrentRow();
}

void CSpeakerDataList::OnUpdate(long hint)
{
    if (hint == kHintSpeakerList)
        FillList();
}

void CSpeakerDataList::SelectCurrentRow()
{
    if (!m_doc)
        return;
    const int current = m_doc->m_models.GetCurrentIndex();
    if (current < 0 || current >= m_list.GetItemCount())
        return;
    m_list.SelectItem(current);
    m_list.EnsureVisible(current);
}

CSpeakerDataList::CButtonDownResult CSpeakerDataList::OnLButtonDown(const CListRowGeometry& g, int x, int y)
{
    CButtonDownResult result;
    if (!m_doc || m_doc->m_models.GetCount() == 0)
        return result;
    const int row = HitTestListRow(g, x, y);
    if (row < 0 || row >= m_doc->m_models.GetCount()) {
        SelectCurrentRow();
        return result;
    }
    ChooseRow(row);
    result.capture = true;
    result.cursor = kCursorDrop;
    return result;
}

void CSpeakerDataList::ChooseRow(int row)
{
    if (!m_doc || row < 0 || row >= m_doc->m_models.GetCount())
        return;
    CSpeakerModelContainer& models = m_doc->m_models;
    // With one model the map's band fraction is compared, so that choosing
    // it brings the band choices in line with the model's data pitch.
    double reference = 0.0;
    if (models.GetCount() == 1) {
        if (const CColorMapCondition* condition = m_doc->m_colorMapConditions.GetCurrent())
            reference = condition->GetBandFraction();
    } else if (const CSpeakerModel* before = models.GetCurrent()) {
        reference = before->GetFrequencyPitch();
    }

    m_list.SelectItem(row);
    models.SetCurrentIndex(row);
    m_doc->UpdateDragInstallState();

    const double pitch = models.GetCurrent()->GetFrequencyPitch();
    for (IView* view : m_doc->GetViews()) {
        if (auto* map = dynamic_cast<IColorMapViewLink*>(view)) {
            if (pitch != reference)
                map->UpdateConditionControls(FALSE, TRUE);
        }
        if (auto* taps = dynamic_cast<ITapListLink*>(view))
            taps->FillList();
    }
}

int CSpeakerDataList::OnMouseMove(const CListRowGeometry& g, int x, int y, bool dragging, IDragTargetQuery& query,
                                    bool& runDefault)
{
    if (!m_doc || m_doc->m_nDragInstallState == 0) {
        runDefault = false;
        return kCursorDefault;
    }
    runDefault = true;
    if (m_doc->m_nDragInstallState != 2)
        return kCursorDefault;

    if (query.AskWindowUnderCursor(kMsgIsPointInRoom, true) == 1)
        return kCursorDrop;
    if (query.AskWindowUnderCursor(kMsgAcceptsDrop, false) == 1)
        return kCursorDrop;
    const int row = HitTestListRow(g, x, y);
    if (dragging)
        return row >= 0 && row == m_doc->m_models.GetCurrentIndex() ? kCursorDrop : kCursorNoDrop;
    return row >= 0 ? kCursorSpeaker : kCursorDefault;
}

bool CSpeakerDataList::OnLButtonUp(CPoint screen)
{
    if (!m_doc || m_doc->m_nDragInstallState != 2)
        return false;
    CPoint point = screen;
    SendMessageToWindowAt(screen, kMsgDropNewSpeaker, reinterpret_cast<WPARAM>(static_cast<CDocument*>(m_doc)),
                          reinterpret_cast<LPARAM>(&point));
    return true;
}

long CWindowAtPointQuery::AskWindowUnderCursor(unsigned message, bool withPoint)
{
    CPoint point = m_screen;
    const LPARAM lParam = withPoint ? reinterpret_cast<LPARAM>(&point) : 0;
    return static_cast<long>(
        SendMessageToWindowAt(m_screen, message, reinterpret_cast<WPARAM>(m_doc), lParam));
}

int CSpeakerDataList::OnContextMenu(const CListRowGeometry& g, int x, int y, int developerId)
{
    if (!m_doc || m_doc->m_models.GetCount() == 0)
        return kMenuNone;
    const int row = HitTestListRow(g, x, y);
    if (row < 0 || row >= m_doc->m_models.GetCount()) {
        SelectCurrentRow();
        return kMenuNone;
    }
    // The model becomes current and highlighted, so that what the list shows
    // is what the menu's commands and the Speaker menu act on.
    ChooseRow(row);
    return developerId == 1 ? kMenuSpeakerDeveloper : kMenuSpeaker;
}

void CSpeakerDataList::AfterContextMenu()
{
    if (m_doc)
        m_doc->UpdateDragInstallState();
}
