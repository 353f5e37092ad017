#include "views/ColorMapViewCore.h"

#include "document/ColorMapCondition.h"
#include "document/DocumentUi.h"
#include "document/KDRDoc.h"
#include "document/ListeningPlane.h"
#include "document/PlaceElement.h"
#include "models/Geometry.h"
#include "models/NumberFormat.h"
#include "models/OctaveFrequencies.h"
#include "resources/StringTable.h"
#include "views/SPLMapCalculator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// String ids of the band labels, in band-table order, and of the two
// summation modes.
constexpr unsigned kIdsBand[CColorMapViewCore::kBandCount] = {61606, 61607, 61608, 61609, 61610, 61611, 61612};
constexpr unsigned kIdsInterference = 65301;
constexpr unsigned kIdsEnergy = 65302;

// Lowest and highest frequency of the frequency choices, in Hz.
constexpr double kLowestFrequency = 20.0;
constexpr double kHighestFrequency = 20000.0;
// Frequency a condition without one looks for.
constexpr double kDefaultTargetFrequency = 1000.0;
// Band fractions beyond this are no octave band the program offers; the
// frequency series of such a value would be endless.
constexpr double kMaxBandFraction = 1000.0;

// Device coordinates stay within this bound, twice the largest scroll size:
// only points outside the map reach it (a speaker far outside the room, the
// end of an axis longer than the room is high). Drawn from any scroll
// position, a point stays inside what the painter places exactly: its
// fixed-point pixels reach 2^25.
constexpr std::int64_t kMaxDeviceCoordinate = std::int64_t{2} * CColorMapViewCore::kMaxScrollSize;

// v truncated toward zero, plus offset, as a device coordinate: exact within
// the bound, pinned to it beyond. A value that is no number counts as 0.
int ToDeviceCoordinate(double v, std::int64_t offset)
{
    constexpr double kFar = 4.0 * static_cast<double>(kMaxDeviceCoordinate);
    const std::int64_t t = std::isnan(v) ? 0 : static_cast<std::int64_t>(std::clamp(v, -kFar, kFar));
    return static_cast<int>(std::clamp(t + offset, -kMaxDeviceCoordinate, kMaxDeviceCoordinate));
}

// The main window is disabled while the calculation's progress dialog
// stands, and enabled again when it goes.
class CCalcProgress : public IProgress {
public:
    explicit CCalcProgress(std::unique_ptr<IProgress> inner) : m_inner(std::move(inner))
    {
        DocumentUi().ShowProgressDialog(*m_inner);
        DocumentUi().EnableMainWindow(false);
    }
    ~CCalcProgress() override
    {
        m_inner.reset();
        DocumentUi().EnableMainWindow(true);
    }
    void SetMessage(const std::string& text) override { m_inner->SetMessage(text); }
    void SetRange(int low, int high) override { m_inner->SetRange(low, high); }
    void SetPos(int pos) override { m_inner->SetPos(pos); }
    void ShowStopButton(bool show) override { m_inner->ShowStopButton(show); }
    bool PumpMessages() override { return m_inner->PumpMessages(); }

private:
    std::unique_ptr<IProgress> m_inner;
};

}  // namespace

const double CColorMapViewCore::kBandFractions[kBandCount] = {24.0, 12.0, 6.0, 3.0, 1.0, 0.5, 0.25};

CColorMapViewCore::CColorMapViewCore(CKDRDoc& doc) : m_doc(doc) {}

CColorMapViewCore::~CColorMapViewCore()
{
    if (!m_bHasCondition)
        return;
    CColorMapConditionList& list = m_doc.GetColorMapConditions();
    if (m_nConditionIndex < 0 || m_nConditionIndex >= list.GetCount())
        return;
    const int removed = m_nConditionIndex;
    list.RemoveAt(removed);
    if (list.GetCount() == 0)
        return;
    for (IView* view : m_doc.GetViews()) {
        auto* sister = dynamic_cast<CColorMapViewCore*>(view);
        if (sister && sister != this && sister->m_nConditionIndex > removed)
            --sister->m_nConditionIndex;
    }
}

