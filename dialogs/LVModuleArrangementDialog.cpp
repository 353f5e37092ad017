#include "dialogs/LVModuleArrangementDialog.h"

#include "resources/StringTable.h"

CLVModuleArrangementDialog::CLVModuleArrangementDialog(unsigned templateId, const CLVArrangementLayout& layout,
                                                       unsigned centre, unsigned upper, unsigned lower,
                                                       CAxisEntityArray* entities)
    : CLineArrayArrangementDialog(templateId, centre, upper, lower, entities, 15.0, 0.256), m_layout(layout)
{
}

bool CLVModuleArrangementDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    IDialogControls* c = Controls();
    const int offered = OfferedSplayItems();
    for (int id : m_layout.angleCombos) {
        for (int k = 0; k < offered && k < static_cast<int>(m_layout.splayTextIds.size()); ++k)
            c->AddString(id, LoadStringId(m_layout.splayTextIds[static_cast<std::size_t>(k)]));
    }
    for (unsigned textId : m_layout.countTextIds)
        c->AddString(m_layout.countCombo, LoadStringId(textId));
    UpdateControls(m_viewParam.GetTotalModules());
    return true;
}

void CLVModuleArrangementDialog::OnControlCommand(int id, int notifyCode)
{
    if (notifyCode != CBN_SELCHANGE)
        return;
    if (id == m_layout.countCombo) {
        OnCbnSelchangeBoxCount();
        return;
    }
    for (int combo : m_layout.angleCombos) {
        if (combo == id) {
            OnCbnSelchangeAngle();
            return;
        }
    }
}

void CLVModuleArrangementDialog::ModuleCombo(unsigned i, unsigned n, int* combo, double* sign)
{
    const long h = static_cast<long>(n / 2);
    const long m = static_cast<long>(i);
    if (m == 0) {
        *combo = static_cast<int>(h - 1);
        *sign = -0.5;
    } else if (m < h) {
        *combo = static_cast<int>(h - m - 1);
        *sign = -1.0;
    } else if (m == h) {
        *combo = static_cast<int>(h - 1);
        *sign = 0.5;
    } else {
        *combo = static_cast<int>(m - 1);
        *sign = 1.0;
    }
}

void CLVModuleArrangementDialog::UpdateControls(unsigned n)
{
    IDialogControls* c = Controls();
    if (c == nullptr)
        return;
    c->SetCurSel(m_layout.countCombo, static_cast<int>(n / 4) - 1);

    auto showFirst = [c](const std::vector<int>& ids, long count) {
        for (std::size_t i = 0; i < ids.size(); ++i)
            c->ShowWindow(ids[i], static_cast<long>(i) < count);
    };
    showFirst(m_layout.moduleFrames, static_cast<long>(n));
    showFirst(m_layout.angleCombos, static_cast<long>(n) - 1);
    showFirst(m_layout.boxFrames, static_cast<long>(n / 4));
    showFirst(m_layout.connectorFrames, static_cast<long>(n / 4) - 1);

    const std::size_t entities = m_pEntities ? m_pEntities->size() : 0;
    for (unsigned i = 0; i < n && i < entities; ++i) {
        int combo = -1;
        double sign = 1.0;
        ModuleCombo(i, n, &combo, &sign);
        if (combo < 0 || combo >= static_cast<int>(m_layout.angleCombos.size()))
            continue;
        const int id = m_layout.angleCombos[static_cast<std::size_t>(combo)];
        const double v = (*m_pEntities)[i].z / sign;
        int selection = CB_ERR;
        for (std::size_t k = 0; k < m_layout.splays.size(); ++k) {
            if (v >= m_layout.splays[k]) {
                selection = static_cast<int>(k);
                break;
            }
        }
        // A mode the combo does not offer leaves it without a selection.
        if (selection >= c->GetCount(id))
            selection = CB_ERR;
        c->SetCurSel(id, selection);
    }
}

void CLVModuleArrangementDialog::ApplyComboAngles(unsigned n)
{
    IDialogControls* c = Controls();
    if (c == nullptr || m_pEntities == nullptr)
        return;
    for (unsigned i = 0; i < n && i < m_pEntities->size(); ++i) {
        int combo = -1;
        double sign = 1.0;
        ModuleCombo(i, n, &combo, &sign);
        if (combo < 0 || combo >= static_cast<int>(m_layout.angleCombos.size()))
            continue;
        const int selection = c->GetCurSel(m_layout.angleCombos[static_cast<std::size_t>(combo)]);
        // A combo without a valid selection leaves the module's splay as it is.
        if (selection < 0 || selection >= static_cast<int>(m_layout.splays.size()))
            continue;
        (*m_pEntities)[i].z = m_layout.splays[static_cast<std::size_t>(selection)] * sign;
    }
}

void CLVModuleArrangementDialog::OnCbnSelchangeAngle()
{
    ApplyComboAngles(m_viewParam.GetTotalModules());
    InvalidatePreview();
}

void CLVModuleArrangementDialog::OnCbnSelchangeBoxCount()
{
    IDialogControls* c = Controls();
    if (c == nullptr || m_pEntities == nullptr)
        return;
    const int item = c->GetCurSel(m_layout.countCombo);
    if (item < 0 || item >= static_cast<int>(m_layout.countTextIds.size()))
        return;

    const long oldTotal = static_cast<long>(m_viewParam.GetTotalModules());
    const long h = 2L * (item + 1);
    const long n = 2 * h;

    // Each half keeps its modules by distance from the rigging point; new
    // outer modules repeat the old outermost module of their half.
    const CAxisEntityArray oldEntities = *m_pEntities;
    const long available = static_cast<long>(oldEntities.size());
    CAxisEntityArray entities(static_cast<std::size_t>(n));
    std::vector<double> wedges(static_cast<std::size_t>(n), 15.0);
    std::vector<double> depths(static_cast<std::size_t>(n), 0.256);
    for (long i = 0; i < n; ++i) {
        long j;
        if (i < h) {
            j = i < oldTotal / 2 ? i : oldTotal / 2 - 1;
        } else {
            j = (oldTotal - n) / 2 + i;
            if (j >= oldTotal)
                j = oldTotal - 1;
        }
        // An old half without modules (or fewer vectors than counted) has
        // no module of its own to repeat: the nearest one there is stands in.
        if (j >= available)
            j = available - 1;
        if (j < 0)
            j = 0;
        const std::size_t d = static_cast<std::size_t>(i);
        if (j < available)
            entities[d] = oldEntities[static_cast<std::size_t>(j)];
        if (static_cast<std::size_t>(j) < m_wedges.size())
            wedges[d] = m_wedges[static_cast<std::size_t>(j)];
        if (static_cast<std::size_t>(j) < m_depths.size())
            depths[d] = m_depths[static_cast<std::size_t>(j)];
    }
    *m_pEntities = std::move(entities);
    m_wedges = std::move(wedges);
    m_depths = std::move(depths);

    UpdateControls(static_cast<unsigned>(n));
    m_viewParam.SetModuleCounts(0, static_cast<unsigned>(h), static_cast<unsigned>(h));
    ApplyComboAngles(static_cast<unsigned>(n));
    InvalidatePreview();
}

void CLVModuleArrangementDialog::InvalidatePreview()
{
    if (IDialogControls* c = Controls())
        c->InvalidateControl(m_layout.preview);
}
