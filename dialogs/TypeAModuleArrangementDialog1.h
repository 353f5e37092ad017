#pragma once
// Arrangement of a TypeA column: 1 to 8 DM-K14 cabinets (L or S) with the
// angle setting of every joint, and its side-view preview.

#include "dialogs/TypeACModuleArrangementDialog.h"
#include "dialogs/TypeAViewStatic.h"

class CTypeAModuleArrangementDialog1 : public CTypeACModuleArrangementDialog {
public:
    enum : unsigned { IDD = 157 };
    enum : int {
        IDC_PREVIEW = 1103,
        IDC_COMBO_BOX_COUNT = 3000,
        IDC_COMBO_CABINET1 = 3001,
        IDC_COMBO_ANGLE1 = 3011,
    };
    static constexpr int kCabinets = 8;

    // The model's counts and unit descriptions; the length unit is not used.
    CTypeAModuleArrangementDialog1(unsigned centre, unsigned upper, unsigned lower, const CAxisElementArray& units,
                                   int lengthUnit);

    static CCabinetColumnLayout Layout();

    CCabinetViewStatic& GetPreview() override { return m_preview; }

private:
    CTypeAViewStatic m_preview;
};