CColorMapCondition* CColorMapViewCore::GetCondition() const
{
    return m_doc.GetColorMapConditions().GetAtOrNull(m_nConditionIndex);
}

// ---- life -------------------------------------------------------------------

void CColorMapViewCore::InitialUpdate()
{
    m_nFontHeight = 12;
    m_fontScreen = CFontSpec{};
    m_fontScreen.height = m_nFontHeight;

    CColorMapConditionList& list = m_doc.GetColorMapConditions();
    // Another SPL map window of the document already showing a condition:
    // this one is a further window and gets its own entry, so that closing
    // either leaves the other its map.
    bool sisterHasCondition = false;
    for (IView* view : m_doc.GetViews()) {
        const auto* sister = dynamic_cast<CColorMapViewCore*>(view);
        if (sister && sister != this && sister->m_bHasCondition)
            sisterHasCondition = true;
    }
    if (m_doc.m_bOpenedFromFile && list.GetCount() > 0 && !sisterHasCondition) {
        // A loaded project shows its stored map as it was saved.
        m_nConditionIndex = 0;
        m_bHasCondition = true;
        UpdateScrollSizes(FALSE);
        UpdateConditionControls(FALSE, FALSE);
        return;
    }

    // A new project (or a file that stored no map): a default plane.
    CListeningPlane plane;
    if (CInstallationContainer::GetApplicationLengthUnit() == 1)
        plane.Set(0.0, 0.0, 5.0, 30.0, 30.0, 0.0, 0.5, 100.0, 2.0);
    else
        plane.Set(0.0, 0.0, 1.5, 10.0, 10.0, 0.0, 0.25, 100.0, 2.0);
    if (list.GetCurrentIndex() >= 0 && list.GetCurrentIndex() < list.GetCount())
        list.AddCopyOf(list.GetCurrentIndex());
    else
        list.AddNew(0.0, 0.0, 1, 0, 0, kDefaultMargin.left, kDefaultMargin.top, kDefaultMargin.right,
                    kDefaultMargin.bottom, 0.0, plane, 0.0, 0.0, 0.0);
    m_nConditionIndex = list.GetCount() - 1;
    m_bHasCondition = true;

    if (!m_doc.m_bOpenedFromFile)
        EditRoomParameters(FALSE);

    if (CColorMapCondition* cond = GetCondition())
        cond->SetViewAngles(45.0, 75.0, 0.0);
    UpdateScrollSizes(TRUE);
    CalcColorMap();
    UpdateConditionControls(FALSE, FALSE);
}

void CColorMapViewCore::OnActivateView()
{
    if (m_bHasCondition)
        m_doc.GetColorMapConditions().SetCurrentIndex(m_nConditionIndex);
}

void CColorMapViewCore::OnUpdateHint(long hint)
{
    if (hint != kHintRecalcMaps)
        return;
    if (!m_doc.m_bManualRecalculation || m_doc.m_bRecalcRequested)
        CalcColorMap();
    ClearAndRedraw();
}

void CColorMapViewCore::CalcColorMap()
{
    if (!GetCondition())
        return;
    CSPLMapCalculator calc(m_doc, m_nConditionIndex);
    calc.SetProgressFactory([this]() { return CreateCalcProgress(); });
    calc.CalcColorMap();
}

std::unique_ptr<IProgress> CColorMapViewCore::CreateCalcProgress()
{
    std::unique_ptr<IProgress> dialog = DocumentUi().CreateProgressDialog();
    if (!dialog)
        return nullptr;
    return std::make_unique<CCalcProgress>(std::move(dialog));
}

// ---- choices ----------------------------------------------------------------

