#pragma once
// Side view of a DM-W array in its arrangement dialog: the elements of one
// or two boxes hanging from the rigging point, drawn with the outline of
// each box rather than of each element.

#include "dialogs/CabinetViewStatic.h"

class CTypeHViewStatic : public CCabinetViewStatic {
public:
    void OnPaint(IDrawingContext& dc, const CRect& client) override;
};
