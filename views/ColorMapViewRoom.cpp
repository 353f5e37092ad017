// The room-parameters operation of the SPL map window and the readout of the
// level under the mouse.

#include "views/ColorMapViewCore.h"

#include "dialogs/PropertyDialog1.h"
#include "document/ColorMapCondition.h"
#include "document/InstallationContainer.h"
#include "document/KDRDoc.h"
#include "document/ListeningPlane.h"
#include "models/NumberFormat.h"
#include "models/SpeakerModel.h"
#include "platform/AppSettings.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "views/SPLMapCalculator.h"

#include <cmath>
#include <string>
#include <utility>

namespace {

// The plane's orientation (0 XY, 1 YZ, 2 XZ) and its five values in the
// orientation's axis order: first zero, second zero, first length, second
// length, position.
struct PlaneValues {
    int orientation = 0;
    double zero1 = 0.0, zero2 = 0.0, length1 = 0.0, length2 = 0.0, position = 0.0;
};

PlaneValues PlaneToDialog(const CListeningPlane& plane)
{
    const double* o = plane.GetOrigin();
    const double* e = plane.GetExtent();
    PlaneValues v;
    if (e[0] == 0.0 && e[2] != 0.0) {
        v = {1, o[1], o[2], e[1], e[2], o[0]};
    } else if (e[1] == 0.0 && e[2] != 0.0) {
        v = {2, o[2], o[0], e[2], e[0], o[1]};
    } else {
        // XY, and any plane without a single zero extent.
        v = {0, o[0], o[1], e[0], e[1], o[2]};
    }
    return v;
}

// Origin and extents of a plane from the dialog's orientation and values.
void PlaneFromDialog(const PlaneValues& v, double origin[3], double extent[3])
{
    switch (v.orientation) {
    case 1:
        origin[0] = v.position, origin[1] = v.zero1, origin[2] = v.zero2;
        extent[0] = 0.0, extent[1] = v.length1, extent[2] = v.length2;
        break;
    case 2:
        origin[0] = v.zero2, origin[1] = v.position, origin[2] = v.zero1;
        extent[0] = v.length2, extent[1] = 0.0, extent[2] = v.length1;
        break;
    default:
        origin[0] = v.zero1, origin[1] = v.zero2, origin[2] = v.position;
        extent[0] = v.length1, extent[1] = v.length2, extent[2] = 0.0;
        break;
    }
}

}  // namespace

int CColorMapViewCore::EditRoomParameters(BOOL bExisting)
{
    CKDRDoc& doc = m_doc;
    CInstallationContainer& room = doc.m_installations;
    const std::string projectName = doc.GetProjectName();
    const std::string date = doc.GetDate();

    int unit;
    if (!bExisting) {
        unit = AppSettings().m_nLengthUnit;
        doc.m_nLengthUnit = unit;
    } else {
        unit = doc.m_nLengthUnit;
    }

    CListeningPlane emptyPlane;
    const CColorMapCondition* condition = GetCondition();
    const CListeningPlane& plane = condition ? condition->GetPlane() : emptyPlane;
    const PlaneValues pv = PlaneToDialog(plane);

    CPropertyDialog1 dlg;
    dlg.SetParameters(projectName, date, unit, room.GetRoom(CInstallationContainer::kReferenceX0),
                      room.GetRoom(CInstallationContainer::kReferenceY0),
                      room.GetRoom(CInstallationContainer::kRoomLengthX),
                      room.GetRoom(CInstallationContainer::kRoomWidthY),
                      room.GetRoom(CInstallationContainer::kRoomHeight),
                      room.GetRoom(CInstallationContainer::kGridPitchX),
                      room.GetRoom(CInstallationContainer::kGridPitchY), pv.orientation, pv.zero1, pv.zero2,
                      pv.length1, pv.length2, pv.position, plane.GetPitch(), plane.GetTopLevel(),
                      plane.GetLevelStep(), doc.m_bSameAsRoom, room.m_nCeilingKind, bExisting ? 1 : 0,
                      doc.m_dAutoHeight, doc.m_nAdvancedMode);
    if (dlg.DoModal() != IDOK)
        return 1;

    doc.m_bSameAsRoom = dlg.m_bSameAsRoom;
    room.m_nCeilingKind = dlg.m_bHalfSpace;
    PlaneValues back;
    back.orientation = dlg.m_nOrientation;
    back.zero1 = dlg.m_dPlaneZero1;
    back.zero2 = dlg.m_dPlaneZero2;
    back.length1 = dlg.m_dPlaneLength;
    back.length2 = dlg.m_dPlaneWidth;
    back.position = dlg.m_dPlanePosition;
    double origin[3];
    double extent[3];
    PlaneFromDialog(back, origin, extent);
    const bool unitChanged = dlg.m_nUnit != doc.m_nLengthUnit;
    for (const auto& each : doc.m_colorMapConditions)
        each->GetPlane().Set(origin[0], origin[1], origin[2], extent[0], extent[1], extent[2], dlg.m_dDotPitch,
                             dlg.m_dColorMax, dlg.m_dColorPitch);
    doc.m_dAutoHeight = dlg.m_dCeilingHeight;
    doc.m_strProjectName = dlg.m_strProjectName;
    doc.m_strDate = dlg.m_strDate;

    const int newUnit = dlg.m_nUnit;
    doc.m_nLengthUnit = newUnit;
    AppSettings().m_nLengthUnit = newUnit;
    CInstallationContainer::SetApplicationLengthUnit(newUnit);
    AppSettings().WriteIniInt("LENGTH_UNIT", "LengthUnit", newUnit);

    room.SetRoom(CInstallationContainer::kReferenceX0, dlg.m_dRefX);
    room.SetRoom(CInstallationContainer::kReferenceY0, dlg.m_dRefY);
    room.SetRoom(CInstallationContainer::kRoomLengthX, dlg.m_dRoomLength);
    room.SetRoom(CInstallationContainer::kRoomWidthY, dlg.m_dRoomWidth);
    room.SetRoom(CInstallationContainer::kRoomHeight, dlg.m_dRoomHeight);
    room.SetRoom(CInstallationContainer::kGridPitchX, dlg.m_dGridPitchX);
    room.SetRoom(CInstallationContainer::kGridPitchY, dlg.m_dGridPitchY);

    ClearCursorReadout();
    if (unitChanged) {
        const double f = newUnit == 1 ? CPropertyDialog1::kMetresToFeet : CPropertyDialog1::kFeetToMetres;
        for (const auto& element : room.GetList()) {
            CPoint3D p = element->GetPosition();
            p.x *= f;
            p.y *= f;
            p.z *= f;
            element->SetPosition(p);
        }
        if (doc.m_bAutoInstalled) {
            for (double& d : doc.m_dAutoDistance)
                d *= f;
        }
        for (int i = 0; i < doc.m_models.GetCount(); ++i) {
            if (CSpeakerModel* model = doc.m_models.GetAt(i))
                model->SetUnitFlag(newUnit);
        }
        UpdateScrollSizes(TRUE);
    } else {
        UpdateScrollSizes(FALSE);
    }
    return 0;
}

