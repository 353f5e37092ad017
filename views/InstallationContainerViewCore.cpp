#include "views/InstallationContainerViewCore.h"

#include "document/InstallationContainer.h"
#include "document/KDRDoc.h"
#include "models/NumberFormat.h"
#include "resources/StringTable.h"
#include "views/ColorMapViewCore.h"

namespace {

constexpr unsigned kStrHeadings[CInstallationContainerViewCore::kColumnCount] = {
    0, 61617, 61618, 61619, 61620, 61621, 61622, 61623, 61624, 61625};
constexpr unsigned kStrNormal = 61626;
constexpr unsigned kStrReverse = 61627;
constexpr const char* kNumberHeading = "No";

}  // namespace

const int CInstallationContainerViewCore::kColumnWidths[kColumnCount] = {27, 87, 50, 50, 50, 100, 110, 100, 60, 52};

CInstallationContainerViewCore::CInstallationContainerViewCore(CKDRDoc* doc, IInstallationListControl& list)
    : m_doc(doc), m_list(list)
{
}

std::string CInstallationContainerViewCore::ColumnHeading(int column)
{
    if (column < 0 || column >= kColumnCount)
        return std::string();
    return column == 0 ? std::string(kNumberHeading) : LoadStringId(kStrHeadings[column]);
}

void CInstallationContainerViewCore::OnInitialUpdate()
{
    for (int c = 0; c < kBasicColumns; ++c)
        m_list.InsertColumn(c, ColumnHeading(c), kColumnWidths[c]);
    FillList();
}

void CInstallationContainerViewCore::OnUpdate(long hint)
{
    if (hint == kHintInstallationList)
        FillList();
}

std::string CInstallationContainerViewCore::GetUnitText() const
{
    return m_doc && m_doc->m_nLengthUnit == 1 ? "[ft]" : "[m]";
}

std::string CInstallationContainerViewCore::CellText(int k, int column, const std::string& unitText) const
{
    if (!m_doc)
        return std::string();
    const CInstallationElement* element = m_doc->m_installations.GetAt(k);
    if (!element)
        return std::string();
    const CPoint3D& pos = element->GetPosition();
    // The angle triple is (azimuth, rotation, elevation).
    const CPoint3D& angles = element->GetAngles();
    switch (column) {
    case 0: return FormatNumber(k + 1, 4);
    case 1: {
        // A damaged project may name a model that is not there: no name.
        const CSpeakerModel* model = m_doc->m_models.GetAt(static_cast<int>(element->GetModelIndex()));
        return model ? model->GetName() + model->GetNameSuffix() : std::string();
    }
    case 2: return FormatNumber(pos.x, 4) + unitText;
    case 3: return FormatNumber(pos.y, 4) + unitText;
    case 4: return FormatNumber(pos.z, 4) + unitText;
    case 5: return FormatNumber(angles.x, 4) + "[deg]";
    case 6: return FormatNumber(angles.z, 4) + "[deg]";
    case 7: return FormatNumber(angles.y, 4) + "[deg]";
    case 8: return FormatNumber(element->GetPower(), 4) + "[W]";
    case 9: return LoadStringId(element->GetPolarity() != 0 ? kStrNormal : kStrReverse);
    default: return std::string();
    }
}

void CInstallationContainerViewCore::FillList()
{
    m_list.DeleteAllItems();
    const std::string unit = GetUnitText();
    for (int c = kColumnCount - 1; c >= kBasicColumns; --c)
        m_list.DeleteColumn(c);
    if (!m_doc)
        return;
    if (m_doc->m_nAdvancedMode != 0)
        for (int c = kBasicColumns; c < kColumnCount; ++c)
            m_list.InsertColumn(c, ColumnHeading(c), kColumnWidths[c]);

    const CInstallationContainer& room = m_doc->m_installations;
    if (room.GetCount() == 0)
        return;
    const int columns = m_doc->m_nAdvancedMode > 0 ? kColumnCount : kBasicColumns;
    for (int k = 0; k < room.GetCount(); ++k) {
        m_list.InsertItem(k, CellText(k, 0, unit));
        for (int c = 1; c < columns; ++c)
            m_list.SetItemText(k, c, CellText(k, c, unit));
    }
    SelectCurrentRow();
}

