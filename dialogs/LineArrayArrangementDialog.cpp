#include "dialogs/LineArrayArrangementDialog.h"

CLineArrayArrangementDialog::CLineArrayArrangementDialog(unsigned templateId, unsigned centre, unsigned upper,
                                                         unsigned lower, CAxisEntityArray* entities, double wedge,
                                                         double depth)
    : CDialog(templateId), m_pEntities(entities)
{
    m_viewParam.SetModuleCounts(centre, upper, lower);
    m_wedges.assign(m_viewParam.GetTotalModules(), wedge);
    m_depths.assign(m_viewParam.GetTotalModules(), depth);
}

CLineArrayPreviewData CLineArrayArrangementDialog::GetPreviewData() const
{
    CLineArrayPreviewData data;
    data.entities = m_pEntities;
    data.wedges = &m_wedges;
    data.depths = &m_depths;
    return data;
}
