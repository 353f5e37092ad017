// The drawing pass of the SPL map window: colour dots, room, grid, axes,
// speakers, plane labels, caption and the colour legend.

#include "views/ColorMapViewCore.h"

#include "document/ColorMapCondition.h"
#include "document/KDRDoc.h"
#include "document/ListeningPlane.h"
#include "document/PlaceElement.h"
#include "models/Geometry.h"
#include "models/NumberFormat.h"
#include "resources/StringTable.h"

#include <cmath>
#include <cstring>
#include <type_traits>
#include <utility>

namespace {

constexpr unsigned kIdsScreenCaption = 61679;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr CPenSpec kRoomPen{PS_SOLID, 1, RGB(200, 200, 200)};
constexpr CPenSpec kAxisPen{PS_SOLID, 2, RGB(127, 127, 127)};
constexpr CPenSpec kSpeakerPen{PS_SOLID, 1, RGB(0, 0, 0)};

// More grid lines than any screen or page can show apart; a pitch that
// would ask for more (or one of 0) draws no lines of that direction.
constexpr double kMaxGridLines = 10000.0;

// How many interior grid lines a room length holds at a pitch.
unsigned GridLineCount(double length, double pitch)
{
    const double quotient = length / pitch;
    if (!(pitch > 0.0) || !std::isfinite(quotient) || quotient > kMaxGridLines || !(quotient > 1.0))
        return 0;
    unsigned count = 0;
    for (unsigned i = 1; static_cast<double>(i) < quotient; ++i)
        ++count;
    return count;
}

}  // namespace

CFontSpec CColorMapViewCore::GetPassFont() const
{
    return m_bPrinting ? m_fontPrint : m_fontScreen;
}

std::string CColorMapViewCore::GetUnitText() const
{
    return m_doc.m_nLengthUnit == 1 ? "[ft]" : "[m]";
}

void CColorMapViewCore::OnDraw(IDrawingContext& dc)
{
    DrawMap(dc);
    DrawColorLegend(dc);
}

namespace {

// FNV-1a over 64 bits.
class CHash {
public:
    void Add(const void* data, std::size_t size)
    {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            m_value ^= p[i];
            m_value *= 0x100000001B3ULL;
        }
    }
    template <class T>
    void Add(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        Add(&value, sizeof value);
    }
    void Add(const std::string& text)
    {
        Add(text.size());
        Add(text.data(), text.size());
    }
    std::uint64_t Value() const { return m_value; }

private:
    std::uint64_t m_value = 0xCBF29CE484222325ULL;
};

