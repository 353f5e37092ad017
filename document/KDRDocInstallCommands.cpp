// The document's installation and room commands: installing a speaker by
// hand, editing and removing installations, the automatic layout, the room
// parameters, the forced recalculation and the paging of the printed
// installation table.

#include "document/AutoInstallLayout.h"
#include "document/DocumentUi.h"
#include "document/DocumentViewLinks.h"
#include "document/InstallationUi.h"
#include "document/KDRDoc.h"
#include "models/StdSPModel.h"
#include "platform/DataExchange.h"
#include "platform/DrawingContext.h"
#include "platform/MessageBox.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr unsigned kStrConfirmRemoveSpeaker = 61633;
constexpr unsigned kStrSamePosition = 61634;
constexpr unsigned kStrMixedImpedance = 61663;
constexpr unsigned kStrDoubtfulResult = 61690;
constexpr unsigned kStrPlaneAtRoomHeight = 61692;
constexpr unsigned kStrAutoNoCoverage = 39320;
constexpr unsigned kStrAutoTooManySpeakers = 39321;
constexpr unsigned kStrAutoNoSpacing = 39322;
constexpr unsigned kStrAutoNoArea = 39323;

// The drop of the coverage scan, in dB.
constexpr double kCoverageDrop = 6.0;

// The current tap of a model as an installation stores it.
DWORD TapIndexOf(const CSpeakerModel& model)
{
    return static_cast<DWORD>(std::max(0, model.GetCurrentTap()));
}

bool SamePlace(const CInstallationElement& e, const CInstallationValues& v)
{
    const CPoint3D& p = e.GetPosition();
    const CPoint3D& a = e.GetAngles();
    return p.x == v.pos[0] && p.y == v.pos[1] && p.z == v.pos[2] && a.x == v.angles[0] && a.y == v.angles[1] &&
           a.z == v.angles[2];
}

// The condition index an SPL map view works on.
int ConditionIndexOf(const IColorMapViewLink& view, const CKDRDoc& doc)
{
    const int index = view.GetConditionIndex();
    return index >= 0 ? index : doc.m_colorMapConditions.GetCurrentIndex();
}

// Why the automatic installation laid no grid.
std::string AutoInstallFailureText(bool scanFailed, CAutoInstallLayout::Failure failure)
{
    if (scanFailed)
        return LoadStringId(kStrAutoNoCoverage);
    switch (failure) {
    case CAutoInstallLayout::kTooManySpeakers:
        return DataExchange::FormatString2(LoadStringId(kStrAutoTooManySpeakers),
                                           std::to_string(CAutoInstallLayout::kMaxSpeakers), std::string());
    case CAutoInstallLayout::kNoArea: return LoadStringId(kStrAutoNoArea);
    default: return LoadStringId(kStrAutoNoSpacing);
    }
}

// What an automatic installation writes before it knows whether it lays a
// grid: the remembered dialog values, the flag of the automatic layout and
// the cursor curve of every graph. An attempt that lays nothing puts them
// back, so the project is exactly as it was.
struct AutoInstallState {
    explicit AutoInstallState(const CKDRDoc& doc)
        : height(doc.m_dAutoHeight), angles(doc.m_ptAutoAngles), overlapMode(doc.m_nAutoOverlapMode),
          layoutPattern(doc.m_nAutoLayoutPattern), centerFreq(doc.m_dAutoCenterFreq), band(doc.m_dAutoBand),
          autoInstalled(doc.m_bAutoInstalled)
    {
        const CSoundGraphConditionList& graphs = doc.m_soundGraphConditions;
        for (int i = 0; i < graphs.GetCount(); ++i) {
            const CSoundGraphData* curve = graphs.GetGraph(i).GetCurve(0);
            cursorCurves.push_back(curve != nullptr ? *curve : CSoundGraphData());
        }
    }

    void RestoreValues(CKDRDoc& doc) const
    {
        doc.m_dAutoHeight = height;
        doc.m_ptAutoAngles = angles;
        doc.m_nAutoOverlapMode = overlapMode;
        doc.m_nAutoLayoutPattern = layoutPattern;
        doc.m_dAutoCenterFreq = centerFreq;
        doc.m_dAutoBand = band;
        doc.m_bAutoInstalled = autoInstalled;
    }

    void RestoreCursorCurves(CKDRDoc& doc) const
    {
        CSoundGraphConditionList& graphs = doc.m_soundGraphConditions;
        for (int i = 0; i < graphs.GetCount() && i < static_cast<int>(cursorCurves.size()); ++i) {
            if (CSoundGraphData* curve = graphs.GetGraph(i).GetCurve(0))
                *curve = cursorCurves[static_cast<std::size_t>(i)];
        }
    }