std::string CColorMapViewCore::GetBandName(double bandFraction)
{
    for (int i = 0; i < kBandCount; ++i)
        if (bandFraction == kBandFractions[i])
            return LoadStringId(kIdsBand[i]);
    return std::string();
}

int CColorMapViewCore::BandRowOfPitch(double pitch)
{
    // Only the pitches of speaker data start a list: 24, 12, 6, 3 and 1.
    for (int i = 0; i <= 4; ++i)
        if (pitch == kBandFractions[i])
            return i;
    return -1;
}

void CColorMapViewCore::UpdateConditionControls(BOOL bSave, BOOL bResetBand)
{
    const CSpeakerModel* model = m_doc.GetModels().GetCount() > 0 ? m_doc.GetModels().GetCurrent() : nullptr;
    CColorMapCondition* cond = GetCondition();
    if (!model || !cond) {
        if (!bSave) {
            ComboResetContent(kIdComboBand);
            ComboResetContent(kIdComboFrequency);
            ComboResetContent(kIdComboSumMode);
        }
        return;
    }

    double target = kDefaultTargetFrequency;
    if (!bSave) {
        if (m_doc.GetInstallations().GetCount() > 0)
            bResetBand = FALSE;
        const double pitch = model->GetFrequencyPitch();
        const int firstRow = BandRowOfPitch(pitch);
        ComboResetContent(kIdComboBand);
        if (firstRow >= 0)
            for (int i = firstRow; i < kBandCount; ++i)
                ComboAddString(kIdComboBand, LoadStringId(kIdsBand[i]));

        double n = cond->GetBandFraction() == 0.0 ? pitch : cond->GetBandFraction();
        int selection = 0;
        if (!bResetBand) {
            if (firstRow >= 0)
                for (int i = firstRow; i < kBandCount; ++i)
                    if (kBandFractions[i] == n)
                        selection = i - firstRow;
        } else if (pitch == 1.0) {
            n = 1.0;
            selection = 0;
        } else {
            n = 3.0;
            selection = firstRow >= 0 && firstRow <= 3 ? 3 - firstRow : 0;
        }
        ComboSetCurSel(kIdComboBand, selection);
        cond->SetBandFraction(n);
        if (cond->GetFrequency() != 0.0)
            target = cond->GetFrequency();
    } else {
        const double oldN = cond->GetBandFraction();
        // The item count tells which row the list began with.
        const int count = ComboGetCount(kIdComboBand);
        int selection = ComboGetCurSel(kIdComboBand);
        if (selection < 0)
            selection = 0;
        if (count >= 3 && count <= kBandCount) {
            const int row = kBandCount - count + selection;
            if (row < kBandCount)
                cond->SetBandFraction(kBandFractions[row]);
        }
        // The frequency of the selected item of the list as it still stands.
        int c = 0;
        int e = 0;
        CountOctaveFrequencies(c, e, kLowestFrequency, kHighestFrequency, oldN);
        int s = ComboGetCount(kIdComboFrequency) > 0 ? ComboGetCurSel(kIdComboFrequency) : 0;
        if (s < 0)
            s = 0;
        const int k = s + e - c;
        const double f = std::pow(10.0, 0.3 * k / oldN);
        if (std::isfinite(f) && f > 0.0)
            target = f;
    }

    // The frequency list of the band now stored.
    const double n = cond->GetBandFraction();
    ComboResetContent(kIdComboFrequency);
    if (n > 0.0 && n <= kMaxBandFraction) {
        const int digits = n > 6.0 ? 3 : 2;
        double best = 1000000.0;
        int item = 0;
        // The nearest item, the lower one on a tie. A frequency that is far
        // off or not a number (only from a damaged file) still selects an
        // item, so the frequency always ends on the series.
        int selection = -1;
        double selected = 0.0;
        for (int k = 0;; ++k) {
            const double f = std::pow(10.0, 0.3 * k / n);
            if (f >= kLowestFrequency && f <= kHighestFrequency) {
                ComboAddString(kIdComboFrequency, FormatNumber(f, digits) + "[Hz]");
                const double diff = std::fabs(f - target);
                if (diff < best || selection < 0) {
                    best = diff;
                    selection = item;
                    selected = f;
                }
                ++item;
            }
            if (f > kHighestFrequency)
                break;
        }
        if (selection >= 0) {
            ComboSetCurSel(kIdComboFrequency, selection);
            cond->SetFrequency(selected);
        }
    }

    if (!bSave) {
        ComboResetContent(kIdComboSumMode);
        ComboAddString(kIdComboSumMode, LoadStringId(kIdsInterference));
        ComboAddString(kIdComboSumMode, LoadStringId(kIdsEnergy));
        if (cond->GetSumMode() == 0)
            ComboSetCurSel(kIdComboSumMode, 0);
        else if (cond->GetSumMode() == 1)
            ComboSetCurSel(kIdComboSumMode, 1);
    } else {
        const int selection = ComboGetCurSel(kIdComboSumMode);
        if (selection == 0)
            cond->SetSumMode(0);
        else if (selection == 1)
            cond->SetSumMode(1);
    }
}