// A drawing context that draws nothing and hashes every operation and its
// arguments.
class CHashingDC : public IDrawingContext {
public:
    explicit CHashingDC(CHash& hash) : m_h(hash) {}
    void MoveTo(int x, int y) override { Op(1, x, y); }
    void LineTo(int x, int y) override { Op(2, x, y); }
    void Polyline(const std::vector<CPoint>& points) override { Points(3, points); }
    void Polygon(const std::vector<CPoint>& points) override { Points(4, points); }
    void Rectangle(int l, int t, int r, int b) override { Op(5, l, t, r, b); }
    void Ellipse(int l, int t, int r, int b) override { Op(6, l, t, r, b); }
    void FillPolygon(const std::vector<CPoint>& points, COLORREF color) override
    {
        Points(7, points);
        m_h.Add(color);
    }
    void FillSolidRect(const CRect& r, COLORREF color) override { Op(8, r.left, r.top, r.right, r.bottom, color); }
    void FillRect(const CRect& r, COLORREF color) override { Op(9, r.left, r.top, r.right, r.bottom, color); }
    void TextOut(int x, int y, const std::string& text) override
    {
        Op(10, x, y);
        m_h.Add(text);
    }
    CSize GetTextExtent(const std::string& text) override
    {
        m_h.Add(11);
        m_h.Add(text);
        return CSize();
    }
    CPenSpec SelectPen(const CPenSpec& pen) override
    {
        Op(12, pen.style, pen.width, static_cast<int>(pen.color));
        return std::exchange(m_pen, pen);
    }
    CBrushSpec SelectBrush(const CBrushSpec& brush) override
    {
        Op(13, brush.hollow ? 1 : 0, static_cast<int>(brush.color));
        return std::exchange(m_brush, brush);
    }
    CFontSpec SelectFont(const CFontSpec& font) override
    {
        Op(14, font.height, font.weight);
        m_h.Add(font.face);
        return std::exchange(m_font, font);
    }
    CFontSpec GetFont() const override { return m_font; }
    COLORREF SetTextColor(COLORREF color) override { return Set(15, m_textColor, color); }
    COLORREF SetBkColor(COLORREF color) override { return Set(16, m_bkColor, color); }
    int SetBkMode(int mode) override { return Set(17, m_bkMode, mode); }
    int SetPolyFillMode(int mode) override { return Set(18, m_fillMode, mode); }
    int GetDeviceCaps(int) const override { return 0; }
    void DrawIcon(int x, int y, unsigned iconId) override { Op(19, x, y, static_cast<int>(iconId)); }
    bool IsPrinting() const override { return false; }

private:
    template <class... T>
    void Op(int kind, T... values)
    {
        m_h.Add(kind);
        (m_h.Add(values), ...);
    }
    void Points(int kind, const std::vector<CPoint>& points)
    {
        m_h.Add(kind);
        m_h.Add(points.size());
        for (const CPoint& p : points)
            Op(0, p.x, p.y);
    }
    template <class T>
    T Set(int kind, T& field, T value)
    {
        Op(kind, value);
        return std::exchange(field, value);
    }

    CHash& m_h;
    CPenSpec m_pen;
    CBrushSpec m_brush;
    CFontSpec m_font;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    int m_fillMode = ALTERNATE;
};

}  // namespace

std::uint64_t CColorMapViewCore::GetPictureKey()
{
    CHash hash;
    // Everything but the dots, as the pass draws it.
    {
        CHashingDC dc(hash);
        m_bPictureKeyPass = true;
        DrawMap(dc);
        m_bPictureKeyPass = false;
        DrawColorLegend(dc);
    }
    // The dots: where the projection puts them and the colour of each.
    hash.Add(m_bPrinting);
    hash.Add(m_dMinX);
    hash.Add(m_dMinY);
    hash.Add(m_sizeTotal.cx);
    hash.Add(m_sizeTotal.cy);
    hash.Add(m_doc.GetInstallations().GetCount() > 0);
    if (const CColorMapCondition* cond = GetCondition()) {
        hash.Add(cond->GetScale());
        const CRect& m = cond->GetMargin();
        hash.Add(m.left), hash.Add(m.top), hash.Add(m.right), hash.Add(m.bottom);
        const double* v = cond->GetViewAngles();
        hash.Add(v[0]), hash.Add(v[1]), hash.Add(v[2]);
        const CListeningPlane& plane = cond->GetPlane();
        for (int i = 0; i < 3; ++i)
            hash.Add(plane.GetOrigin(i)), hash.Add(plane.GetExtent(i));
        hash.Add(plane.GetPitch());
        for (COLORREF c : plane.GetColors())
            hash.Add(c);
        for (double t : plane.GetThresholds())
            hash.Add(t);
        hash.Add(plane.GetCells().GetCount());
        // The levels alone: a dot's place and size follow from the plane's
        // origin, extents and pitch.
        std::uint64_t levels = 0x9E3779B97F4A7C15ULL;
        for (const auto& dot : plane.GetCells()) {
            std::uint64_t bits;
            const double level = dot->GetLevel();
            std::memcpy(&bits, &level, sizeof bits);
            levels = (levels ^ bits) * 0x100000001B3ULL;
            levels ^= levels >> 29;
        }
        hash.Add(levels);
    }
    return hash.Value();
}