    double height;
    CPoint3D angles;
    int overlapMode;
    int layoutPattern;
    double centerFreq;
    double band;
    BOOL autoInstalled;
    std::vector<CSoundGraphData> cursorCurves;
};

}  // namespace

// ---- command routing ----------------------------------------------------

bool CKDRDoc::OnInstallCommand(unsigned id)
{
    switch (id) {
    case kCmdRoomParameters: OnRoomParameters(); return true;
    case kCmdInstallationAuto: OnInstallationAuto(); return true;
    case kCmdInstallationManually: OnInstallationManually(); return true;
    case kCmdInstallationProperties: OnInstallationProperties(); return true;
    case kCmdInstallationRemove: OnInstallationRemove(); return true;
    case kCmdInstallationRemoveAll: OnInstallationRemoveAll(); return true;
    case kCmdToolRecalculate: OnToolRecalculate(); return true;
    default: return false;
    }
}

bool CKDRDoc::GetInstallCommandEnabled(unsigned id, bool& enabled) const
{
    switch (id) {
    case kCmdRoomParameters: enabled = true; return true;
    case kCmdInstallationAuto: enabled = OnUpdateInstallationAuto(); return true;
    case kCmdInstallationManually: {
        bool e = enabled;
        if (OnUpdateInstallationManually(e))
            enabled = e;
        return true;
    }
    case kCmdInstallationProperties:
    case kCmdInstallationRemove:
    case kCmdInstallationRemoveAll:
    case kCmdToolRecalculate: enabled = OnUpdateNeedInstallation(); return true;
    default: return false;
    }
}

bool CKDRDoc::OnUpdateInstallationAuto() const
{
    for (const auto& condition : m_colorMapConditions) {
        if (condition->GetPlane().GetExtent(2) != 0.0)
            return false;
    }
    const CSpeakerModel* model = m_models.GetCurrent();
    return model != nullptr && model->CanAutoInstall() != FALSE;
}

bool CKDRDoc::OnUpdateInstallationManually(bool& enabled) const
{
    if (m_nDragInstallState == 0) {
        enabled = false;
        return true;
    }
    if (m_nDragInstallState == 2) {
        enabled = m_models.GetCount() > 0;
        return true;
    }
    return false;
}

bool CKDRDoc::OnUpdateNeedInstallation() const { return m_installations.GetCount() > 0; }

// ---- shared helpers -----------------------------------------------------

void CKDRDoc::RebuildAllPlanes()
{
    for (const auto& condition : m_colorMapConditions)
        condition->GetPlane().Rebuild();
}

// ---- installing, editing, removing ----------------------------------------

int CKDRDoc::InstallSpeakerAt(double x, double y)
{
    CSpeakerModel* model = m_models.GetCurrent();
    if (m_models.GetCount() == 0 || model == nullptr)
        return 1;

    CInstallationValues values;
    values.pos[0] = x;
    values.pos[1] = y;
    values.pos[2] = m_installations.GetRoom(CInstallationContainer::kRoomHeight);
    values.angles[0] = 0.0;
    values.angles[1] = 0.0;
    values.angles[2] = model->GetDefaultElevation();
    values.power = model->GetTapPower(model->GetCurrentTap());
    values.polarityNormal = TRUE;

    // The first installation decides whether the room takes line-tap or
    // low-impedance speakers.
    if (const CInstallationElement* first = m_installations.GetAt(0)) {
        const CSpeakerModel* installed = m_models.GetAt(static_cast<int>(first->GetModelIndex()));
        if (installed != nullptr &&
            (installed->IsLowImpedanceTap(static_cast<int>(first->GetTapIndex())) != FALSE) !=
                (model->IsLowImpedanceTap(model->GetCurrentTap()) != FALSE)) {
            DocumentUi().RunMessageDialog(LoadStringId(kStrMixedImpedance));
            return 1;
        }
    }

    if (!InstallationUi().RunInstallationDialog(values, m_nLengthUnit, m_nAdvancedMode))
        return 1;

    for (const auto& element : m_installations.GetList()) {
        if (SamePlace(*element, values) && DocumentUi().RunMessageDialog(LoadStringId(kStrSamePosition)) != IDOK)
            return 1;
    }

    const int count = m_installations.AddInstallation(
        static_cast<DWORD>(m_models.GetCurrentIndex()), TapIndexOf(*model), values.pos[0], values.pos[1],
        values.pos[2], values.angles[0], values.angles[1], values.angles[2], values.power, values.polarityNormal);
    m_installations.SetCurrentIndex(count - 1);
    m_bAutoInstalled = FALSE;
    UpdateDragInstallState();
    RebuildAllPlanes();
    return 0;
}

