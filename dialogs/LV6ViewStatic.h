#pragma once
// Side view of the LV-6 array in its arrangement dialog: fitted to the
// control and drawn again after every change.

#include "platform/GdiTypes.h"

class CLV6ModuleArrangementDialog;
class IDrawingContext;

class CLV6ViewStatic {
public:
    void SetDialog(CLV6ModuleArrangementDialog* dialog) { m_pDialog = dialog; }

    // Fits the array into the client area (scale and extents of the
    // dialog's view parameters).
    void FitToWindow(const CRect& client);
    void OnPaint(IDrawingContext& dc, const CRect& client);

    int XToPixel(double x, const CRect& client) const;
    int YToPixel(double z, const CRect& client) const;

    int m_nArrowLength = 40;
    int m_nMarkerRadius = 10;

private:
    CLV6ModuleArrangementDialog* m_pDialog = nullptr;
};
