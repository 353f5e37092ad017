#pragma once
// Side view of a cabinet array in its arrangement dialog: the cabinets hang
// from the rigging point, fitted to the control and drawn again after every
// change. By default every cabinet is drawn as a closed outline.

#include "platform/GdiTypes.h"

class CCabinetArrangementDialog;
class IDrawingContext;

class CCabinetViewStatic {
public:
    virtual ~CCabinetViewStatic() = default;

    // The dialog whose view parameters, vectors, wedge angles and depths are
    // drawn (set by the dialog's constructor).
    void SetDialog(CCabinetArrangementDialog* dialog) { m_pDialog = dialog; }

    // Fits the array into the client area (scale and extents of the
    // dialog's view parameters).
    void FitToWindow(const CRect& client);
    virtual void OnPaint(IDrawingContext& dc, const CRect& client);

    int XToPixel(double x, const CRect& client) const;
    int YToPixel(double z, const CRect& client) const;

    int m_nArrowLength = 40;
    int m_nMarkerRadius = 10;

protected:
    CCabinetArrangementDialog* m_pDialog = nullptr;
};
