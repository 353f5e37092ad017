#include "dialogs/TypeACModuleArrangementDialog.h"

#include "dialogs/CabinetViewStatic.h"
#include "resources/StringTable.h"

#include <cmath>

CTypeACModuleArrangementDialog::CTypeACModuleArrangementDialog(const CCabinetColumnLayout& layout, unsigned centre,
                                                               unsigned upper, unsigned lower,
                                                               const CAxisElementArray& units, int lengthUnit)
    : CCabinetArrangementDialog(layout.templateId, centre, upper, lower, units, kWedges[0], layout.depths[0]),
      m_layout(layout)
{
    (void)lengthUnit;
}

bool CTypeACModuleArrangementDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    IDialogControls* c = Controls();
    if (c == nullptr)
        return true;
    for (int k = 0; k < m_layout.cabinetCount; ++k)
        c->AddString(m_layout.boxCountId, LoadStringId(m_layout.firstBoxCountString + static_cast<unsigned>(k)));
    const std::string kinds[2] = {LoadStringId(m_layout.cabinetStrings[0]), LoadStringId(m_layout.cabinetStrings[1])};
    for (int i = 0; i < m_layout.cabinetCount; ++i) {
        c->AddString(CabinetId(static_cast<std::size_t>(i)), kinds[0]);
        c->AddString(CabinetId(static_cast<std::size_t>(i)), kinds[1]);
    }
    // The angle combos list their items sorted: "0deg" .. "5deg", so that
    // the index of an item is the number in its text.
    for (int k = 0; k < m_layout.angleCount; ++k)
        for (int s = 0; s < kAngleItems; ++s)
            c->AddString(AngleId(static_cast<std::size_t>(k)), LoadStringId(kFirstAngleString + static_cast<unsigned>(s)));

    const std::size_t n = m_viewParam.GetTotalModules();
    for (std::size_t i = 0; i < static_cast<std::size_t>(m_layout.cabinetCount); ++i) {
        const int kind = i < n && i < m_params.size() ? m_params[i].m_nType : 0;
        // A kind the combo does not offer selects nothing.
        c->SetCurSel(CabinetId(i), kind == 0 || kind == 1 ? kind : CB_ERR);
    }
    for (std::size_t k = 0; k < static_cast<std::size_t>(m_layout.angleCount); ++k) {
        int item = kAngleItems - 1;
        if (k + 1 < n && k + 1 < m_params.size()) {
            const double s = HalfWedge(c->GetCurSel(CabinetId(k))) + HalfWedge(c->GetCurSel(CabinetId(k + 1))) -
                             m_params[k + 1].m_dAngle;
            // A tilt the angle settings cannot produce shows no item.
            item = std::isfinite(s) && s > -1.0 && s < kAngleItems ? static_cast<int>(s) : CB_ERR;
        }
        c->SetCurSel(AngleId(k), item);
    }
    EnableControls(static_cast<unsigned>(n));
    RecalcGeometry();
    return true;
}

void CTypeACModuleArrangementDialog::OnControlCommand(int id, int notifyCode)
{
    if (notifyCode != CBN_SELCHANGE)
        return;
    if (id == m_layout.boxCountId)
        OnCbnSelchangeBoxCount();
    else if (id >= m_layout.firstCabinetId && id < m_layout.firstCabinetId + m_layout.cabinetCount)
        OnCbnSelchangeCabinet(id);
    else if (id >= m_layout.firstAngleId && id < m_layout.firstAngleId + m_layout.angleCount)
        OnCbnSelchangeAngle(id);
}

void CTypeACModuleArrangementDialog::OnDrawControl(int id, IDrawingContext& dc, const CRect& client)
{
    if (id == m_layout.previewId)
        GetPreview().OnPaint(dc, client);
}

void CTypeACModuleArrangementDialog::EnableControls(unsigned n)
{
    IDialogControls* c = Controls();
    if (c == nullptr)
        return;
    c->SetCurSel(m_layout.boxCountId, n >= 1 && n <= static_cast<unsigned>(m_layout.cabinetCount)
                                          ? static_cast<int>(n) - 1
                                          : CB_ERR);
    for (int i = 0; i < m_layout.cabinetCount; ++i)
        c->EnableWindow(CabinetId(static_cast<std::size_t>(i)), static_cast<unsigned>(i) < n);
    for (int k = 0; k < m_layout.angleCount; ++k)
        c->EnableWindow(AngleId(static_cast<std::size_t>(k)), static_cast<unsigned>(k) + 1 < n);
}

void CTypeACModuleArrangementDialog::RecalcGeometry()
{
    const std::size_t n = m_params.size();
    m_vectors.resize(n);
    m_wedges.resize(n);
    m_depths.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const int kind = m_params[i].m_nType;
        m_vectors[i] = UnitVector(kind);
        m_wedges[i] = kWedges[kind == 0 ? 0 : 1];
        m_depths[i] = m_layout.depths[kind == 0 ? 0 : 1];
        m_vectors[i].z = i == 0 ? 0.0 : m_params[i].m_dAngle;
    }
}

void CTypeACModuleArrangementDialog::ApplyTiltRule(std::size_t i)
{
    IDialogControls* c = Controls();
    if (c == nullptr || i == 0 || i >= m_params.size() || i - 1 >= static_cast<std::size_t>(m_layout.angleCount))
        return;
    const int s = c->GetCurSel(AngleId(i - 1));
    if (s < 0)
        return;
    m_params[i].m_dAngle = HalfWedge(m_params[i - 1].m_nType) + HalfWedge(m_params[i].m_nType) - s;
}

void CTypeACModuleArrangementDialog::OnCbnSelchangeBoxCount()
{
    IDialogControls* c = Controls();
    if (c == nullptr)
        return;
    const int item = c->GetCurSel(m_layout.boxCountId);
    if (item < 0 || item >= m_layout.cabinetCount)
        return;
    const std::size_t n = static_cast<std::size_t>(item) + 1;
    ResizeElements(n);
    // Combos of cabinets that were not in use keep their last selection.
    for (std::size_t i = 0; i < n; ++i) {
        const int kind = c->GetCurSel(CabinetId(i));
        if (kind >= 0)
            m_params[i].m_nType = kind;
    }
    for (std::size_t i = 1; i < n; ++i)
        ApplyTiltRule(i);
    RecalcGeometry();
    EnableControls(static_cast<unsigned>(n));
    m_viewParam.SetModuleCounts(0, 0, static_cast<unsigned>(n));
    InvalidatePreview();
}

void CTypeACModuleArrangementDialog::OnCbnSelchangeCabinet(int id)
{
    IDialogControls* c = Controls();
    if (c == nullptr)
        return;
    const std::size_t k = static_cast<std::size_t>(id - m_layout.firstCabinetId);
    const int kind = c->GetCurSel(id);
    if (k < m_params.size() && kind >= 0)
        m_params[k].m_nType = kind;
    // A changed kind changes the half-wedges on both sides of it.
    const std::size_t n = m_viewParam.GetTotalModules();
    for (std::size_t i = 1; i < n; ++i)
        ApplyTiltRule(i);
    RecalcGeometry();
    InvalidatePreview();
}

void CTypeACModuleArrangementDialog::OnCbnSelchangeAngle(int id)
{
    const std::size_t k = static_cast<std::size_t>(id - m_layout.firstAngleId);
    ApplyTiltRule(k + 1);
    RecalcGeometry();
    InvalidatePreview();
}
