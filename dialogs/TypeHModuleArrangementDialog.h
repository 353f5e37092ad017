#pragma once
// Arrangement of a DM-W array: one or two boxes and the kind of the first
// box give the element count, the unit of every element and the element
// tilts. The curved kinds (one DM-W5S or DM-W7S box) take their tilts from
// fixed tables; every other arrangement is straight. The counts become
// (0, 0, n) after any change.

#include "dialogs/CabinetArrangementDialog.h"
#include "dialogs/TypeHViewStatic.h"

class CTypeHModuleArrangementDialog : public CCabinetArrangementDialog {
public:
    enum : unsigned { IDD = 168 };
    enum : int {
        IDC_COMBO_CABINET1 = 1105,
        IDC_COMBO_CABINET2 = 1106,
        IDC_PREVIEW = 1107,
        IDC_COMBO_BOX_COUNT = 3003,
    };
    // Tilt of element i against element i - 1, degrees, in one curved box
    // (entry 0 is never used: the top element hangs straight).
    static constexpr double kW5STilts[9] = {0.0, 0.17, 0.34, 0.68, 1.19, 1.87, 2.72, 3.74, 4.93};
    static constexpr double kW7STilts[16] = {0.0,  0.03, 0.06, 0.12, 0.21, 0.33, 0.48, 0.66,
                                             0.87, 1.11, 1.38, 1.68, 2.01, 2.37, 2.76, 3.18};
    static constexpr double kDepth = 0.08;

    // The model's counts and unit descriptions; the length unit is not used.
    CTypeHModuleArrangementDialog(unsigned centre, unsigned upper, unsigned lower, const CAxisElementArray& units,
                                  int lengthUnit);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnControlCommand(int id, int notifyCode) override;
    void OnDrawControl(int id, IDrawingContext& dc, const CRect& client) override;

    // Builds the elements from the box count and the first box's kind.
    void UpdateArrangement();
    // Enables the second box's combo and selects the box count for n
    // elements (two boxes from 18 elements on).
    void EnableControls(unsigned n);
    // Vectors, wedge angles and depths from the units and tilts.
    void RecalcGeometry();

    void OnCbnSelchangeBoxCount();
    void OnCbnSelchangeCabinet1();
    void OnCbnSelchangeCabinet2();

    CTypeHViewStatic& GetPreview() { return m_preview; }

private:
    // Leaves only the straight kinds in the first box's combo.
    void RemoveCurvedKinds();

    CTypeHViewStatic m_preview;
};
