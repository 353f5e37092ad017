#include "dialogs/LV3ViewStatic.h"

#include "dialogs/LV3ModuleArrangementDialog1.h"
#include "dialogs/LineArrayPreview.h"

void CLV3ViewStatic::FitToWindow(const CRect& client)
{
    if (m_pDialog)
        LineArrayPreview::FitToWindow(m_pDialog->GetViewParam(), m_pDialog->GetPreviewData(), client);
}

void CLV3ViewStatic::OnPaint(IDrawingContext& dc, const CRect& client)
{
    if (m_pDialog)
        LineArrayPreview::Paint(dc, client, m_pDialog->GetViewParam(), m_pDialog->GetPreviewData(),
                                LineArrayPreview::OutlineStyle::Closed, m_nArrowLength, m_nMarkerRadius);
}

int CLV3ViewStatic::XToPixel(double x, const CRect& client) const
{
    return m_pDialog ? m_pDialog->GetViewParam().XToPixel(x, client.Width()) : 0;
}

int CLV3ViewStatic::YToPixel(double z, const CRect& client) const
{
    return m_pDialog ? m_pDialog->GetViewParam().YToPixel(z, client.Height()) : 0;
}