int CKDRDoc::EditInstallationProperties(double x, double y, double z, double azimuth, double rotation,
                                        double elevation, double power, BOOL polarityNormal)
{
    const CInstallationElement* current = m_installations.GetCurrent();
    if (current == nullptr)
        return 1;

    CInstallationValues values;
    values.pos[0] = x;
    values.pos[1] = y;
    values.pos[2] = z;
    values.angles[0] = azimuth;
    values.angles[1] = rotation;
    values.angles[2] = elevation;
    values.power = power;
    values.polarityNormal = polarityNormal;
    if (!InstallationUi().RunInstallationDialog(values, m_nLengthUnit, m_nAdvancedMode))
        return 1;

    for (const auto& element : m_installations.GetList()) {
        if (element.get() == current)
            continue;
        if (SamePlace(*element, values) && DocumentUi().RunMessageDialog(LoadStringId(kStrSamePosition)) != IDOK)
            return 1;
    }

    m_installations.ModifyInstallation(CPoint3D(values.pos[0], values.pos[1], values.pos[2]),
                                       CPoint3D(values.angles[0], values.angles[1], values.angles[2]), values.power,
                                       values.polarityNormal);
    return 0;
}

int CKDRDoc::RemoveInstallation(BOOL bAll)
{
    if (m_installations.GetCount() == 0)
        return 1;
    if (DocumentUi().RunMessageDialog(LoadStringId(kStrConfirmRemoveSpeaker)) != IDOK)
        return 1;

    if (bAll) {
        while (m_installations.GetCount() > 0)
            m_installations.RemoveInstallation(0);
    } else {
        m_installations.RemoveInstallation(m_installations.GetCurrentIndex());
    }
    m_bAutoInstalled = FALSE;

    if (m_installations.GetCount() == 0) {
        for (IColorMapViewLink* map : FindColorMapViews(*this))
            InstallationUi().CalcFrequencyResponse(*this, ConditionIndexOf(*map, *this), CPoint3D(0.0, 0.0, 0.0));
        for (const auto& condition : m_colorMapConditions) {
            CListeningPlane& plane = condition->GetPlane();
            plane.SetMaxLevel(0.0);
            plane.SetMinLevel(0.0);
            plane.SetAverageLevel(0.0);
            plane.SetSpeechAverageLevel(0.0);
        }
        // An empty room takes any model again.
        m_nDragInstallState = 2;
    } else {
        UpdateDragInstallState();
    }

    RebuildAllPlanes();
    return 0;
}

// ---- menu commands --------------------------------------------------------

void CKDRDoc::OnInstallationManually()
{
    const double x0 = m_installations.GetRoom(CInstallationContainer::kReferenceX0);
    const double y0 = m_installations.GetRoom(CInstallationContainer::kReferenceY0);
    const double lx = m_installations.GetRoom(CInstallationContainer::kRoomLengthX);
    const double ly = m_installations.GetRoom(CInstallationContainer::kRoomWidthY);
    if (InstallSpeakerAt(x0 + 0.5 * lx, y0 + 0.5 * ly) == 0)
        UpdateAfterInstallationChange();
}

void CKDRDoc::OnInstallationProperties()
{
    const CInstallationElement* current = m_installations.GetCurrent();
    if (current == nullptr)
        return;
    const CPoint3D p = current->GetPosition();
    const CPoint3D a = current->GetAngles();
    if (EditInstallationProperties(p.x, p.y, p.z, a.x, a.y, a.z, current->GetPower(),
                                   current->GetPolarity() != 0 ? TRUE : FALSE) != 0)
        return;
    RebuildAllPlanes();
    UpdateAfterInstallationChange();
}

void CKDRDoc::OnInstallationRemove()
{
    if (RemoveInstallation(FALSE) == 0)
        UpdateAfterInstallationChange();
}

void CKDRDoc::OnInstallationRemoveAll()
{
    if (RemoveInstallation(TRUE) == 0)
        UpdateAfterInstallationChange();
}

void CKDRDoc::OnRoomParameters()
{
    for (IColorMapViewLink* map : FindColorMapViews(*this)) {
        if (map->EditRoomParameters(TRUE) == 0) {
            m_bAutoInstalled = FALSE;
            UpdateAfterInstallationChange();
        }
    }
}

