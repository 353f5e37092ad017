#pragma once
// The module counts an arrangement dialog edits and the drawing frame of its
// side-view preview. The dialog sets the counts; the preview fits the array
// into its client area, stores the scale and the extents here and maps model
// coordinates to pixels with them; after OK the speaker model reads the
// counts back. A plain record: it owns nothing and is never saved.

#include "platform/GdiTypes.h"

class CArrangementViewParam {
public:
    // Scale 1.0; margins 0.2, 0.1, 0.1, 0.1 (left, top, right, bottom). The
    // counts and extents are set by the dialog and the preview's fit.
    CArrangementViewParam() = default;

    double GetScale() const { return m_dScale; }
    void SetScale(double scale) { m_dScale = scale; }

    void GetMargins(double* left, double* top, double* right, double* bottom) const;
    void SetMargins(double left, double top, double right, double bottom);

    void SetExtents(double left, double top, double right, double bottom);
    double GetLeft() const { return m_dLeft; }
    double GetTop() const { return m_dTop; }
    double GetRight() const { return m_dRight; }
    double GetBottom() const { return m_dBottom; }

    // The three counts; the total written is their sum, computed afresh.
    void GetCounts(unsigned* centre, unsigned* upper, unsigned* lower, unsigned* total) const;
    // The stored total.
    unsigned GetTotalModules() const { return m_nTotal; }
    // Centre, upper, lower and the stored total, in that order.
    void GetModuleCounts(unsigned counts[4]) const;
    // Stores the three counts and their sum as the total.
    void SetModuleCounts(unsigned centre, unsigned upper, unsigned lower);

    // Pixel mapping of the previews. clientWidth and clientHeight are the
    // preview's client size in pixels; every double is truncated toward zero.
    // Column: int(scale (x - left) - 0.5) + int(width x left margin) + 1.
    int XToPixel(double x, int clientWidth) const;
    // Row of a model z, the array centred vertically:
    // int(-scale (z - (top + bottom) / 2) - 0.5) + height / 2 + 1.
    int YToPixel(double z, int clientHeight) const;

    double m_dScale = 1.0;
    double m_dMarginLeft = 0.2;
    double m_dMarginTop = 0.1;
    double m_dMarginRight = 0.1;
    double m_dMarginBottom = 0.1;
    double m_dLeft = 0.0;
    double m_dTop = 0.0;
    double m_dRight = 0.0;
    double m_dBottom = 0.0;
    unsigned m_nCentre = 0;
    unsigned m_nUpper = 0;
    unsigned m_nLower = 0;
    unsigned m_nTotal = 0;
};
