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
// grid beyond that can come only from a damaged file and has no cells; a
// plane beyond it has its dots tried one by one.
constexpr double kMaxGridCellsPerAxis = 10000000.0 + 1.0;

// How many cells on each side of the cell under the exact point are tried
// with the projected quadrangles, at most: rounding the corners to whole
// pixels moves a cell's border by up to a pixel, so a point near a border
// may lie in a neighbour's quadrangle, and the first cell in search order
// wins. Cells narrower than about a quarter pixel would need more; for them
// the cell under the exact point is the answer.
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

// Dots along an extent of the plane, as the plane lays them out: ceil(extent
// / pitch). 0 when there is none or too many.
long long DotCount(double extent, double pitch)
{
    const double quotient = std::ceil(extent / pitch);
    if (!(pitch > 0.0) || !(quotient > 0.0) || quotient > kMaxGridCellsPerAxis)
        return 0;
    return static_cast<long long>(quotient);
}

// A plane in the room under the view's projection before rounding: a point
// origin + a along + b across lies near window pixel
// (ox + a dax + b dbx, oy + a day + b dby).
struct WindowFrame {
    double ox = 0.0, oy = 0.0;
    double dax = 0.0, day = 0.0;
    double dbx = 0.0, dby = 0.0;
};

WindowFrame ProjectAxes(const CColorMapViewCore& view, const CPoint3D& origin, const CPoint3D& along,
                        const CPoint3D& across)
{
    WindowFrame f;
    const CColorMapCondition* cond = view.GetCondition();
    if (!cond)
        return f;
    const double k = cond->GetScale() * 1000.0;
    const CRect& margin = cond->GetMargin();
    const CPoint3D rotation = view.GetViewRotation();
    CPoint3D o = origin, a = along, b = across;
    o.Rotate(rotation);
    a.Rotate(rotation);
    b.Rotate(rotation);
    f.ox = (o.x - view.GetMinX()) * k + margin.left;
    f.oy = -(o.y - view.GetMinY()) * k - margin.bottom + view.GetTotalSize().cy + 1.0;
    f.dax = a.x * k;
    f.day = -a.y * k;
    f.dbx = b.x * k;
    f.dby = -b.y * k;
    return f;
}

// One axis of a grid of cells: whole pitches from the start and a last cell
// that ends at the length, narrower when the length is no whole multiple.
struct GridAxis {
    double pitch;
    long long count;
    double length;
};

// A grid of cells in a plane of the room on the window: cell (i, j) covers
// offsets i pitch .. (i + 1) pitch along the first axis and j pitch ..
// (j + 1) pitch along the second. A cell's quadrangle starts along the first
// axis, or along the second when `secondFirst` is set.
struct WindowGrid {
    WindowFrame frame;
    GridAxis a, b;
    bool secondFirst = false;
};

// Whether a cell of the grid, drawn some thousand pixels wide, holds its
// own centre: whether its quadrangles hold the points within them at all.
bool HoldsPoints(const WindowGrid& grid)
{
    const WindowFrame& f = grid.frame;
    const double ax = f.dax * grid.a.pitch, ay = f.day * grid.a.pitch;
    const double bx = f.dbx * grid.b.pitch, by = f.dby * grid.b.pitch;
    const double m = 4096.0 / std::max(std::hypot(ax, ay), std::hypot(bx, by));
    if (!std::isfinite(m))
        return false;
    auto at = [m](double x, double y) {
        return IntPoint{static_cast<int>(std::lround(x * m)), static_cast<int>(std::lround(y * m))};
    };
    const IntPoint first = grid.secondFirst ? at(bx, by) : at(ax, ay);
    const IntPoint second = grid.secondFirst ? at(ax, ay) : at(bx, by);
    const IntPoint quad[4] = {IntPoint{0, 0}, first, at(ax + bx, ay + by), second};
    const IntPoint centre = at((ax + bx) / 2.0, (ay + by) / 2.0);
    return IsPointInQuadrangle(centre.x, centre.y, quad) > 0;
}