void CColorMapViewCore::OnCbnSelchangeBandFrequency()
{
    UpdateConditionControls(TRUE, FALSE);
    for (const auto& cond : m_doc.GetColorMapConditions())
        cond->GetPlane().Rebuild();
    OnUpdateHint(kHintRecalcMaps);
}

void CColorMapViewCore::OnCbnSelchangeSumMode()
{
    UpdateConditionControls(TRUE, FALSE);
    OnUpdateHint(kHintRecalcMaps);
}

// ---- projection -------------------------------------------------------------

CPoint3D CColorMapViewCore::GetViewRotation() const
{
    // Elements 0, 1, 2 are azimuth, rotation and elevation, the order of a
    // rotation triple.
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return CPoint3D();
    const double* v = cond->GetViewAngles();
    return CPoint3D(v[0], v[1], v[2]);
}

int CColorMapViewCore::ToDeviceX(double x) const
{
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return 0;
    return ToDeviceCoordinate((x - m_dMinX) * cond->GetScale() * 1000.0 - 0.5,
                              std::int64_t{cond->GetMargin().left} + 1);
}

int CColorMapViewCore::ToDeviceY(double y) const
{
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return 0;
    return ToDeviceCoordinate((y - m_dMinY) * cond->GetScale() * -1000.0 - 0.5,
                              std::int64_t{m_sizeTotal.cy} - cond->GetMargin().bottom + 1);
}

CPoint CColorMapViewCore::ProjectPoint(const CPoint3D& world) const
{
    CPoint3D p = world;
    p.Rotate(GetViewRotation());
    return CPoint(ToDeviceX(p.x), ToDeviceY(p.y));
}

void CColorMapViewCore::ProjectQuad(CPoint out[4], const double corners[12]) const
{
    static constexpr int kOrder[4] = {0, 3, 2, 1};
    for (int i = 0; i < 4; ++i) {
        const int c = kOrder[i];
        out[i] = CPoint(ToDeviceX(corners[c]), ToDeviceY(corners[4 + c]));
    }
}

void CColorMapViewCore::ProjectWorldQuad(CPoint out[4], const double corners[12]) const
{
    const CPoint3D r = GetViewRotation();
    double rotated[12];
    // The same turn as CPoint3D::Rotate: azimuth, elevation, rotation.
    CopyAndRotateFrame(rotated, corners, r.x, r.z, r.y);
    ProjectQuad(out, rotated);
}

namespace {

void SetCorner(double corners[12], int i, double x, double y, double z)
{
    corners[i] = x;
    corners[4 + i] = y;
    corners[8 + i] = z;
}

}  // namespace

