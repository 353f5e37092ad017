// Every dialog template, walked control by control in dialog units: no
// control hides the text of another or lies over another opaque control,
// and every frame encloses only what belongs to it.
//
// The drawing model behind the check: a group box paints its frame and its
// title in a band of one text line (8 units) along its top and leaves its
// inside see-through; a label paints only its text; edits, combo boxes
// (closed, one field high), buttons, check boxes, icons and the drawn
// preview controls paint their whole area.

#include "dialogs/AutoInstallationDialog1.h"
#include "dialogs/InitialSettingsDialog1.h"
#include "dialogs/InstallationDialog1.h"
#include "dialogs/LV3ModuleArrangementDialog1.h"
#include "dialogs/LV6ModuleArrangementDialog.h"
#include "dialogs/MessageDialog1.h"
#include "dialogs/PreferenceDialog1.h"
#include "dialogs/PropertyDialog1.h"
#include "dialogs/TypeAModuleArrangementDialog1.h"
#include "dialogs/TypeCModuleArrangementDialog1.h"
#include "dialogs/TypeHModuleArrangementDialog.h"
#include "dialogs/TypeSModuleArrangementDialog1.h"
#include "dialogs/Zx1ExportDialog1.h"
#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// The height of a closed combo box and of a group box's title band.
constexpr int kComboFieldHeight = 13;
constexpr int kTitleBandHeight = 8;

struct Area {
    int left, top, right, bottom;  // right and bottom exclusive
    bool Intersects(const Area& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool Contains(const Area& o) const
    {
        return left <= o.left && o.right <= right && top <= o.top && o.bottom <= bottom;
    }
};

// The area a control paints opaquely or with its text; a group box only
// its title band.
Area PaintedArea(const ControlTemplate& c)
{
    int height = c.cy;
    if (c.kind == ControlTemplate::ComboList)
        height = kComboFieldHeight;
    else if (c.kind == ControlTemplate::GroupBox)
        height = std::min(c.cy, kTitleBandHeight);
    return Area{c.x, c.y, c.x + c.cx, c.y + height};
}

// The whole rectangle of a control: for a group box its frame with the
// inside, for a combo box the closed field.
Area WholeArea(const ControlTemplate& c)
{
    if (c.kind == ControlTemplate::GroupBox)
        return Area{c.x, c.y, c.x + c.cx, c.y + c.cy};
    return PaintedArea(c);
}

std::string Describe(const ControlTemplate& c)
{
    std::ostringstream s;
    s << "control " << c.id << " \"" << c.text << "\" at (" << c.x << ", " << c.y << ", " << c.cx << ", " << c.cy
      << ")";
    return s.str();
}

// Registers the templates that their dialogs bring along.
void RegisterEveryTemplate()
{
    CAxisEntityArray entities(8);
    const CAxisElementArray units;
    CAutoInstallationDialog1 autoInstallation;
    CInstallationDialog1 installation;
    CPropertyDialog1 roomParameters;
    CLV3ModuleArrangementDialog1 lv3(0, 4, 4, &entities, 0);
    CLV6ModuleArrangementDialog lv6(0, 4, 4, &entities, 0);
    CTypeSModuleArrangementDialog1 typeS(0, 0, 8, &entities, 0);
    CTypeAModuleArrangementDialog1 typeA(0, 0, 1, units, 0);
    CTypeCModuleArrangementDialog1 typeC(0, 0, 1, units, 0);
    CTypeHModuleArrangementDialog typeH(0, 0, 9, units, 0);
}

TEST(DialogTemplateLayout, NoControlCoversAnotherOrItsText)
{
    RegisterEveryTemplate();
    const std::vector<const DialogTemplate*> all = AllDialogTemplates();
    std::vector<unsigned> ids;
    for (const DialogTemplate* t : all)
        ids.push_back(t->id);
    EXPECT_EQ(ids, (std::vector<unsigned>{100, 140, 141, 143, 148, 149, 153, 155, 157, 158, 159, 167, 168, 169}));

    for (const DialogTemplate* t : all) {
        SCOPED_TRACE("dialog " + std::to_string(t->id) + " \"" + t->caption + "\"");
        const std::vector<ControlTemplate>& controls = t->controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const Area a = PaintedArea(controls[i]);
            EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= t->cx && a.bottom <= t->cy)
                << Describe(controls[i]) << " reaches beyond the dialog";
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                EXPECT_FALSE(a.Intersects(PaintedArea(controls[j])))
                    << Describe(controls[i]) << " and " << Describe(controls[j]) << " overlap";
            }
        }
    }
}

// What the numbered frames of the line-array dialogs enclose: each box its
// module frames and the combos of the joints inside it, each connector the
// combo of the joint between two boxes, and nothing else.
std::map<std::pair<unsigned, int>, std::set<int>> FrameContents()
{
    std::map<std::pair<unsigned, int>, std::set<int>> contents;
    for (int b = 0; b < 4; ++b) {
        std::set<int>& box = contents[{149, 1055 + b}];
        for (int m = 0; m < 4; ++m)
            box.insert(1021 + 4 * b + m);
        for (int j = 0; j < 3; ++j)
            box.insert(2001 + 4 * b + j);
    }
    for (int b = 0; b < 3; ++b)
        contents[{149, 1059 + b}] = {2004 + 4 * b};
    contents[{159, 1139}] = {1130, 1131, 1132, 1133, 1121, 1122, 1123};
    contents[{159, 1140}] = {1134, 1135, 1136, 1137, 1125, 1126, 1127};
    contents[{159, 1138}] = {1124};
    return contents;
}

// A frame (group box) and another control either stand apart or the
// control lies wholly inside the frame; two frames nest or stand apart, so
// no caption stands inside a frame that is not its own. The numbered frames
// of the line-array dialogs enclose exactly the controls of their box.
TEST(DialogTemplateLayout, FramesEncloseOnlyTheirOwnControls)
{
    RegisterEveryTemplate();
    const std::map<std::pair<unsigned, int>, std::set<int>> contents = FrameContents();
    std::size_t framesChecked = 0;
    for (const DialogTemplate* t : AllDialogTemplates()) {
        SCOPED_TRACE("dialog " + std::to_string(t->id) + " \"" + t->caption + "\"");
        const std::vector<ControlTemplate>& controls = t->controls;
        for (const ControlTemplate& frame : controls) {
            if (frame.kind != ControlTemplate::GroupBox)
                continue;
            const Area outline = WholeArea(frame);
            std::set<int> enclosed;
            for (const ControlTemplate& c : controls) {
                if (&c == &frame)
                    continue;
                const Area a = WholeArea(c);
                if (!outline.Intersects(a))
                    continue;
                if (c.kind == ControlTemplate::GroupBox && a.Contains(outline))
                    continue;  // the frame lies in this one
                EXPECT_TRUE(outline.Contains(a)) << Describe(c) << " crosses the edge of " << Describe(frame);
                enclosed.insert(c.id);
            }
            const auto own = contents.find({t->id, frame.id});
            if (own == contents.end())
                continue;
            ++framesChecked;
            EXPECT_EQ(enclosed, own->second) << Describe(frame) << " encloses other controls than those of its box";
        }
    }
    EXPECT_EQ(framesChecked, contents.size());
}

}  // namespace