namespace {

// The readout texts of a point under the window's condition: the band level
// at the point and its coordinates. False when there is nothing to show (no
// installation, no condition, a band without frequencies, a failed
// calculation).
bool ComposeCursorReadout(CKDRDoc& doc, const CColorMapCondition* condition, int conditionIndex,
                          const double point[3], std::string& levelText, std::string& pointText)
{
    if (doc.m_installations.GetCount() == 0 || !condition)
        return false;
    const double N = condition->GetBandFraction();
    const double fc = condition->GetFrequency();
    CSPLMapCalculator calc(doc, conditionIndex);
    const double ppo = calc.GetFirstInstallationPitch();
    int iLo = 0;
    int iHi = 0;
    CSPLMapCalculator::CalcBandIndices(fc, N, ppo, iLo, iHi);
    // The level is calculated here at the point itself, so it is live also
    // while the map waits for a recalculation.
    double pressure = 0.0;
    if (calc.CalcPressureAt(pressure, CPoint3D{point[0], point[1], point[2]}, iLo, iHi, ppo) != 0)
        return false;
    const double level = 20.0 * std::log10(pressure / 2e-5);

    const std::string unit = doc.m_nLengthUnit == 1 ? "[ft]" : "[m]";
    levelText = std::string("Average SPL @Cursor Point : ") + CColorMapViewCore::FormatLevel(level);
    pointText = "(X=" + FormatNumber(point[0], 4) + unit + " Y=" + FormatNumber(point[1], 4) + unit +
                " Z=" + FormatNumber(point[2], 4) + unit + ")";
    return true;
}

}  // namespace

void CColorMapViewCore::DrawCursorSPL(const double point[3])
{
    std::string levelText;
    std::string pointText;
    if (!ComposeCursorReadout(m_doc, GetCondition(), m_nConditionIndex, point, levelText, pointText))
        return;
    m_strCursorLevel = std::move(levelText);
    m_strCursorPoint = std::move(pointText);
    ShowCursorReadout();
}

void CColorMapViewCore::ClearCursorReadout()
{
    m_strCursorLevel.clear();
    m_strCursorPoint.clear();
}

CRect CColorMapViewCore::GetCursorReadoutRect(int width) const
{
    const int h = GetPassFont().height;
    const CPoint at = TextLinePosition(5, h);
    return CRect(0, at.y, width, at.y + h + 1);
}

void CColorMapViewCore::DrawCursorReadout(IDrawingContext& dc)
{
    if (m_strCursorLevel.empty())
        return;
    const CFontSpec previous = dc.SelectFont(GetPassFont());
    const int h = dc.GetFont().height;
    dc.SetBkColor(RGB(255, 255, 255));
    // Text line 5 under the map; the blanks clear an earlier, longer readout.
    const CPoint at = TextLinePosition(5, h);
    const int x2 = at.x + 20 * h;
    const std::string blanks(40, ' ');
    dc.TextOut(at.x, at.y, blanks);
    dc.TextOut(at.x, at.y, m_strCursorLevel);
    dc.TextOut(x2, at.y, blanks);
    dc.TextOut(x2, at.y, m_strCursorPoint);
    dc.SelectFont(previous);
}