void CColorMapViewCore::GetQuadXY(const CPlaceElement& dot, double corners[12])
{
    const double* c = dot.GetCenter();
    const double* s = dot.GetSize();
    const double hx = s[0] / 2.0;
    const double hy = s[1] / 2.0;
    SetCorner(corners, 0, c[0] - hx, c[1] - hy, c[2]);
    SetCorner(corners, 1, c[0] - hx, c[1] + hy, c[2]);
    SetCorner(corners, 2, c[0] + hx, c[1] + hy, c[2]);
    SetCorner(corners, 3, c[0] + hx, c[1] - hy, c[2]);
}

void CColorMapViewCore::GetQuadYZ(const CPlaceElement& dot, double corners[12])
{
    const double* c = dot.GetCenter();
    const double* s = dot.GetSize();
    const double hy = s[1] / 2.0;
    const double hz = s[2] / 2.0;
    SetCorner(corners, 0, c[0], c[1] - hy, c[2] - hz);
    SetCorner(corners, 1, c[0], c[1] - hy, c[2] + hz);
    SetCorner(corners, 2, c[0], c[1] + hy, c[2] + hz);
    SetCorner(corners, 3, c[0], c[1] + hy, c[2] - hz);
}

void CColorMapViewCore::GetQuadXZ(const CPlaceElement& dot, double corners[12])
{
    const double* c = dot.GetCenter();
    const double* s = dot.GetSize();
    const double hx = s[0] / 2.0;
    const double hz = s[2] / 2.0;
    SetCorner(corners, 0, c[0] - hx, c[1], c[2] - hz);
    SetCorner(corners, 1, c[0] - hx, c[1], c[2] + hz);
    SetCorner(corners, 2, c[0] + hx, c[1], c[2] + hz);
    SetCorner(corners, 3, c[0] + hx, c[1], c[2] - hz);
}

void CColorMapViewCore::UpdateScrollSizes(BOOL bFit)
{
    CColorMapCondition* cond = GetCondition();
    if (!cond)
        return;
    const CPoint3D rotation = GetViewRotation();
    const CInstallationContainer& room = m_doc.GetInstallations();

    // The room rectangle at the room's height, the plane and the origin.
    std::vector<CPoint3D> points;
    double corners[12] = {};
    CPoint3D(room.GetRoom(CInstallationContainer::kReferenceX0), room.GetRoom(CInstallationContainer::kReferenceY0),
             room.GetRoom(CInstallationContainer::kRoomHeight))
        .GetRectCorners(corners, CPoint3D(room.GetRoom(CInstallationContainer::kRoomLengthX),
                                          room.GetRoom(CInstallationContainer::kRoomWidthY), 0.0));
    for (int i = 0; i < 4; ++i)
        points.emplace_back(corners[i], corners[4 + i], corners[8 + i]);
    const CListeningPlane& plane = cond->GetPlane();
    double planeCorners[12] = {};
    CPoint3D(plane.GetOrigin(0), plane.GetOrigin(1), plane.GetOrigin(2))
        .GetRectCorners(planeCorners, CPoint3D(plane.GetExtent(0), plane.GetExtent(1), plane.GetExtent(2)));
    for (int i = 0; i < 4; ++i)
        points.emplace_back(planeCorners[i], planeCorners[4 + i], planeCorners[8 + i]);
    points.emplace_back(0.0, 0.0, 0.0);

    bool first = true;
    for (CPoint3D p : points) {
        p.Rotate(rotation);
        if (first) {
            m_dMinX = m_dMaxX = p.x;
            m_dMinY = m_dMaxY = p.y;
            first = false;
            continue;
        }
        m_dMinX = std::min(m_dMinX, p.x);
        m_dMaxX = std::max(m_dMaxX, p.x);
        m_dMinY = std::min(m_dMinY, p.y);
        m_dMaxY = std::max(m_dMaxY, p.y);
    }

    const double w1000 = (m_dMaxX - m_dMinX) * 1000.0;
    const double h1000 = (m_dMaxY - m_dMinY) * 1000.0;
    const CRect margin = cond->GetMargin();
    double s = cond->GetScale();
    if (bFit) {
        CSize area;
        if (m_bPrinting)
            area = CSize(m_nPageWidth * 80 / 100, m_nPageHeight * 80 / 100);
        else
            area = GetClientSize();
        const double a = static_cast<double>(area.cx - margin.left - margin.right);
        const double b = static_cast<double>(area.cy - margin.top);
        double fitted = 0.0;
        // A scene without width or height, or a window too small for the
        // margins, keeps the scale it has.
        if (w1000 > 0.0 && h1000 > 0.0 && a > 0.0) {
            if ((b - margin.bottom) / a <= h1000 / w1000)
                fitted = (b - 0.6 * margin.bottom) / h1000;
            else
                fitted = a / w1000;
        }
        if (fitted > 0.0 && std::isfinite(fitted)) {
            s = fitted;
            cond->SetScale(s);
        }
    }
    // A deep zoom, a view direction or a scale stored in a project may ask
    // for more than the largest picture.
    const double most = GetMaxScale();
    if (most > 0.0 && s > most) {
        s = most;
        cond->SetScale(s);
    }
    double w = w1000 * s;
    const double h = h1000 * s;
    if (!m_bPrinting && w < kMinScreenMapWidth)
        w = kMinScreenMapWidth;
    const int cx = ToDeviceCoordinate(w + margin.left + margin.right - 0.5, 1);
    const int cy = ToDeviceCoordinate(h + margin.bottom + margin.top - 0.5, 1);
    cond->SetTotalSize(CSize(cx, cy));
    m_sizeTotal = CSize(cx, cy);
    if (!m_bPrinting)
        OnScrollSizesChanged(m_sizeTotal);
}

