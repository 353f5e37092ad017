// The mouse in the SPL map window: hit tests of the room grid, the colour
// dots and the installed speakers; hover, drag and drop of installed
// speakers; the answers to a speaker dragged from the speaker list.

#include "views/ColorMapViewCore.h"

#include "document/ColorMapCondition.h"
#include "document/InstallationContainer.h"
#include "document/KDRDoc.h"
#include "document/ListeningPlane.h"
#include "document/PlaceElement.h"
#include "models/Geometry.h"
#include "views/SPLMapCalculator.h"

#include <cmath>
#include <vector>

namespace {

// Cells of the room grid the search looks at, at most: a grid pitch tiny
// against the room would otherwise make millions of cells per drop.
constexpr double kMaxGridCells = 1000000.0;

// Columns (or rows) of the room grid along a length: the whole pitches, and
// one more, narrower, for a remainder. 0 when there is none or too many.
long CellCount(double length, double pitch)
{
    const double quotient = length / pitch;
    if (!(pitch > 0.0) || !std::isfinite(quotient) || !(quotient > 0.0) || quotient > kMaxGridCells)
        return 0;
    const double whole = std::trunc(quotient);
    return static_cast<long>(whole) + (quotient != whole ? 1 : 0);
}

bool InQuad(CPoint p, const CPoint quad[4])
{
    IntPoint q[4];
    for (int i = 0; i < 4; ++i)
        q[i] = IntPoint{quad[i].x, quad[i].y};
    return IsPointInQuadrangle(p.x, p.y, q) > 0;
}

}  // namespace

bool CColorMapViewCore::IsOwnDocument(WPARAM wParam) const
{
    return wParam == reinterpret_cast<WPARAM>(static_cast<const CDocument*>(&m_doc));
}

bool CColorMapViewCore::MessagePoint(LPARAM lParam, CPoint& logical) const
{
    const CPoint* screen = reinterpret_cast<const CPoint*>(lParam);
    if (!screen)
        return false;
    logical = ScreenToLogical(*screen);
    return true;
}

void CColorMapViewCore::UpdateAfterDrop()
{
    m_doc.UpdateAfterInstallationChange();
}

// ---- hit tests --------------------------------------------------------------

BOOL CColorMapViewCore::HitTestRoomGrid(CPoint logical, double position[3]) const
{
    const CInstallationContainer& room = m_doc.GetInstallations();
    const double x0 = room.GetRoom(CInstallationContainer::kReferenceX0);
    const double y0 = room.GetRoom(CInstallationContainer::kReferenceY0);
    const double z = room.GetRoom(CInstallationContainer::kRoomHeight);
    const double lengthX = room.GetRoom(CInstallationContainer::kRoomLengthX);
    const double widthY = room.GetRoom(CInstallationContainer::kRoomWidthY);
    const double px = room.GetRoom(CInstallationContainer::kGridPitchX);
    const double py = room.GetRoom(CInstallationContainer::kGridPitchY);

    const long nx = CellCount(lengthX, px);
    const long ny = CellCount(widthY, py);
    if (nx <= 0 || ny <= 0 || static_cast<double>(nx) * static_cast<double>(ny) > kMaxGridCells)
        return FALSE;

    // The grid's corner points, projected once: vertex (i, j) at column edge
    // i and row edge j; the last edges are the room's walls.
    auto edgeX = [&](long i) { return i == nx ? x0 + lengthX : x0 + static_cast<double>(i) * px; };
    auto edgeY = [&](long j) { return j == ny ? y0 + widthY : y0 + static_cast<double>(j) * py; };
    std::vector<CPoint> lower(static_cast<std::size_t>(nx) + 1), upper(static_cast<std::size_t>(nx) + 1);
    for (long i = 0; i <= nx; ++i)
        lower[static_cast<std::size_t>(i)] = ProjectPoint(CPoint3D(edgeX(i), edgeY(0), z));
    for (long j = 0; j < ny; ++j) {
        for (long i = 0; i <= nx; ++i)
            upper[static_cast<std::size_t>(i)] = ProjectPoint(CPoint3D(edgeX(i), edgeY(j + 1), z));
        for (long i = 0; i < nx; ++i) {
            const auto a = static_cast<std::size_t>(i);
            // (x low, y low), (x high, y low), (x high, y high), (x low, y high)
            const CPoint quad[4] = {lower[a], lower[a + 1], upper[a + 1], upper[a]};
            if (InQuad(logical, quad)) {
                position[0] = x0 + (static_cast<double>(i) + 0.5) * px;
                position[1] = y0 + (static_cast<double>(j) + 0.5) * py;
                position[2] = z;
                return TRUE;
            }
        }
        lower.swap(upper);
    }
    return FALSE;
}

