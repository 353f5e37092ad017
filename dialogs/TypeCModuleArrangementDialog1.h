#pragma once
// Arrangement of a TypeC column: 1 to 12 DM-P6 cabinets (L or S) with the
// angle setting of every joint, and its side-view preview.

#include "dialogs/TypeACModuleArrangementDialog.h"
#include "dialogs/TypeCViewStatic.h"

class CTypeCModuleArrangementDialog1 : public CTypeACModuleArrangementDialog {
public:
    enum : unsigned { IDD = 169 };
    enum : int {
        IDC_PREVIEW = 1109,
        IDC_COMBO_BOX_COUNT = 1110,
        IDC_COMBO_CABINET1 = 1111,
        IDC_COMBO_ANGLE1 = 3011,
    };
    static constexpr int kCabinets = 12;

    // The model's counts and unit descriptions; the length unit is not used.
    CTypeCModuleArrangementDialog1(unsigned centre, unsigned upper, unsigned lower, const CAxisElementArray& units,
                                   int lengthUnit);

    static CCabinetColumnLayout Layout();

    CCabinetViewStatic& GetPreview() override { return m_preview; }

private:
    CTypeCViewStatic m_preview;
};