double CColorMapViewCore::GetMaxScale() const
{
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return HUGE_VAL;
    // A pixel to spare for the rounding of the scroll size.
    const CRect& m = cond->GetMargin();
    const double w1000 = (m_dMaxX - m_dMinX) * 1000.0;
    const double h1000 = (m_dMaxY - m_dMinY) * 1000.0;
    double most = HUGE_VAL;
    if (w1000 > 0.0)
        most = std::min(most, (kMaxScrollSize - 1.0 - m.left - m.right) / w1000);
    if (h1000 > 0.0)
        most = std::min(most, (kMaxScrollSize - 1.0 - m.top - m.bottom) / h1000);
    return most;
}

// ---- size and direction commands -------------------------------------------

void CColorMapViewCore::Fit()
{
    ClearAndRedraw();
    UpdateScrollSizes(TRUE);
    ClearAndRedraw();
}

void CColorMapViewCore::Zoom(double factor)
{
    ClearAndRedraw();
    if (CColorMapCondition* cond = GetCondition())
        cond->SetScale(cond->GetScale() * factor);
    UpdateScrollSizes(FALSE);
    ClearAndRedraw();
}

void CColorMapViewCore::ZoomIn()
{
    Zoom(1.2);
}

void CColorMapViewCore::ZoomOut()
{
    Zoom(0.8333333333333334);
}

bool CColorMapViewCore::CanZoomIn() const
{
    const CColorMapCondition* cond = GetCondition();
    return cond && cond->GetScale() < GetMaxScale();
}

void CColorMapViewCore::SetViewAngles(double a, double b, double c)
{
    ClearAndRedraw();
    if (CColorMapCondition* cond = GetCondition())
        cond->SetViewAngles(a, b, c);
    UpdateScrollSizes(FALSE);
    ClearAndRedraw();
}

void CColorMapViewCore::ViewXAxisMinus()
{
    SetViewAngles(90.0, 90.0, 0.0);
}

void CColorMapViewCore::ViewYAxisPlus()
{
    SetViewAngles(0.0, 90.0, 0.0);
}

