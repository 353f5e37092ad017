#include "dialogs/TypeCModuleArrangementDialog1.h"

#include "platform/MessageBox.h"
#include "resources/DialogTemplates.h"

#include <string>

namespace {

const auto Ctl = CCabinetArrangementDialog::TemplateControl;

DialogTemplate TypeCTemplate()
{
    using K = ControlTemplate;
    DialogTemplate t;
    t.id = CTypeCModuleArrangementDialog1::IDD;
    t.caption = "Dialog";
    t.cx = 360;
    t.cy = 334;
    t.controls.push_back(Ctl(K::GroupBox, IDC_STATIC, "DM-P6", 7, 32, 140, 214));
    t.controls.push_back(Ctl(K::ComboList, 1110, "", 7, 7, 64, 126));
    t.controls.push_back(Ctl(K::Static, IDC_STATIC, "Box-Count", 74, 9, 35, 8));
    t.controls.push_back(Ctl(K::Static, IDC_STATIC, "Cabinet", 35, 44, 30, 8));
    t.controls.push_back(Ctl(K::Static, IDC_STATIC, "Angle", 97, 44, 30, 8));
    const int cabinetY[12] = {56, 70, 84, 99, 113, 128, 143, 157, 171, 185, 200, 214};
    for (int i = 0; i < 12; ++i) {
        t.controls.push_back(Ctl(K::Static, IDC_STATIC, std::to_string(i + 1) + ":", 14, cabinetY[i] + 2, 12, 8));
        t.controls.push_back(Ctl(K::ComboList, 1111 + i, "", 28, cabinetY[i], 53, 60));
    }
    const int angleY[11] = {63, 78, 93, 107, 122, 136, 151, 165, 179, 194, 209};
    for (int k = 0; k < 11; ++k)
        t.controls.push_back(Ctl(K::ComboList, 3011 + k, "", k == 0 ? 85 : 86, angleY[k], 48, 80));
    t.controls.push_back(Ctl(K::Custom, 1109, "", 159, 22, 182, 275));
    t.controls.push_back(Ctl(K::DefPushButton, IDOK, "OK", 123, 313, 55, 14));
    t.controls.push_back(Ctl(K::PushButton, IDCANCEL, "Cancel", 181, 313, 55, 14));
    return t;
}

}  // namespace

CCabinetColumnLayout CTypeCModuleArrangementDialog1::Layout()
{
    CCabinetColumnLayout l;
    l.templateId = IDD;
    l.previewId = IDC_PREVIEW;
    l.boxCountId = IDC_COMBO_BOX_COUNT;
    l.firstCabinetId = IDC_COMBO_CABINET1;
    l.cabinetCount = kCabinets;
    l.firstAngleId = IDC_COMBO_ANGLE1;
    l.angleCount = kCabinets - 1;
    l.firstBoxCountString = 64410;
    l.cabinetStrings[0] = 64432;
    l.cabinetStrings[1] = 64433;
    l.depths[0] = 0.27;
    l.depths[1] = 0.268;
    return l;
}

CTypeCModuleArrangementDialog1::CTypeCModuleArrangementDialog1(unsigned centre, unsigned upper, unsigned lower,
                                                               const CAxisElementArray& units, int lengthUnit)
    : CTypeACModuleArrangementDialog(Layout(), centre, upper, lower, units, lengthUnit)
{
    static const bool registered = [] {
        RegisterDialogTemplate(TypeCTemplate());
        return true;
    }();
    (void)registered;
    m_preview.SetDialog(this);
}
