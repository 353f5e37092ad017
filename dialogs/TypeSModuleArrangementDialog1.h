#pragma once
// Arrangement of a TypeS column: 1 to 4 DM-R2 boxes of 8 elements, the
// bottom box optionally the curved DM-R2S. Every change rebuilds the whole
// column from element 0 (the caller's module vectors, edited in place); the
// view parameters hold the counts (0, 0, n).

#include "dialogs/LineArrayArrangementDialog.h"
#include "dialogs/TypeSViewStatic.h"

class CTypeSModuleArrangementDialog1 : public CLineArrayArrangementDialog {
public:
    enum : unsigned { IDD = 155 };
    enum : int { IDC_COMBO_BOX_COUNT = 1099, IDC_CHECK_BOTTOM_S = 1101, IDC_PREVIEW = 1102 };
    // The curved bottom box: per element, from the top of the box, the
    // splay against the element above and the wedge angle, in degrees.
    static constexpr double kBottomSplays[8] = {0.1, 0.3, 0.6, 0.9, 1.3, 1.5, 1.9, 2.2};
    static constexpr double kBottomWedges[8] = {0.15, 0.35, 0.65, 1.15, 1.4, 1.7, 2.15, 2.45};

    // The length unit is accepted and not used.
    CTypeSModuleArrangementDialog1(unsigned centre, unsigned upper, unsigned lower, CAxisEntityArray* entities,
                                   int lengthUnit);

    bool OnInitDialog() override;
    void OnControlCommand(int id, int notifyCode) override;
    void OnDrawControl(int id, IDrawingContext& dc, const CRect& client) override;

    // Selects the box-count item of n elements.
    void SelectBoxCount(unsigned n);
    // Rebuilds the column from the box count and the check box.
    void UpdateArrangement();
    void OnBnClickedBottomS();

    CTypeSViewStatic& GetPreview() { return m_preview; }

private:
    void InvalidatePreview();

    CTypeSViewStatic m_preview;
};