// The cell whose projected quadrangle holds the point, searched as if every
// cell were tried row by row (j outer, i inner) and the first that holds
// the point won, but trying only the cells about the point. holds(i, j)
// tests one cell's quadrangle. False for none.
template <class Holds>
bool FindGridCell(const WindowGrid& grid, CPoint logical, Holds holds, long long& iFound, long long& jFound)
{
    const WindowFrame& f = grid.frame;
    const double ux = logical.x - f.ox, uy = logical.y - f.oy;
    const double det = f.dax * f.dby - f.dbx * f.day;
    const double norm = std::max(std::hypot(f.dax, f.day), std::hypot(f.dbx, f.dby));
    if (!std::isfinite(det) || !(norm > 0.0) || !std::isfinite(ux) || !std::isfinite(uy))
        return false;

    double a = 0.0, b = 0.0;
    // Offsets in the plane per pixel along the window's x and y (bounds of
    // the inverse map), to size the search around the point.
    double spanA = 0.0, spanB = 0.0;
    const bool edgeOn = std::fabs(det) <= 1e-12 * norm * norm;
    // Seen edge-on, the collapsed direction is searched from its first cell.
    bool fromFirstColumn = false, fromFirstRow = false;
    if (!edgeOn) {
        a = (ux * f.dby - uy * f.dbx) / det;
        b = (uy * f.dax - ux * f.day) / det;
        spanA = (std::fabs(f.dby) + std::fabs(f.dbx)) / std::fabs(det);
        spanB = (std::fabs(f.dax) + std::fabs(f.day)) / std::fabs(det);
    } else {
        // Seen edge-on the plane is a line: the point's place along it gives
        // the one offset, the other starts at the first cell.
        const double la = f.dax * f.dax + f.day * f.day, lb = f.dbx * f.dbx + f.dby * f.dby;
        if (la >= lb) {
            a = (ux * f.dax + uy * f.day) / la;
            spanA = 1.0 / std::sqrt(la);
            spanB = lb > 0.0 ? 1.0 / std::sqrt(lb) : HUGE_VAL;
            fromFirstRow = true;
        } else {
            b = (ux * f.dbx + uy * f.dby) / lb;
            spanB = 1.0 / std::sqrt(lb);
            spanA = la > 0.0 ? 1.0 / std::sqrt(la) : HUGE_VAL;
            fromFirstColumn = true;
        }
    }
    const long long ci = CellIndex(a, grid.a.pitch, grid.a.count);
    const long long cj = CellIndex(b, grid.b.pitch, grid.b.count);

    // Cells within two pixels of the point (a corner moves by less than one
    // when rounded) and one more, within the cap.
    auto radius = [](double span, double pitch) {
        const double r = std::ceil(2.0 * span / pitch) + 1.0;
        return r > static_cast<double>(kMaxRefineRadius) || !std::isfinite(r) ? kMaxRefineRadius + 1
                                                                               : static_cast<long long>(r);
    };
    const long long ri = radius(spanA, grid.a.pitch);
    const long long rj = radius(spanB, grid.b.pitch);
    if ((ri > kMaxRefineRadius || rj > kMaxRefineRadius) && !edgeOn) {
        // Cells far below a pixel, at least across: rounded to pixels, the
        // quadrangles are points, lines and slivers. The cell under the
        // exact point, when the point is in the grid at all and the grid's
        // quadrangles hold points at a size of some pixels (seen from
        // behind, or turned far round on the window, a quadrangle holds
        // none).
        if (a < 0.0 || b < 0.0 || a > grid.a.length || b > grid.b.length || !HoldsPoints(grid))
            return false;
        iFound = ci;
        jFound = cj;
        return true;
    }
    const long long iFrom = fromFirstColumn ? 0 : std::max(0LL, ci - std::min(ri, kMaxRefineRadius));
    const long long jFrom = fromFirstRow ? 0 : std::max(0LL, cj - std::min(rj, kMaxRefineRadius));
    const long long iTo = std::min(grid.a.count - 1, (fromFirstColumn ? 0 : ci) + std::min(ri, kMaxRefineRadius));
    const long long jTo = std::min(grid.b.count - 1, (fromFirstRow ? 0 : cj) + std::min(rj, kMaxRefineRadius));
    for (long long j = jFrom; j <= jTo; ++j)
        for (long long i = iFrom; i <= iTo; ++i)
            if (holds(i, j)) {
                iFound = i;
                jFound = j;
                return true;
            }
    return false;
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

    const WindowGrid grid{ProjectAxes(*this, CPoint3D(x0, y0, z), CPoint3D(1.0, 0.0, 0.0), CPoint3D(0.0, 1.0, 0.0)),
                          {px, nx, lengthX},
                          {py, ny, widthY}};
    long long i = 0, j = 0;
    if (!FindGridCell(grid, logical, cellHolds, i, j))
        return FALSE;
    position[0] = x0 + (static_cast<double>(i) + 0.5) * px;
    position[1] = y0 + (static_cast<double>(j) + 0.5) * py;
    position[2] = z;
    return TRUE;
}