BOOL CColorMapViewCore::HitTestPlaneDot(CPoint logical, double position[3]) const
{
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return FALSE;
    const CListeningPlane& plane = cond->GetPlane();
    void (*quadOf)(const CPlaceElement&, double*) = nullptr;
    if (plane.GetExtent(2) == 0.0)
        quadOf = &GetQuadXY;
    else if (plane.GetExtent(0) == 0.0)
        quadOf = &GetQuadYZ;
    else if (plane.GetExtent(1) == 0.0)
        quadOf = &GetQuadXZ;
    if (!quadOf)
        return FALSE;
    for (const auto& dot : plane.GetCells()) {
        double corners[12];
        quadOf(*dot, corners);
        CPoint quad[4];
        ProjectWorldQuad(quad, corners);
        if (InQuad(logical, quad)) {
            const double* c = dot->GetCenter();
            position[0] = c[0];
            position[1] = c[1];
            position[2] = c[2];
            return TRUE;
        }
    }
    return FALSE;
}

int CColorMapViewCore::HitTestSpeaker(CPoint logical) const
{
    const CInstallationContainer& room = m_doc.GetInstallations();
    const CPoint3D rotation = GetViewRotation();
    for (int i = 0; i < room.GetCount(); ++i) {
        const CInstallationElement* element = room.GetAt(i);
        if (!element)
            continue;
        CPoint3D p = element->GetPosition();
        p.Rotate(rotation);
        // Strictly within 4 pixels; in 64 bits, as a speaker far outside the
        // room may project to the edge of the int range.
        const long long dx = static_cast<long long>(ToDeviceX(p.x)) - logical.x;
        const long long dy = static_cast<long long>(ToDeviceY(p.y)) - logical.y;
        if (dx > -4 && dx < 4 && dy > -4 && dy < 4)
            return i;
    }
    return -1;
}

int CColorMapViewCore::IsLogicalPointInRoom(CPoint logical) const
{
    if (!GetCondition())
        return 2;
    const CInstallationContainer& room = m_doc.GetInstallations();
    double corners[12] = {};
    CPoint3D(room.GetRoom(CInstallationContainer::kReferenceX0), room.GetRoom(CInstallationContainer::kReferenceY0),
             room.GetRoom(CInstallationContainer::kRoomHeight))
        .GetRectCorners(corners, CPoint3D(room.GetRoom(CInstallationContainer::kRoomLengthX),
                                          room.GetRoom(CInstallationContainer::kRoomWidthY), 0.0));
    CPoint quad[4];
    ProjectWorldQuad(quad, corners);
    return InQuad(logical, quad) ? 1 : 2;
}

int CColorMapViewCore::IsLogicalPointInPlane(CPoint logical) const
{
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return 2;
    const CListeningPlane& plane = cond->GetPlane();
    double corners[12] = {};
    CPoint3D(plane.GetOrigin(0), plane.GetOrigin(1), plane.GetOrigin(2))
        .GetRectCorners(corners, CPoint3D(plane.GetExtent(0), plane.GetExtent(1), plane.GetExtent(2)));
    CPoint quad[4];
    ProjectWorldQuad(quad, corners);
    return InQuad(logical, quad) ? 1 : 2;
}

// ---- registered messages -------------------------------------------------------

LRESULT CColorMapViewCore::IsPointInRoom(WPARAM wParam, LPARAM lParam)
{
    CPoint logical;
    if (!IsOwnDocument(wParam) || !MessagePoint(lParam, logical))
        return 2;
    return IsLogicalPointInRoom(logical);
}

LRESULT CColorMapViewCore::IsPointInPlane(WPARAM wParam, LPARAM lParam)
{
    CPoint logical;
    if (!IsOwnDocument(wParam) || !MessagePoint(lParam, logical))
        return 2;
    return IsLogicalPointInPlane(logical);
}

LRESULT CColorMapViewCore::OnDropNewSpeaker(WPARAM wParam, LPARAM lParam)
{
    CPoint logical;
    if (!IsOwnDocument(wParam) || !MessagePoint(lParam, logical))
        return 2;
    if (IsLogicalPointInRoom(logical) == 2)
        return 2;
    double cell[3] = {0.0, 0.0, 0.0};
    if (!HitTestRoomGrid(logical, cell))
        return 2;
    if (m_doc.InstallSpeakerAt(cell[0], cell[1]) != 0)
        return 2;
    UpdateAfterDrop();
    return 1;
}