void CColorMapViewCore::ViewZAxisMinus()
{
    SetViewAngles(0.0, 0.0, 0.0);
}

void CColorMapViewCore::ViewDiagonal()
{
    SetViewAngles(45.0, 75.0, 0.0);
}

void CColorMapViewCore::Redraw()
{
    ClearAndRedraw();
    UpdateScrollSizes(FALSE);
    ClearAndRedraw();
}

bool CColorMapViewCore::OnViewRoomCommand(unsigned id)
{
    switch (id) {
    case CKDRDoc::kCmdViewRoomSizeFit: Fit(); return true;
    case CKDRDoc::kCmdViewRoomSizeZoomIn: ZoomIn(); return true;
    case CKDRDoc::kCmdViewRoomSizeZoomOut: ZoomOut(); return true;
    case CKDRDoc::kCmdViewRoomDirectionXAxisMinus: ViewXAxisMinus(); return true;
    case CKDRDoc::kCmdViewRoomDirectionYAxisPlus: ViewYAxisPlus(); return true;
    case CKDRDoc::kCmdViewRoomDirectionZAxisMinus: ViewZAxisMinus(); return true;
    case CKDRDoc::kCmdViewRoomDirectionDiagonal: ViewDiagonal(); return true;
    default: return false;
    }
}

// ---- printing -------------------------------------------------------------------

bool CColorMapViewCore::OnPreparePrinting(CPrintInfo& info)
{
    // The page count is known only once the printer is (OnBeginPrinting);
    // until then any page may be asked for.
    info.m_nMaxPage = kMaxPrintPages;
    return true;
}

void CColorMapViewCore::OnBeginPrinting(IDrawingContext& dc, CPrintInfo& info)
{
    m_bPrinting = TRUE;
    const int horz = dc.GetDeviceCaps(HORZRES);
    const int vert = dc.GetDeviceCaps(VERTRES);
    m_nPageWidth = horz;
    m_nPageHeight = vert;
    m_rectPrintMargin = CRect(horz * 35 / 100, vert / 10, 0, vert / 3);
    m_rectPrintTable = CRect(horz * 10 / 100, vert / 10, 0, vert / 10);
    // The print font follows the printer of this job (a later job may go to
    // a printer of another resolution). A page too small for one dot of
    // text still gets rows of one dot.
    m_nPrintFontHeight = std::max(1, m_nFontHeight * vert / 1200);
    m_fontPrint = m_fontScreen;
    m_fontPrint.height = m_nPrintFontHeight;
    m_doc.CalcPrintPages(&dc, static_cast<unsigned>(m_nPrintFontHeight), static_cast<unsigned>(vert / 10),
                         static_cast<unsigned>(vert / 3));
    info.m_nMaxPage = m_doc.m_nPrintPageCount;

    if (CColorMapCondition* cond = GetCondition()) {
        m_rectSavedMargin = cond->GetMargin();
        cond->SetMargin(m_rectPrintMargin);
        m_dSavedScale = cond->GetScale();
    }
    UpdateScrollSizes(TRUE);
}

void CColorMapViewCore::OnPrint(IDrawingContext& dc, CPrintInfo& info)
{
    if (info.m_nCurPage == 1) {
        DrawMap(dc);
        DrawColorLegend(dc);
    }
    PrintInstallationTable(dc, info);
    // The job ends with the last page of the table.
    if (info.m_nCurPage >= info.m_nMaxPage)
        info.m_bContinuePrinting = false;
}

void CColorMapViewCore::OnEndPrinting(IDrawingContext& dc, CPrintInfo& info)
{
    (void)dc;
    (void)info;
    m_bPrinting = FALSE;
    if (CColorMapCondition* cond = GetCondition()) {
        cond->SetMargin(m_rectSavedMargin);
        cond->SetScale(m_dSavedScale);
    }
    UpdateScrollSizes(FALSE);
}