void CColorMapViewCore::DrawMap(IDrawingContext& dc)
{
    if (!GetCondition())
        return;
    const CFontSpec font = GetPassFont();
    const CFontSpec oldFont = dc.SelectFont(font);
    const int h = font.height;
    dc.SetPolyFillMode(ALTERNATE);

    // The picture key takes the dots from the plane itself.
    if (!m_bPictureKeyPass) {
        if (m_doc.GetInstallations().GetCount() > 0)
            DrawColorDots(dc);
        else
            DrawPlaneBackground(dc);
    }
    DrawRoomOutline(dc);
    DrawRoomGrid(dc);
    DrawAxes(dc);
    DrawSpeakers(dc);
    DrawPlaneDimensions(dc, h);

    DrawRoomInfo(dc, h);
    DrawSPLSummary(dc, h);
    DrawAmplifierPower(dc, h);
    if (m_doc.m_bAutoInstalled == 1)
        DrawAutoInstallationInfo(dc, h);
    else
        EraseAutoInstallationInfo(dc, h);

    if (m_bPrinting)
        DrawConditionCaption(dc, h);
    else
        dc.TextOut(0, 0, LoadStringId(kIdsScreenCaption));
    dc.SelectFont(oldFont);
}

void CColorMapViewCore::FillQuad(IDrawingContext& dc, const CPoint points[4], COLORREF color)
{
    dc.FillPolygon(std::vector<CPoint>(points, points + 4), color);
}

void CColorMapViewCore::DrawColorDots(IDrawingContext& dc)
{
    const CListeningPlane& plane = GetCondition()->GetPlane();
    void (*quadOf)(const CPlaceElement&, double*) = nullptr;
    if (plane.GetExtent(2) == 0.0)
        quadOf = &GetQuadXY;
    else if (plane.GetExtent(0) == 0.0)
        quadOf = &GetQuadYZ;
    else if (plane.GetExtent(1) == 0.0)
        quadOf = &GetQuadXZ;
    if (!quadOf)
        return;
    for (const auto& dot : plane.GetCells()) {
        double corners[12];
        quadOf(*dot, corners);
        CPoint quad[4];
        ProjectWorldQuad(quad, corners);
        FillQuad(dc, quad, plane.GetColor(dot->GetLevel()));
    }
}

void CColorMapViewCore::DrawPlaneBackground(IDrawingContext& dc)
{
    const CListeningPlane& plane = GetCondition()->GetPlane();
    if (plane.GetColors().empty())
        return;
    double corners[12] = {};
    CPoint3D(plane.GetOrigin(0), plane.GetOrigin(1), plane.GetOrigin(2))
        .GetRectCorners(corners, CPoint3D(plane.GetExtent(0), plane.GetExtent(1), plane.GetExtent(2)));
    CPoint quad[4];
    ProjectWorldQuad(quad, corners);
    FillQuad(dc, quad, plane.GetColors().back());
}

void CColorMapViewCore::DrawRoomOutline(IDrawingContext& dc)
{
    const CInstallationContainer& room = m_doc.GetInstallations();
    double corners[12] = {};
    CPoint3D(room.GetRoom(CInstallationContainer::kReferenceX0), room.GetRoom(CInstallationContainer::kReferenceY0),
             room.GetRoom(CInstallationContainer::kRoomHeight))
        .GetRectCorners(corners, CPoint3D(room.GetRoom(CInstallationContainer::kRoomLengthX),
                                          room.GetRoom(CInstallationContainer::kRoomWidthY), 0.0));
    CPoint p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = ProjectPoint(CPoint3D(corners[i], corners[4 + i], corners[8 + i]));
    const CPenSpec oldPen = dc.SelectPen(kRoomPen);
    dc.MoveTo(p[0].x, p[0].y);
    dc.LineTo(p[1].x, p[1].y);
    dc.LineTo(p[2].x, p[2].y);
    dc.LineTo(p[3].x, p[3].y);
    dc.LineTo(p[0].x, p[0].y);
    dc.SelectPen(oldPen);
}