LRESULT CColorMapViewCore::OnDropMovedSpeaker(WPARAM wParam, LPARAM lParam)
{
    CPoint logical;
    if (!IsOwnDocument(wParam) || !MessagePoint(lParam, logical))
        return 2;
    return DropMovedSpeakerAt(logical);
}

LRESULT CColorMapViewCore::DropMovedSpeakerAt(CPoint logical)
{
    double position[3] = {0.0, 0.0, 0.0};
    if (!HitTestRoomGrid(logical, position) && !HitTestPlaneDot(logical, position)) {
        position[0] = position[1] = position[2] = 0.0;
    }
    const CInstallationElement* current = m_doc.GetInstallations().GetCurrent();
    if (!current)
        return 2;
    // The angle triple is (azimuth, rotation, elevation).
    const CPoint3D& angles = current->GetAngles();
    if (m_doc.EditInstallationProperties(position[0], position[1], position[2], angles.x, angles.y, angles.z,
                                         current->GetPower(), current->GetPolarity() != 0 ? TRUE : FALSE) != 0)
        return 2;
    UpdateAfterDrop();
    return 1;
}

LRESULT CColorMapViewCore::OnMapMessage(unsigned message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DROP_NEW_SPEAKER: return OnDropNewSpeaker(wParam, lParam);
    case WM_IS_POINT_IN_PLANE: return IsPointInPlane(wParam, lParam);
    case WM_IS_POINT_IN_ROOM: return IsPointInRoom(wParam, lParam);
    case WM_DROP_MOVED_SPEAKER: return OnDropMovedSpeaker(wParam, lParam);
    default: return 0;
    }
}

// ---- mouse ---------------------------------------------------------------------

int CColorMapViewCore::OnLButtonDown(CPoint logical)
{
    (void)logical;
    if (m_bOnSpeaker != 1)
        return -1;
    m_bDragging = 1;
    m_bOnSpeaker = 0;
    return kCursorDragSpeaker;
}

int CColorMapViewCore::OnMouseMove(CPoint logical)
{
    if (m_bDragging == 1)
        return kCursorDragSpeaker;

    int cursor = kCursorArrow;
    m_bOnSpeaker = 0;
    CInstallationContainer& room = m_doc.GetInstallations();
    const int hit = HitTestSpeaker(logical);
    if (hit >= 0) {
        cursor = kCursorOverSpeaker;
        m_bOnSpeaker = 1;
        const CInstallationElement* element = room.GetAt(hit);
        if (room.GetList().SetCurrent(element)) {
            CSpeakerModelContainer& models = m_doc.GetModels();
            const int modelIndex = static_cast<int>(element->GetModelIndex());
            if (models.GetCurrentIndex() != modelIndex && modelIndex >= 0 && modelIndex < models.GetCount())
                models.SetCurrentIndex(modelIndex);
            Redraw();
            m_doc.UpdateAllViews(nullptr, kHintInstallationList);
        }
    }

    if (IsLogicalPointInPlane(logical) == 1 && room.GetCount() > 0) {
        double point[3];
        if (HitTestPlaneDot(logical, point)) {
            DrawCursorSPL(point);
            CSPLMapCalculator(m_doc, m_nConditionIndex).CalcFrequencyResponse(CPoint3D(point[0], point[1], point[2]));
            m_doc.UpdateAllViews(nullptr, kHintGraphs);
        }
    }
    return cursor;
}

void CColorMapViewCore::OnLButtonUp(CPoint logical)
{
    if (m_bDragging != 1)
        return;
    m_bDragging = 0;
    const int inRoom = IsLogicalPointInRoom(logical);
    const int inPlane = IsLogicalPointInPlane(logical);
    if (inRoom == 1 || inPlane == 1) {
        if (DropMovedSpeakerAt(logical) == 2)
            return;
    } else if (m_doc.RemoveInstallation(FALSE) == 0) {
        UpdateAfterDrop();
    }
    m_doc.SetModifiedFlag(true);
}

int CColorMapViewCore::OnRButtonDown()
{
    return m_bOnSpeaker == 1 ? kCursorRightOnSpeaker : -1;
}

unsigned CColorMapViewCore::OnRButtonUp()
{
    if (m_bOnSpeaker == 1) {
        m_bOnSpeaker = 0;
        return kMenuInstallation;
    }
    return kMenuRoom;
}
