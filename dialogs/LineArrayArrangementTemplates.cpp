#include "dialogs/LineArrayArrangementTemplates.h"

#include "platform/MessageBox.h"
#include "resources/DialogTemplates.h"

#include <string>

namespace {

using K = ControlTemplate;

const char* const kModuleNames[4] = {"1st Module", "2nd Module", "3rd Module", "4th Module"};

DialogTemplate LV3Template()
{
    DialogTemplate t;
    t.id = 149;
    t.caption = "Properties for LV-3";
    t.cx = 452;
    t.cy = 420;
    // The boxes stand in a column with their module frames and the combos of
    // the joints inside them; the connectors between two boxes stand to the
    // left of that column at the boxes' meeting line, so that no frame
    // encloses a caption or combo of another.
    for (int b = 0; b < 4; ++b)
        t.controls.push_back(
            MakeControl(K::GroupBox, 1055 + b, "LV-3 (" + std::to_string(b + 1) + ")", 85, 35 + 90 * b, 140, 90));
    for (int b = 0; b < 3; ++b)
        t.controls.push_back(MakeControl(K::GroupBox, 1059 + b, "QJ-RT3", 5, 110 + 90 * b, 75, 30));
    for (int m = 0; m < 16; ++m)
        t.controls.push_back(
            MakeControl(K::GroupBox, 1021 + m, kModuleNames[m % 4], 160, 44 + 20 * (m % 4) + 90 * (m / 4), 60, 15));
    t.controls.push_back(MakeControl(K::ComboList, 1052, "", 16, 13, 70, 75));
    t.controls.push_back(MakeControl(K::Static, IDC_STATIC, "Box count", 92, 15, 41, 8));
    const int ys[15] = {55, 75, 95, 120, 145, 165, 185, 210, 235, 255, 275, 300, 325, 345, 365};
    for (int j = 0; j < 15; ++j) {
        const int id = 2001 + j;
        const int x = (id == 2004 || id == 2008 || id == 2012) ? 10 : 90;
        t.controls.push_back(MakeControl(K::ComboList, id, "", x, ys[j], 65, 80));
    }
    t.controls.push_back(MakeControl(K::Custom, 1098, "", 230, 45, 210, 305));
    t.controls.push_back(MakeControl(K::DefPushButton, IDOK, "OK", 169, 399, 55, 14));
    t.controls.push_back(MakeControl(K::PushButton, IDCANCEL, "Cancel", 227, 399, 55, 14));
    return t;
}

DialogTemplate LV6Template()
{
    DialogTemplate t;
    t.id = 159;
    t.caption = "Properties for LV-6";
    t.cx = 418;
    t.cy = 350;
    t.controls.push_back(MakeControl(K::GroupBox, 1139, "LV-6(1)", 16, 43, 155, 98));
    t.controls.push_back(MakeControl(K::GroupBox, 1140, "LV-6(2)", 15, 166, 155, 98));
    // The connector ends where the second box begins.
    t.controls.push_back(MakeControl(K::GroupBox, 1138, "QJ-RT6", 15, 143, 94, 23));
    for (int m = 0; m < 4; ++m)
        t.controls.push_back(MakeControl(K::GroupBox, 1130 + m, kModuleNames[m], 91, 59 + 20 * m, 60, 15));
    for (int m = 0; m < 4; ++m)
        t.controls.push_back(MakeControl(K::GroupBox, 1134 + m, kModuleNames[m], 99, 182 + 20 * m, 60, 15));
    t.controls.push_back(MakeControl(K::ComboList, 1120, "", 21, 21, 70, 75));
    t.controls.push_back(MakeControl(K::Static, IDC_STATIC, "Box count", 102, 23, 41, 8));
    for (int j = 0; j < 3; ++j)
        t.controls.push_back(MakeControl(K::ComboList, 1121 + j, "", 20, 72 + 20 * j, 65, 80));
    t.controls.push_back(MakeControl(K::ComboList, 1124, "", 20, 152, 65, 80));
    for (int j = 0; j < 3; ++j)
        t.controls.push_back(MakeControl(K::ComboList, 1125 + j, "", 19, 191 + 20 * j, 65, 80));
    t.controls.push_back(MakeControl(K::Custom, 1129, "", 183, 18, 214, 279));
    t.controls.push_back(MakeControl(K::DefPushButton, IDOK, "OK", 27, 304, 55, 14));
    t.controls.push_back(MakeControl(K::PushButton, IDCANCEL, "Cancel", 85, 304, 55, 14));
    return t;
}

DialogTemplate TypeSTemplate()
{
    DialogTemplate t;
    t.id = 155;
    t.caption = "Dialog";
    t.cx = 345;
    t.cy = 313;
    t.controls.push_back(MakeControl(K::GroupBox, IDC_STATIC, "Bottom of DM-R2", 8, 46, 67, 40));
    t.controls.push_back(MakeControl(K::ComboList, 1099, "", 7, 7, 64, 74));
    t.controls.push_back(MakeControl(K::Static, IDC_STATIC, "Box-Count", 74, 9, 35, 8));
    t.controls.push_back(MakeControl(K::CheckBox, 1101, "DM-R2S", 20, 55, 43, 29));
    t.controls.push_back(MakeControl(K::Custom, 1102, "", 126, 16, 210, 258));
    t.controls.push_back(MakeControl(K::DefPushButton, IDOK, "OK", 116, 292, 55, 14));
    t.controls.push_back(MakeControl(K::PushButton, IDCANCEL, "Cancel", 174, 292, 55, 14));
    return t;
}

}  // namespace

void RegisterLineArrayArrangementTemplates()
{
    static const bool registered = [] {
        RegisterDialogTemplate(LV3Template());
        RegisterDialogTemplate(LV6Template());
        RegisterDialogTemplate(TypeSTemplate());
        return true;
    }();
    (void)registered;
}
