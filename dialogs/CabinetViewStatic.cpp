#include "dialogs/CabinetViewStatic.h"

#include "dialogs/CabinetArrangementDialog.h"
#include "dialogs/LineArrayPreview.h"

void CCabinetViewStatic::FitToWindow(const CRect& client)
{
    if (m_pDialog)
        LineArrayPreview::FitToWindow(m_pDialog->GetViewParam(), m_pDialog->GetPreviewData(), client);
}

void CCabinetViewStatic::OnPaint(IDrawingContext& dc, const CRect& client)
{
    if (m_pDialog)
        LineArrayPreview::Paint(dc, client, m_pDialog->GetViewParam(), m_pDialog->GetPreviewData(),
                                LineArrayPreview::OutlineStyle::Closed);
}

int CCabinetViewStatic::XToPixel(double x, const CRect& client) const
{
    return m_pDialog ? m_pDialog->GetViewParam().XToPixel(x, client.Width()) : 0;
}

int CCabinetViewStatic::YToPixel(double z, const CRect& client) const
{
    return m_pDialog ? m_pDialog->GetViewParam().YToPixel(z, client.Height()) : 0;
}