void CColorMapViewCore::DrawRoomGrid(IDrawingContext& dc)
{
    const CInstallationContainer& room = m_doc.GetInstallations();
    const double ox = room.GetRoom(CInstallationContainer::kReferenceX0);
    const double oy = room.GetRoom(CInstallationContainer::kReferenceY0);
    const double z = room.GetRoom(CInstallationContainer::kRoomHeight);
    const double lengthX = room.GetRoom(CInstallationContainer::kRoomLengthX);
    const double widthY = room.GetRoom(CInstallationContainer::kRoomWidthY);
    const double pitchX = room.GetRoom(CInstallationContainer::kGridPitchX);
    const double pitchY = room.GetRoom(CInstallationContainer::kGridPitchY);

    const CPenSpec oldPen = dc.SelectPen(kRoomPen);
    auto line = [&](const CPoint3D& from, const CPoint3D& to) {
        const CPoint a = ProjectPoint(from);
        const CPoint b = ProjectPoint(to);
        dc.MoveTo(a.x, a.y);
        dc.LineTo(b.x, b.y);
    };
    // Lines parallel to x, then lines parallel to y.
    const unsigned rows = GridLineCount(widthY, pitchY);
    for (unsigned i = 1; i <= rows; ++i) {
        const double y = oy + i * pitchY;
        line(CPoint3D(ox, y, z), CPoint3D(ox + lengthX, y, z));
    }
    const unsigned columns = GridLineCount(lengthX, pitchX);
    for (unsigned i = 1; i <= columns; ++i) {
        const double x = ox + i * pitchX;
        line(CPoint3D(x, oy, z), CPoint3D(x, oy + widthY, z));
    }
    dc.SelectPen(oldPen);
}

void CColorMapViewCore::DrawAxes(IDrawingContext& dc)
{
    const CPenSpec oldPen = dc.SelectPen(kAxisPen);
    dc.SetBkColor(kWhite);
    dc.SetBkMode(TRANSPARENT);
    const double length = m_doc.GetInstallations().GetRoom(CInstallationContainer::kRoomLengthX) / 10.0;
    const CPoint origin = ProjectPoint(CPoint3D(0.0, 0.0, 0.0));
    const CPoint3D ends[3] = {CPoint3D(length, 0.0, 0.0), CPoint3D(0.0, length, 0.0), CPoint3D(0.0, 0.0, length)};
    static const char* const kNames[3] = {"X", "Y", "Z"};
    for (int i = 0; i < 3; ++i) {
        const CPoint e = ProjectPoint(ends[i]);
        dc.TextOut(e.x, e.y, kNames[i]);
        dc.MoveTo(origin.x, origin.y);
        dc.LineTo(e.x, e.y);
    }
    dc.SelectPen(oldPen);
}

void CColorMapViewCore::DrawSpeakers(IDrawingContext& dc)
{
    const CInstallationContainer& room = m_doc.GetInstallations();
    const CPenSpec oldPen = dc.SelectPen(kSpeakerPen);
    const CInstallationElement* current = room.GetCurrent();
    const int arm = m_nPageWidth / 80;
    for (int i = 0; i < room.GetCount(); ++i) {
        const CInstallationElement* element = room.GetAt(i);
        if (!element)
            continue;
        const CPoint p = ProjectPoint(element->GetPosition());
        if (!m_bPrinting) {
            dc.DrawIcon(p.x - 16, p.y - 16, element == current ? IDI_CURRENT_SPEAKER : IDI_SPEAKER);
        } else {
            const int dx[4] = {arm, arm, -arm, -arm};
            const int dy[4] = {arm, -arm, arm, -arm};
            for (int k = 0; k < 4; ++k) {
                dc.MoveTo(p.x, p.y);
                dc.LineTo(p.x + dx[k], p.y + dy[k]);
            }
        }
    }
    dc.SelectPen(oldPen);
}