BOOL CColorMapViewCore::HitTestPlaneDot(CPoint logical, double position[3]) const
{
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return FALSE;
    const CListeningPlane& plane = cond->GetPlane();
    void (*quadOf)(const CPlaceElement&, double*) = nullptr;
    // The axes across the plane: the dots run row by row along `rows`, each
    // row along `columns`.
    int columns = 0, rows = 0;
    if (plane.GetExtent(2) == 0.0) {
        quadOf = &GetQuadXY;
        columns = 0;
        rows = 1;
    } else if (plane.GetExtent(0) == 0.0) {
        quadOf = &GetQuadYZ;
        columns = 2;
        rows = 1;
    } else if (plane.GetExtent(1) == 0.0) {
        quadOf = &GetQuadXZ;
        columns = 0;
        rows = 2;
    }
    if (!quadOf)
        return FALSE;
    const CPlaceElementList& dots = plane.GetCells();
    auto dotHolds = [&](const CPlaceElement& dot) {
        double corners[12];
        quadOf(dot, corners);
        CPoint quad[4];
        ProjectWorldQuad(quad, corners);
        return InQuad(logical, quad);
    };
    auto found = [&](const CPlaceElement& dot) {
        const double* c = dot.GetCenter();
        position[0] = c[0];
        position[1] = c[1];
        position[2] = c[2];
        return TRUE;
    };

    // The dots as the plane lays them out: whole pitches from the origin,
    // the last of each row and column narrower, up to the extent.
    const double pitch = plane.GetPitch();
    const long long nColumns = DotCount(plane.GetExtent(columns), pitch);
    const long long nRows = DotCount(plane.GetExtent(rows), pitch);
    if (nColumns <= 0 || nRows <= 0 || static_cast<double>(nColumns) * static_cast<double>(nRows) !=
                                           static_cast<double>(dots.GetCount())) {
        // Dots that are not the plane's own grid: each one in turn.
        for (const auto& dot : dots)
            if (dotHolds(*dot))
                return found(*dot);
        return FALSE;
    }
    auto dotAt = [&](long long i, long long j) { return dots.GetAt(static_cast<std::size_t>(j * nColumns + i)); };

    CPoint3D origin(plane.GetOrigin(0), plane.GetOrigin(1), plane.GetOrigin(2)), along(0.0, 0.0, 0.0),
        across(0.0, 0.0, 0.0);
    (columns == 0 ? along.x : along.z) = 1.0;
    (rows == 1 ? across.y : across.z) = 1.0;
    // The quadrangle of a dot in a plane of constant x starts along y, its
    // rows; the others start along x, their columns.
    const WindowGrid grid{ProjectAxes(*this, origin, along, across),
                          {pitch, nColumns, plane.GetExtent(columns)},
                          {pitch, nRows, plane.GetExtent(rows)},
                          quadOf == &GetQuadYZ};
    long long i = 0, j = 0;
    if (!FindGridCell(grid, logical, [&](long long ci, long long cj) { return dotHolds(*dotAt(ci, cj)); }, i, j))
        return FALSE;
    return found(*dotAt(i, j));
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
        // Strictly within 4 pixels; in 64 bits, whatever pixel a speaker far
        // outside the room is pinned to.
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
