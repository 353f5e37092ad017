#include "dialogs/CabinetArrangementDialog.h"

CCabinetArrangementDialog::CCabinetArrangementDialog(unsigned templateId, unsigned centre, unsigned upper,
                                                     unsigned lower, const CAxisElementArray& units, double wedge,
                                                     double depth)
    : CDialog(templateId), m_units(units)
{
    m_viewParam.SetModuleCounts(centre, upper, lower);
    const std::size_t n = m_viewParam.GetTotalModules();
    ResizeElements(n);
    m_wedges.assign(n, wedge);
    m_depths.assign(n, depth);
}

CLineArrayPreviewData CCabinetArrangementDialog::GetPreviewData() const
{
    CLineArrayPreviewData data;
    data.entities = &m_vectors;
    data.wedges = &m_wedges;
    data.depths = &m_depths;
    return data;
}

CAxisEntity CCabinetArrangementDialog::UnitVector(int unit) const
{
    if (unit < 0 || static_cast<std::size_t>(unit) >= m_units.size())
        return CAxisEntity();
    return m_units[static_cast<std::size_t>(unit)].GetVector();
}

void CCabinetArrangementDialog::ResizeElements(std::size_t n)
{
    m_params.resize(n);
    m_vectors.resize(n);
}

void CCabinetArrangementDialog::Invalidate(int id)
{
    if (IDialogControls* c = Controls())
        c->InvalidateControl(id);
}

ControlTemplate CCabinetArrangementDialog::TemplateControl(ControlTemplate::Kind kind, int id, const std::string& text,
                                                          int x, int y, int cx, int cy)
{
    return MakeControl(kind, id, text, x, y, cx, cy);
}