void CInstallationContainerViewCore::SelectCurrentRow()
{
    if (!m_doc)
        return;
    const int current = m_doc->m_installations.GetCurrentIndex();
    if (current < 0 || current >= m_list.GetItemCount())
        return;
    m_list.SelectItem(current);
    m_list.EnsureVisible(current);
}

void CInstallationContainerViewCore::MakeCurrent(int k)
{
    m_doc->m_installations.SetCurrentIndex(k);
    for (IView* view : m_doc->GetViews())
        if (auto* map = dynamic_cast<CColorMapViewCore*>(view))
            map->Redraw();
}

int CInstallationContainerViewCore::OnLButtonDown(const CListRowGeometry& g, int x, int y)
{
    if (!m_doc || m_doc->m_installations.GetCount() == 0)
        return -1;
    if (!IsPointInRows(g, x, y)) {
        SelectCurrentRow();
        return -1;
    }
    // Rows are taken only up to the installations there are: a list that
    // has not been refilled yet cannot make a missing installation current.
    const int k = HitTestListRow(g, x, y);
    if (k < 0 || k >= m_doc->m_installations.GetCount())
        return -1;
    ChooseRow(k);
    return k;
}

void CInstallationContainerViewCore::ChooseRow(int k)
{
    if (!m_doc || k < 0 || k >= m_doc->m_installations.GetCount())
        return;
    m_list.SelectItem(k);
    MakeCurrent(k);
}

unsigned CInstallationContainerViewCore::OnContextMenu(const CListRowGeometry& g, int x, int y)
{
    if (!m_doc || m_doc->m_installations.GetCount() == 0)
        return 0;
    if (!IsPointInRows(g, x, y)) {
        SelectCurrentRow();
        return 0;
    }
    const int k = HitTestListRow(g, x, y);
    if (k < 0 || k >= m_doc->m_installations.GetCount())
        return 0;
    ChooseRow(k);
    return kMenuInstallation;
}

bool CInstallationContainerViewCore::IsOwnDocument(WPARAM wParam) const
{
    return m_doc && wParam == reinterpret_cast<WPARAM>(static_cast<CDocument*>(m_doc));
}

LRESULT CInstallationContainerViewCore::OnDropNewSpeaker(WPARAM wParam, bool parentIsView)
{
    if (!parentIsView || !IsOwnDocument(wParam))
        return 2;
    const CInstallationContainer& room = m_doc->m_installations;
    const double x = room.GetRoom(CInstallationContainer::kReferenceX0) +
                     0.5 * room.GetRoom(CInstallationContainer::kRoomLengthX);
    const double y = room.GetRoom(CInstallationContainer::kReferenceY0) +
                     0.5 * room.GetRoom(CInstallationContainer::kRoomWidthY);
    if (m_doc->InstallSpeakerAt(x, y) != 0)
        return 2;
    m_doc->UpdateAfterInstallationChange();
    return 1;
}

LRESULT CInstallationContainerViewCore::OnQueryDropNewSpeaker(WPARAM wParam, bool parentIsView) const
{
    return parentIsView && IsOwnDocument(wParam) ? 1 : 0;
}

LRESULT CInstallationContainerViewCore::OnMessage(unsigned message, WPARAM wParam, LPARAM lParam, bool parentIsView)
{
    (void)lParam;
    switch (message) {
    case WM_DROP_NEW_SPEAKER: return OnDropNewSpeaker(wParam, parentIsView);
    case WM_CAN_ACCEPT_DROP: return OnQueryDropNewSpeaker(wParam, parentIsView);
    default: return 0;
    }
}
