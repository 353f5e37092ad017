#pragma once
// Arrangement of an LV-6 array: 1 or 2 cabinets of 4 modules and a splay
// mode for every joint, with a side-view preview. The rules are those of
// the LV-3 dialog on the LV-6 controls and splay table.

#include "dialogs/LV6ViewStatic.h"
#include "dialogs/LVModuleArrangementDialog.h"

class CLV6ModuleArrangementDialog : public CLVModuleArrangementDialog {
public:
    enum : unsigned { IDD = 159 };
    enum : int {
        IDC_COMBO_BOX_COUNT = 1120,
        IDC_COMBO_ANGLE_FIRST = 1121,  // to 1127
        IDC_PREVIEW = 1129,
        IDC_MODULE_FRAME_FIRST = 1130,  // to 1137
        IDC_CONNECTOR = 1138,
        IDC_CABINET_FRAME_FIRST = 1139,  // and 1140
    };
    static constexpr double kSplays[5] = {15.0, 11.25, 7.5, 3.75, 0.0};

    // The length unit is accepted and not used.
    CLV6ModuleArrangementDialog(unsigned centre, unsigned upper, unsigned lower, CAxisEntityArray* entities,
                                int lengthUnit);

    void OnDrawControl(int id, IDrawingContext& dc, const CRect& client) override;
    CLV6ViewStatic& GetPreview() { return m_preview; }

protected:
    int OfferedSplayItems() const override { return 5; }

private:
    CLV6ViewStatic m_preview;
};
