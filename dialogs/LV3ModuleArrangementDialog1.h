#pragma once
// Arrangement of an LV-3 array: 1 to 4 boxes of 4 modules and a splay mode
// for every joint between neighbouring modules, with a side-view preview.
// Edits the caller's module vectors in place; the view parameters hold the
// counts (0, h, h).

#include "dialogs/LV3ViewStatic.h"
#include "dialogs/LVModuleArrangementDialog.h"

class CLV3ModuleArrangementDialog1 : public CLVModuleArrangementDialog {
public:
    enum : unsigned { IDD = 149 };
    enum : int {
        IDC_COMBO_BOX_COUNT = 1052,
        IDC_PREVIEW = 1098,
        IDC_COMBO_ANGLE_FIRST = 2001,   // to 2015
        IDC_MODULE_FRAME_FIRST = 1021,  // to 1036
        IDC_BOX_FRAME_FIRST = 1055,     // to 1058
        IDC_CONNECTOR_FIRST = 1059,     // to 1061
    };
    // Splay per joint of each mode, in degrees; the last three are offered
    // only to the special user level 1.
    static constexpr double kSplays[7] = {15.0, 11.25, 7.5, 3.75, 2.5, 1.25, 0.0};

    // The length unit is accepted and not used.
    CLV3ModuleArrangementDialog1(unsigned centre, unsigned upper, unsigned lower, CAxisEntityArray* entities,
                                 int lengthUnit);

    void OnDrawControl(int id, IDrawingContext& dc, const CRect& client) override;
    CLV3ViewStatic& GetPreview() { return m_preview; }

protected:
    int OfferedSplayItems() const override;

private:
    CLV3ViewStatic m_preview;
};
