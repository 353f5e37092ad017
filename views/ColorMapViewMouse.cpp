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

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Columns (or rows) of the room grid along one wall, at most: the Room
// Parameters dialog takes walls up to 10000 and pitches down to 0.001. A
// grid beyond that can come only from a damaged file and has no cells.
constexpr double kMaxGridCellsPerAxis = 10000000.0 + 1.0;

// How many cells on each side of the cell under the exact point are tried
// with the projected quadrangles, at most: rounding the corners to whole
// pixels moves a cell's border by up to a pixel, so a point near a border
// may lie in a neighbour's quadrangle, and the first cell in search order
// wins. Cells smaller than about 1/8 pixel would need more; for them the
// cell under the exact point is the answer.
constexpr long long kMaxRefineRadius = 8;

// Columns (or rows) of the room grid along a length: the whole pitches, and
// one more, narrower, for a remainder. 0 when there is none or too many.
long long CellCount(double length, double pitch)
{
    const double quotient = length / pitch;
    if (!(pitch > 0.0) || !std::isfinite(quotient) || !(quotient > 0.0) || quotient > kMaxGridCellsPerAxis)
        return 0;
    const double whole = std::trunc(quotient);
    return static_cast<long long>(whole) + (quotient != whole ? 1 : 0);
}

// The index of the cell along one axis that holds the offset t from the
// grid's start: floor(t / pitch), kept within 0 .. count - 1 (the last cell
// reaches to the wall even when it is narrower than the pitch).
long long CellIndex(double t, double pitch, long long count)
{
    const double q = std::floor(t / pitch);
    if (!(q > 0.0))
        return 0;
    if (q >= static_cast<double>(count - 1))
        return count - 1;
    return static_cast<long long>(q);
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
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return FALSE;
    const CInstallationContainer& room = m_doc.GetInstallations();
    const double x0 = room.GetRoom(CInstallationContainer::kReferenceX0);
    const double y0 = room.GetRoom(CInstallationContainer::kReferenceY0);
    const double z = room.GetRoom(CInstallationContainer::kRoomHeight);
    const double lengthX = room.GetRoom(CInstallationContainer::kRoomLengthX);
    const double widthY = room.GetRoom(CInstallationContainer::kRoomWidthY);
    const double px = room.GetRoom(CInstallationContainer::kGridPitchX);
    const double py = room.GetRoom(CInstallationContainer::kGridPitchY);

    const long long nx = CellCount(lengthX, px);
    const long long ny = CellCount(widthY, py);
    if (nx <= 0 || ny <= 0)
        return FALSE;

    // Cell (i, j) spans X0 + i px .. X0 + (i + 1) px and Y0 + j py ..
    // Y0 + (j + 1) py at the room height; the last column and row end at the
    // walls. Its quadrangle on the window is its four corners projected in
    // the order (x low, y low), (x high, y low), (x high, y high),
    // (x low, y high), and the first cell, row by row, whose quadrangle holds
    // the point is the cell under it.
    auto edgeX = [&](long long i) { return i >= nx ? x0 + lengthX : x0 + static_cast<double>(i) * px; };
    auto edgeY = [&](long long j) { return j >= ny ? y0 + widthY : y0 + static_cast<double>(j) * py; };
    auto cellHolds = [&](long long i, long long j) {
        const CPoint quad[4] = {ProjectPoint(CPoint3D(edgeX(i), edgeY(j), z)),
                                ProjectPoint(CPoint3D(edgeX(i + 1), edgeY(j), z)),
                                ProjectPoint(CPoint3D(edgeX(i + 1), edgeY(j + 1), z)),
                                ProjectPoint(CPoint3D(edgeX(i), edgeY(j + 1), z))};
        return InQuad(logical, quad);
    };
    auto found = [&](long long i, long long j) {
        position[0] = x0 + (static_cast<double>(i) + 0.5) * px;
        position[1] = y0 + (static_cast<double>(j) + 0.5) * py;
        position[2] = z;
        return TRUE;
    };

    // The projection of the room's ceiling plane is affine: a point
    // (X0 + a, Y0 + b, Z) lies near window pixel o + a da + b db, where da
    // and db are the rotated x and y axes in pixels.
    const double k = cond->GetScale() * 1000.0;
    const CRect& margin = cond->GetMargin();
    const CPoint3D rotation = GetViewRotation();
    CPoint3D o(x0, y0, z), ax(1.0, 0.0, 0.0), ay(0.0, 1.0, 0.0);
    o.Rotate(rotation);
    ax.Rotate(rotation);
    ay.Rotate(rotation);
    const double ox = (o.x - m_dMinX) * k + margin.left;
    const double oy = -(o.y - m_dMinY) * k - margin.bottom + m_sizeTotal.cy + 1.0;
    const double dax = ax.x * k, day = -ax.y * k;
    const double dbx = ay.x * k, dby = -ay.y * k;
    const double ux = logical.x - ox, uy = logical.y - oy;
    const double det = dax * dby - dbx * day;
    const double norm = std::max(std::hypot(dax, day), std::hypot(dbx, dby));
    if (!std::isfinite(det) || !(norm > 0.0) || !std::isfinite(ux) || !std::isfinite(uy))
        return FALSE;

    double a = 0.0, b = 0.0;
    // Offsets in the room per pixel along the window's x and y (bounds of
    // the inverse map), to size the search around the point.
    double spanA = 0.0, spanB = 0.0;
    const bool edgeOn = std::fabs(det) <= 1e-12 * norm * norm;
    // Seen edge-on, the collapsed direction is searched from its first cell.
    bool fromFirstColumn = false, fromFirstRow = false;
    if (!edgeOn) {
        a = (ux * dby - uy * dbx) / det;
        b = (uy * dax - ux * day) / det;
        spanA = (std::fabs(dby) + std::fabs(dbx)) / std::fabs(det);
        spanB = (std::fabs(dax) + std::fabs(day)) / std::fabs(det);
    } else {
        // Seen edge-on the ceiling is a line: the point's place along it
        // gives the one offset, the other starts at the first cell.
        const double la = dax * dax + day * day, lb = dbx * dbx + dby * dby;
        if (la >= lb) {
            a = (ux * dax + uy * day) / la;
            spanA = 1.0 / std::sqrt(la);
            spanB = lb > 0.0 ? 1.0 / std::sqrt(lb) : HUGE_VAL;
            fromFirstRow = true;
        } else {
            b = (ux * dbx + uy * dby) / lb;
            spanB = 1.0 / std::sqrt(lb);
            spanA = la > 0.0 ? 1.0 / std::sqrt(la) : HUGE_VAL;
            fromFirstColumn = true;
        }
    }
    const long long ci = CellIndex(a, px, nx);
    const long long cj = CellIndex(b, py, ny);

    // Cells within two pixels of the point (a corner moves by less than one
    // when rounded) and one more, within the cap.
    auto radius = [](double span, double pitch) {
        const double r = std::ceil(2.0 * span / pitch) + 1.0;
        return r > static_cast<double>(kMaxRefineRadius) || !std::isfinite(r) ? kMaxRefineRadius + 1
                                                                               : static_cast<long long>(r);
    };
    const long long ri = radius(spanA, px);
    const long long rj = radius(spanB, py);
    const bool exact = ri <= kMaxRefineRadius && rj <= kMaxRefineRadius;
    const long long iFrom = fromFirstColumn ? 0 : std::max(0LL, ci - std::min(ri, kMaxRefineRadius));
    const long long jFrom = fromFirstRow ? 0 : std::max(0LL, cj - std::min(rj, kMaxRefineRadius));
    const long long iTo = std::min(nx - 1, (fromFirstColumn ? 0 : ci) + std::min(ri, kMaxRefineRadius));
    const long long jTo = std::min(ny - 1, (fromFirstRow ? 0 : cj) + std::min(rj, kMaxRefineRadius));
    for (long long j = jFrom; j <= jTo; ++j)
        for (long long i = iFrom; i <= iTo; ++i)
            if (cellHolds(i, j))
                return found(i, j);
    if (exact || edgeOn)
        return FALSE;
    // Cells far below a pixel: the cell under the exact point, when the
    // point is in the room at all.
    if (a < 0.0 || b < 0.0 || a > lengthX || b > widthY)
        return FALSE;
    return found(ci, cj);
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
