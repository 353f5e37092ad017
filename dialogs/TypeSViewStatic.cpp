#include "dialogs/TypeSViewStatic.h"

#include "dialogs/TypeSModuleArrangementDialog1.h"
#include "dialogs/LineArrayPreview.h"

void CTypeSViewStatic::FitToWindow(const CRect& client)
{
    if (m_pDialog)
        LineArrayPreview::FitToWindow(m_pDialog->GetViewParam(), m_pDialog->GetPreviewData(), client);
}

void CTypeSViewStatic::OnPaint(IDrawingContext& dc, const CRect& client)
{
    if (m_pDialog)
        LineArrayPreview::Paint(dc, client, m_pDialog->GetViewParam(), m_pDialog->GetPreviewData(),
                                LineArrayPreview::OutlineStyle::BoxesOfEight, m_nArrowLength, m_nMarkerRadius);
}

int CTypeSViewStatic::XToPixel(double x, const CRect& client) const
{
    return m_pDialog ? m_pDialog->GetViewParam().XToPixel(x, client.Width()) : 0;
}

int CTypeSViewStatic::YToPixel(double z, const CRect& client) const
{
    return m_pDialog ? m_pDialog->GetViewParam().YToPixel(z, client.Height()) : 0;
}
