#include "dialogs/TypeAModuleArrangementDialog1.h"

#include "platform/MessageBox.h"
#include "resources/DialogTemplates.h"

#include <string>

namespace {

const auto Ctl = CCabinetArrangementDialog::TemplateControl;

DialogTemplate TypeATemplate()
{
    using K = ControlTemplate;
    DialogTemplate t;
    t.id = CTypeAModuleArrangementDialog1::IDD;
    t.caption = "Dialog";
    t.cx = 360;
    t.cy = 340;
    t.controls.push_back(Ctl(K::GroupBox, IDC_STATIC, "DM-K14", 7, 32, 140, 162));
    t.controls.push_back(Ctl(K::ComboList, 3000, "", 7, 7, 64, 126));
    t.controls.push_back(Ctl(K::Static, IDC_STATIC, "Box-Count", 74, 9, 35, 8));
    t.controls.push_back(Ctl(K::Static, IDC_STATIC, "Cabinet", 35, 44, 30, 8));
    t.controls.push_back(Ctl(K::Static, IDC_STATIC, "Angle", 97, 44, 30, 8));
    const int cabinetY[8] = {56, 70, 84, 99, 113, 128, 143, 157};
    for (int i = 0; i < 8; ++i) {
        t.controls.push_back(Ctl(K::Static, IDC_STATIC, std::to_string(i + 1) + ":", 14, cabinetY[i] + 2, 12, 8));
        t.controls.push_back(Ctl(K::ComboList, 3001 + i, "", 28, cabinetY[i], 53, 60));
    }
    const int angleY[7] = {63, 78, 93, 107, 122, 136, 151};
    for (int k = 0; k < 7; ++k)
        t.controls.push_back(Ctl(K::ComboList, 3011 + k, "", 86, angleY[k], 48, 80));
    t.controls.push_back(Ctl(K::Custom, 1103, "", 161, 22, 182, 275));
    t.controls.push_back(Ctl(K::DefPushButton, IDOK, "OK", 123, 320, 55, 14));
    t.controls.push_back(Ctl(K::PushButton, IDCANCEL, "Cancel", 181, 320, 55, 14));
    return t;
}

}  // namespace

CCabinetColumnLayout CTypeAModuleArrangementDialog1::Layout()
{
    CCabinetColumnLayout l;
    l.templateId = IDD;
    l.previewId = IDC_PREVIEW;
    l.boxCountId = IDC_COMBO_BOX_COUNT;
    l.firstCabinetId = IDC_COMBO_CABINET1;
    l.cabinetCount = kCabinets;
    l.firstAngleId = IDC_COMBO_ANGLE1;
    l.angleCount = kCabinets - 1;
    l.firstBoxCountString = 64400;
    l.cabinetStrings[0] = 64430;
    l.cabinetStrings[1] = 64431;
    l.depths[0] = 0.469;
    l.depths[1] = 0.467;
    return l;
}

CTypeAModuleArrangementDialog1::CTypeAModuleArrangementDialog1(unsigned centre, unsigned upper, unsigned lower,
                                                               const CAxisElementArray& units, int lengthUnit)
    : CTypeACModuleArrangementDialog(Layout(), centre, upper, lower, units, lengthUnit)
{
    static const bool registered = [] {
        RegisterDialogTemplate(TypeATemplate());
        return true;
    }();
    (void)registered;
    m_preview.SetDialog(this);
}