void CColorMapViewCore::DrawPlaneDimensions(IDrawingContext& dc, int h)
{
    dc.SetBkColor(kWhite);
    dc.SetBkMode(TRANSPARENT);
    const CListeningPlane& plane = GetCondition()->GetPlane();
    const double ox = plane.GetOrigin(0), oy = plane.GetOrigin(1), oz = plane.GetOrigin(2);
    const double sx = plane.GetExtent(0), sy = plane.GetExtent(1), sz = plane.GetExtent(2);

    struct Label {
        double value;
        CPoint3D at;
    };
    // Two number labels and the unit's place for each in-plane axis.
    Label first[2], second[2];
    CPoint3D firstUnit, secondUnit;
    if (sz == 0.0) {
        first[0] = {ox, CPoint3D(ox, oy + sy, oz)};
        first[1] = {ox + sx, CPoint3D(ox + sx, oy + sy, oz)};
        firstUnit = CPoint3D(ox + sx / 2.0, oy + sy, oz);
        second[0] = {oy, CPoint3D(ox + sx, oy, oz)};
        second[1] = {oy + sy, CPoint3D(ox + sx, oy + sy, oz)};
        secondUnit = CPoint3D(ox + sx, oy + sy / 2.0, oz);
    } else if (sx == 0.0) {
        first[0] = {oy, CPoint3D(ox, oy, oz + sz)};
        first[1] = {oy + sy, CPoint3D(ox, oy + sy, oz + sz)};
        firstUnit = CPoint3D(ox, oy + sy / 2.0, oz + sz);
        second[0] = {oz, CPoint3D(ox, oy + sy, oz)};
        second[1] = {oz + sz, CPoint3D(ox, oy + sy, oz + sz)};
        secondUnit = CPoint3D(ox, oy + sy, oz + sz / 2.0);
    } else if (sy == 0.0) {
        first[0] = {ox, CPoint3D(ox, oy, oz + sz)};
        first[1] = {ox + sx, CPoint3D(ox + sx, oy, oz + sz)};
        firstUnit = CPoint3D(ox + sx / 2.0, oy, oz + sz);
        second[0] = {oz, CPoint3D(ox + sx, oy, oz)};
        second[1] = {oz + sz, CPoint3D(ox + sx, oy, oz + sz)};
        secondUnit = CPoint3D(ox + sx, oy, oz + sz / 2.0);
    } else {
        return;
    }
    for (const Label& label : first) {
        const CPoint p = ProjectPoint(label.at);
        dc.TextOut(p.x, p.y - h, FormatNumber(label.value, 4));
    }
    for (const Label& label : second) {
        const CPoint p = ProjectPoint(label.at);
        dc.TextOut(p.x, p.y, FormatNumber(label.value, 4));
    }
    const std::string unit = GetUnitText();
    const CPoint u1 = ProjectPoint(firstUnit);
    dc.TextOut(u1.x, u1.y - h, unit);
    const CPoint u2 = ProjectPoint(secondUnit);
    dc.TextOut(u2.x, u2.y, unit);
}

void CColorMapViewCore::DrawColorLegend(IDrawingContext& dc)
{
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return;
    const CFontSpec font = GetPassFont();
    const CFontSpec oldFont = dc.SelectFont(font);
    const int h = font.height;
    const std::vector<COLORREF>& colors = cond->GetPlane().GetColors();
    const std::vector<double>& thresholds = cond->GetPlane().GetThresholds();
    const int x0 = m_bPrinting ? m_nPageWidth * 2 / 10 : 5;
    const int top = m_bPrinting ? m_rectPrintMargin.top : 2 * h + GetComboStripHeight();
    const int textX = x0 + h + h / 2;
    auto threshold = [&thresholds](std::size_t i) {
        return i < thresholds.size() ? FormatNumber(thresholds[i], 5) : std::string();
    };
    int y = top;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        y = top + static_cast<int>(i) * h;
        dc.FillSolidRect(CRect(x0, y, x0 + h, y + h), colors[i]);
        dc.SetBkColor(kWhite);
        const std::string upper = i == 0 ? std::string() : threshold(i - 1);
        const std::string lower = i + 1 == colors.size() ? std::string() : threshold(i);
        dc.TextOut(textX, y, upper + " - " + lower);
    }
    // One line below the last row; in the first row's place without rows.
    dc.TextOut(textX, colors.empty() ? top : y + h, "[dB]");
    dc.SelectFont(oldFont);
}