void CKDRDoc::OnToolRecalculate()
{
    // The maps recalculate on this update even with manual recalculation.
    m_bRecalcRequested = TRUE;
    UpdateAfterInstallationChange();
    m_bRecalcRequested = FALSE;
}

// ---- automatic installation ----------------------------------------------

void CKDRDoc::OnInstallationAuto()
{
    // An attempt that lays nothing leaves the project as it was.
    if (AutoInstall() == 0)
        SetModifiedFlag(true);
}

int CKDRDoc::AutoInstall()
{
    CSpeakerModel* model = m_models.GetCurrent();
    if (m_models.GetCount() == 0 || model == nullptr)
        return 1;

    const double roomHeight = m_installations.GetRoom(CInstallationContainer::kRoomHeight);
    if (const CColorMapCondition* condition = m_colorMapConditions.GetCurrent()) {
        if (condition->GetPlane().GetOrigin(2) == roomHeight) {
            AfxMessageBox(LoadStringId(kStrPlaneAtRoomHeight), MB_OK);
            return 1;
        }
    }

    const AutoInstallState before(*this);

    // The remembered values, or the defaults of the model.
    const double height = m_dAutoHeight == kNotSet ? roomHeight : m_dAutoHeight;
    if (m_ptAutoAngles.x == kNotSet)
        m_ptAutoAngles.x = 0.0;
    if (m_ptAutoAngles.z == kNotSet)
        m_ptAutoAngles.z = model->GetTypeCode() == CStdSPModel::kCeilingType ? 90.0 : 0.0;
    if (m_ptAutoAngles.y == kNotSet)
        m_ptAutoAngles.y = 0.0;
    const double power = model->GetTapPower(model->GetCurrentTap());

    CAutoInstallationValues values;
    values.z = height;
    values.angles[0] = m_ptAutoAngles.x;
    values.angles[1] = m_ptAutoAngles.y;
    values.angles[2] = m_ptAutoAngles.z;
    values.overlapMode = static_cast<double>(m_nAutoOverlapMode);
    values.layoutPattern = m_nAutoLayoutPattern;
    values.dataPitch = model->GetFrequencyPitch();
    values.centerFreq = m_dAutoCenterFreq;
    values.octaveBand = m_dAutoBand;
    if (!InstallationUi().RunAutoInstallationDialog(values, m_nLengthUnit, m_nAdvancedMode)) {
        before.RestoreValues(*this);
        return 1;
    }

    // Only the five densities exist; anything else (a combo left without a
    // selection) keeps the density as it was, so the project stays loadable.
    const double overlap = std::trunc(values.overlapMode);
    if (overlap >= 0.0 && overlap <= 4.0)
        m_nAutoOverlapMode = static_cast<int>(overlap);
    m_nAutoLayoutPattern = values.layoutPattern;
    m_dAutoCenterFreq = values.centerFreq;
    m_dAutoBand = values.octaveBand;
    m_ptAutoAngles = CPoint3D(values.angles[0], values.angles[1], values.angles[2]);
    m_dAutoHeight = values.z;
    const double z = values.z;

    if (m_nAutoLayoutPattern == CAutoInstallLayout::kHexagonal &&
        (m_ptAutoAngles.z != 90.0 || m_ptAutoAngles.y != 0.0 || m_ptAutoAngles.x != 0.0 ||
         model->IsAutoInstallDoubtful() != FALSE)) {
        if (DocumentUi().RunMessageDialog(LoadStringId(kStrDoubtfulResult)) != IDOK) {
            before.RestoreValues(*this);
            return 1;
        }
    }

    // The installations leave the room but are kept: a grid that cannot be
    // laid gives them back as they were, with the flag that says whether
    // they came from an automatic installation and the values of the
    // dialog. Until then the room holds no automatic layout.
    CInstallationElementList previous = std::exchange(m_installations.GetList(), CInstallationElementList());
    const double previousTotalPower = m_installations.GetTotalPower();
    const int previousDragState = m_nDragInstallState;
    m_bAutoInstalled = FALSE;
    m_installations.UpdateTotalPower();
    UpdateAllViews(nullptr, kHintRecalcMaps);
    UpdateAllViews(nullptr, kHintInstallationList);
    ClearGraphCursorCurves();
    UpdateAllViews(nullptr, kHintGraphs);

    const double x0 = m_installations.GetRoom(CInstallationContainer::kReferenceX0);
    const double y0 = m_installations.GetRoom(CInstallationContainer::kReferenceY0);
    const double lx = m_installations.GetRoom(CInstallationContainer::kRoomLengthX);
    const double ly = m_installations.GetRoom(CInstallationContainer::kRoomWidthY);
    const DWORD modelIndex = static_cast<DWORD>(m_models.GetCurrentIndex());
    const DWORD tap = TapIndexOf(*model);
    const CPoint3D angles = m_ptAutoAngles;
    auto lay = [&](double x, double y) {
        return m_installations.AddInstallation(modelIndex, tap, x, y, z, angles.x, angles.y, angles.z, power, TRUE);
    };

    // The probe at the room's zero corner.
    m_installations.SetCurrentIndex(lay(x0, y0) - 1);
    m_nDragInstallState = 2;

    int result = 0;
    std::string failureText;
    if (m_colorMapConditions.GetCount() > 0) {
        const int conditionIndex = m_colorMapConditions.GetCurrentIndex();
        double measured[4] = {0.0, 0.0, 0.0, 0.0};
        double offset = 0.0;
        CAutoInstallLayout layout;
        // A scan that finds no edge, or a grid that cannot be laid, gives the
        // room its installations back and says why, instead of laying a grid
        // from unmeasured distances.
        const bool scanFailed = InstallationUi().CalcCoverage(*this, conditionIndex, 0, measured[0], measured[1],
                                                              offset, kCoverageDrop) != 0 ||
                                InstallationUi().CalcCoverage(*this, conditionIndex, 1, measured[2], measured[3],
                                                              offset, kCoverageDrop) != 0;
        if (scanFailed || !layout.Compute(measured, m_nAutoOverlapMode, m_nAutoLayoutPattern, x0, y0, lx, ly)) {
            m_installations.GetList() = std::move(previous);
            m_installations.SetTotalPower(previousTotalPower);
            m_nDragInstallState = previousDragState;
            before.RestoreValues(*this);
            failureText = AutoInstallFailureText(scanFailed, layout.m_failure);
            result = 1;
        } else {
            m_installations.RemoveAll();
            for (const CAutoInstallLayout::Point& p : layout.m_points)
                lay(p.x, p.y);
            m_installations.SetCurrentIndex(m_installations.GetCount() - 1);
            m_bAutoInstalled = TRUE;
            m_dAutoDistance[3] = layout.m_x1 + layout.m_x2;
            m_dAutoDistance[2] = layout.m_y1 + layout.m_y2;
            if (const CInstallationElement* first = m_installations.GetAt(0)) {
                m_dAutoDistance[1] = first->GetPosition().x - x0;
                m_dAutoDistance[0] = first->GetPosition().y - y0;
            } else {
                m_dAutoDistance[1] = m_dAutoDistance[0] = 0.0;
            }
            for (IColorMapViewLink* map : FindColorMapViews(*this)) {
                if (ConditionIndexOf(*map, *this) == m_colorMapConditions.GetCurrentIndex())
                    map->UpdateConditionControls(FALSE, FALSE);
            }
        }
    }

    // A room given back as it was keeps the levels of its map, which were
    // never touched while the room stood empty, and the response at the
    // cursor that its graphs showed.
    if (result == 0)
        RebuildAllPlanes();
    UpdateAllViews(nullptr, kHintRecalcMaps);
    UpdateAllViews(nullptr, kHintInstallationList);
    if (result == 0)
        ClearGraphCursorCurves();
    else
        before.RestoreCursorCurves(*this);
    UpdateAllViews(nullptr, kHintGraphs);
    if (!failureText.empty())
        AfxMessageBox(failureText, MB_OK | MB_ICONEXCLAMATION);
    return result;
}

// ---- printing -------------------------------------------------------------

void CKDRDoc::CalcPrintPages(IDrawingContext* pDC, unsigned rowHeight, unsigned topMargin, unsigned bottomMargin)
{
    const int vertres = pDC != nullptr ? pDC->GetDeviceCaps(VERTRES) : 0;
    // Margins taller than the page leave room for the one row every page
    // prints; a zero row height counts as one pixel.
    const unsigned height = static_cast<unsigned>(std::max(0, vertres));
    const unsigned margins = topMargin + bottomMargin;
    const unsigned usable = height > margins ? height - margins : 0u;
    const unsigned rowsPerPage = usable / std::max(1u, rowHeight) + 1u;
    const unsigned pages = static_cast<unsigned>(m_installations.GetCount()) / rowsPerPage + 1u;
    m_nPrintRowsPerPage = static_cast<int>(std::min<unsigned>(rowsPerPage, INT_MAX));
    m_nPrintPageCount = static_cast<int>(std::min<unsigned>(pages, INT_MAX));
}
