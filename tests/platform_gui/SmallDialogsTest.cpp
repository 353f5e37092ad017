// The preferences and initial-settings dialogs driven through in-memory
// controls (the message dialog runs in the Qt tests); the templates, the
// document strings and the menus.

#include "TestSupport.h"

#include "dialogs/InitialSettingsDialog1.h"
#include "dialogs/PreferenceDialog1.h"
#include "dialogs/Zx1ExportDialog1.h"
#include "platform/DocStrings.h"
#include "resources/CommandIds.h"
#include "resources/DialogTemplates.h"
#include "resources/Menus.h"
#include "resources/StringTable.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Answers DoModal by running a script against fresh in-memory controls.
class ScriptRunner : public IDialogRunner {
public:
    std::function<void(CDialog&, FakeControls&)> script;
    FakeControls initial;  // the controls as the template creates them
    ScriptRunner() { SetDialogRunner(this); }
    ~ScriptRunner() override { SetDialogRunner(nullptr); }
    int RunModal(CDialog& d) override
    {
        FakeControls controls = initial;
        d.AttachControls(&controls);
        d.OnInitDialog();
        script(d, controls);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    }
};

}  // namespace

// Advanced Mode is stored as 2, never 1; Cancel changes nothing.
TEST(PreferenceDialog, ShowsAndReturnsItsTwoChecks)
{
    const struct {
        int mode, manual;       // given
        int shownA, shownM;     // the boxes as shown
        int setA, setM;         // the user's choice (-1: untouched)
        bool ok;
        int mode2, manual2;     // the results
    } cases[] = {
        {2, 0, BST_CHECKED, BST_UNCHECKED, -1, -1, true, 2, 0},
        {0, 1, BST_UNCHECKED, BST_CHECKED, BST_CHECKED, BST_UNCHECKED, true, 2, 0},
        {1, 5, BST_CHECKED, BST_UNCHECKED, -1, -1, false, 1, 5},  // any mode but 0 shows checked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode * 10 + c.manual);
        ScriptRunner r;
        CPreferenceDialog1 dlg;
        dlg.SetParameters(c.mode, c.manual);
        r.script = [&c](CDialog& d, FakeControls& fc) {
            EXPECT_EQ(fc.c[1007].text, "Advanced Mode");
            EXPECT_EQ(fc.c[1018].text, "Manual Recalculation");
            EXPECT_EQ(fc.c[1007].check, c.shownA);
            EXPECT_EQ(fc.c[1018].check, c.shownM);
            if (c.setA >= 0) {
                fc.c[1007].check = c.setA;
                fc.c[1018].check = c.setM;
            }
            c.ok ? d.OnOK() : d.OnCancel();
        };
        EXPECT_EQ(dlg.DoModal(), c.ok ? IDOK : IDCANCEL);
        EXPECT_EQ(dlg.m_nAdvancedMode, c.mode2);
        EXPECT_EQ(dlg.m_bManualRecalculation, c.manual2);
    }
}

TEST(InitialSettingsDialog, PreselectsTheUnitAndHidesCancelOnRequest)
{
    const struct {
        int unit, showCancel, shownSel, chosen, result;
    } cases[] = {
        {1, 0, 1, 0, 0},
        {7, 1, 0, -1, 7},  // anything but 1 shows "Metric"; no selection keeps the unit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        ScriptRunner r;
        r.initial.c[1046].items = {"Metric", "Imperial"};
        CInitialSettingsDialog1 dlg;
        dlg.SetParameters(c.unit, c.showCancel);
        r.script = [&c](CDialog& d, FakeControls& fc) {
            EXPECT_EQ(fc.c[1042].text, "Units : ");
            EXPECT_EQ(fc.c[1046].sel, c.shownSel);
            EXPECT_EQ(fc.c[IDCANCEL].visible, c.showCancel != 0);
            fc.c[1046].sel = c.chosen;
            d.OnOK();
        };
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_nUnit, c.result);
    }
}

TEST(SmallDialogs, WithoutARunnerEveryDialogIsCancelled)
{
    CZx1ExportDialog1 dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// The captions show in the Qt tests; here what the program draws itself.
TEST(DialogTemplates, ControlsOfTheSmallDialogs)
{
    EXPECT_FALSE(FindDialogTemplate(143)->systemMenu);
    int found = 0;
    for (const ControlTemplate& c : FindDialogTemplate(167)->controls)
        if (c.id == 1035 && c.cx == 161 && c.cy == 26)
            ++found;
    EXPECT_EQ(found, 1);
    std::vector<std::string> labels;
    for (const ControlTemplate& c : FindDialogTemplate(148)->controls)
        if (c.kind == ControlTemplate::Static)
            labels.push_back(c.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"tyz? (0 to 360)", "degrees", "Mic Distance?", "m"}));
}

// The filters and the untitled name show in the Qt tests.
TEST(DocStrings, RegistryNamesAndNoWindowTitle)
{
    const CDocStrings save(LoadStringId(IDS_DOC_STRINGS));
    EXPECT_EQ(save.Get(CDocStrings::filterName), "KDR Files(*.zkdr)");
    EXPECT_EQ(save.Get(CDocStrings::regFileTypeId), "KDR.Document");
    EXPECT_EQ(save.Get(CDocStrings::regFileTypeName), "KDR Document");
    EXPECT_EQ(save.Get(CDocStrings::windowTitle), "");
}

// Menu 146 shows in the Qt pop-up test.
TEST(Menus, PopupMenusHoldTheirCommandsInOrder)
{
    auto ids = [](unsigned menu) {
        std::vector<unsigned> out;
        for (const MenuItemDef& it : FindMenu(menu)->front().items)
            out.push_back(it.kind == MenuItemDef::Separator ? 0u : it.id);
        return out;
    };
    EXPECT_EQ(ids(138), (std::vector<unsigned>{32771, 0, 32811, 0, 32773}));
    EXPECT_EQ(ids(136), (std::vector<unsigned>{32779, 0, 32780}));
    EXPECT_EQ(ids(137), (std::vector<unsigned>{32777}));

    EXPECT_EQ(FindMenu(IDR_MAINFRAME)->back().items.front().text, "&About Kadrel...");
    EXPECT_EQ(StripMnemonic("Sen&d..."), "Send...");
}
