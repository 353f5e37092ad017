// The preferences, initial-settings, message and zx1-export dialogs driven
// through in-memory controls.

#include "FakeControls.h"

#include "dialogs/InitialSettingsDialog1.h"
#include "dialogs/MessageDialog1.h"
#include "dialogs/PreferenceDialog1.h"
#include "dialogs/Zx1ExportDialog1.h"
#include "platform/DocStrings.h"
#include "resources/CommandIds.h"
#include "resources/DialogTemplates.h"
#include "resources/Menus.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

namespace {

// Answers DoModal by running a script against in-memory controls.
class ScriptRunner : public IDialogRunner {
public:
    std::function<void(CDialog&, FakeControls&)> script;
    FakeControls controls;
    ScriptRunner() { SetDialogRunner(this); }
    ~ScriptRunner() override { SetDialogRunner(nullptr); }
    int RunModal(CDialog& d) override
    {
        d.AttachControls(&controls);
        d.OnInitDialog();
        script(d, controls);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    }
};

}  // namespace

TEST(PreferenceDialog, ShowsAdvancedModeTwoCheckedAndReturnsTwoNeverOne)
{
    ScriptRunner r;
    CPreferenceDialog1 dlg;
    dlg.SetParameters(2, 0);
    r.script = [](CDialog& d, FakeControls& c) {
        EXPECT_EQ(c.c[1007].text, "Advanced Mode");
        EXPECT_EQ(c.c[1018].text, "Manual Recalculation");
        EXPECT_EQ(c.c[1007].check, BST_CHECKED);
        EXPECT_EQ(c.c[1018].check, BST_UNCHECKED);
        d.OnOK();
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nAdvancedMode, 2);
    EXPECT_EQ(dlg.m_bManualRecalculation, 0);

    CPreferenceDialog1 dlg2;
    dlg2.SetParameters(0, 1);
    r.controls = FakeControls();
    r.script = [](CDialog& d, FakeControls& c) {
        EXPECT_EQ(c.c[1007].check, BST_UNCHECKED);
        EXPECT_EQ(c.c[1018].check, BST_CHECKED);
        c.c[1007].check = BST_CHECKED;
        c.c[1018].check = BST_UNCHECKED;
        d.OnOK();
    };
    ASSERT_EQ(dlg2.DoModal(), IDOK);
    EXPECT_EQ(dlg2.m_nAdvancedMode, 2);
    EXPECT_EQ(dlg2.m_bManualRecalculation, 0);
}

TEST(PreferenceDialog, ManualValueOtherThanZeroOrOneLeavesTheBoxAsCreated)
{
    ScriptRunner r;
    r.controls.c[1018].check = BST_UNCHECKED;
    CPreferenceDialog1 dlg;
    dlg.SetParameters(1, 5);
    r.script = [](CDialog& d, FakeControls& c) {
        EXPECT_EQ(c.c[1007].check, BST_CHECKED);  // any non-zero mode
        EXPECT_EQ(c.c[1018].check, BST_UNCHECKED);
        d.OnCancel();
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nAdvancedMode, 1);  // untouched by Cancel
}

TEST(InitialSettingsDialog, PreselectsTheUnitAndHidesCancelOnRequest)
{
    ScriptRunner r;
    r.controls.c[1046].items = {"Metric", "Imperial"};
    CInitialSettingsDialog1 dlg;
    dlg.SetParameters(1, 0);
    r.script = [](CDialog& d, FakeControls& c) {
        EXPECT_EQ(c.c[1042].text, "Units : ");
        EXPECT_EQ(c.c[1046].sel, 1);
        EXPECT_FALSE(c.c[IDCANCEL].visible);
        c.c[1046].sel = 0;
        d.OnOK();
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nUnit, 0);

    CInitialSettingsDialog1 dlg2;
    dlg2.SetParameters(7, 1);
    r.script = [](CDialog& d, FakeControls& c) {
        EXPECT_EQ(c.c[1046].sel, 0);  // anything but 1 shows "Metric"
        EXPECT_TRUE(c.c[IDCANCEL].visible);
        c.c[1046].sel = -1;
        d.OnOK();
    };
    ASSERT_EQ(dlg2.DoModal(), IDOK);
    EXPECT_EQ(dlg2.m_nUnit, 7);  // no selection keeps the unit
}

TEST(MessageDialog, PutsTheMessageIntoItsStaticAndAnswersCancel)
{
    ScriptRunner r;
    CMessageDialog1 dlg;
    dlg.m_strMessage = LoadStringId(61633);
    r.script = [](CDialog& d, FakeControls& c) {
        EXPECT_EQ(c.c[1035].text, "Are you sure you want to remove this speaker?");
        d.OnCancel();
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    r.script = [](CDialog& d, FakeControls&) { d.OnOK(); };
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(Zx1ExportDialog, OpensWithZeroAndTwentyAndChecksItsRanges)
{
    RecordingMessages msgs;
    ScriptRunner r;
    CZx1ExportDialog1 dlg;
    r.script = [&](CDialog& d, FakeControls& c) {
        EXPECT_EQ(c.c[1019].text, "0");
        EXPECT_EQ(c.c[1020].text, "20");
        c.c[1019].text = "361";
        d.OnOK();
        EXPECT_FALSE(d.IsEnded());
        c.c[1019].text = "360";
        c.c[1020].text = "0";
        d.OnOK();
        EXPECT_FALSE(d.IsEnded());
        c.c[1020].text = "0.0001";
        d.OnOK();
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_EQ(msgs.shown[0].text, "Enter a number between 0 and 360.");
    EXPECT_EQ(msgs.shown[1].text, "Enter a number between 0.0001 and 9999999.");
    EXPECT_DOUBLE_EQ(dlg.m_dAngle, 360.0);
    EXPECT_DOUBLE_EQ(dlg.m_dMicDistance, 0.0001);
}

TEST(SmallDialogs, WithoutARunnerEveryDialogIsCancelled)
{
    CZx1ExportDialog1 dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(DialogTemplates, CaptionsAndControlsOfTheSmallDialogs)
{
    const DialogTemplate* pref = FindDialogTemplate(140);
    ASSERT_NE(pref, nullptr);
    EXPECT_EQ(pref->caption, "Preferences");
    const DialogTemplate* init = FindDialogTemplate(143);
    ASSERT_NE(init, nullptr);
    EXPECT_EQ(init->caption, "Initial Settings");
    EXPECT_FALSE(init->systemMenu);
    const DialogTemplate* msg = FindDialogTemplate(167);
    ASSERT_NE(msg, nullptr);
    EXPECT_EQ(msg->caption, "Message from Kadrel");
    bool found = false;
    for (const ControlTemplate& c : msg->controls)
        if (c.id == 1035) {
            EXPECT_EQ(c.cx, 161);
            EXPECT_EQ(c.cy, 26);
            found = true;
        }
    EXPECT_TRUE(found);
    const DialogTemplate* zx1 = FindDialogTemplate(148);
    ASSERT_NE(zx1, nullptr);
    EXPECT_EQ(zx1->caption, "Export zx1");
    std::vector<std::string> labels;
    for (const ControlTemplate& c : zx1->controls)
        if (c.kind == ControlTemplate::Static)
            labels.push_back(c.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"tyz? (0 to 360)", "degrees", "Mic Distance?", "m"}));
}

TEST(DocStrings, OpenListsBothExtensionsSaveOnlyTheNewOne)
{
    const CDocStrings save(LoadStringId(IDS_DOC_STRINGS));
    const CDocStrings open(LoadStringId(IDS_DOC_STRINGS_OPEN));
    EXPECT_EQ(save.Get(CDocStrings::filterName), "KDR Files(*.zkdr)");
    EXPECT_EQ(save.MakeFilter(), "KDR Files(*.zkdr) (*.zkdr)");
    EXPECT_EQ(open.MakeFilter(), "KDR Files(*.zkdr,*kdr) (*.zkdr *.kdr)");
    EXPECT_EQ(save.Get(CDocStrings::regFileTypeId), "KDR.Document");
    EXPECT_EQ(save.Get(CDocStrings::regFileTypeName), "KDR Document");
    EXPECT_EQ(save.MakeUntitledTitle(1), "Untitled1");
    EXPECT_EQ(save.Get(CDocStrings::windowTitle), "");
}

TEST(Menus, PopupMenusHoldTheirCommandsInOrder)
{
    auto ids = [](unsigned menu) {
        std::vector<unsigned> out;
        for (const MenuItemDef& it : FindMenu(menu)->front().items)
            out.push_back(it.kind == MenuItemDef::Separator ? 0u : it.id);
        return out;
    };
    EXPECT_EQ(ids(138), (std::vector<unsigned>{32771, 0, 32811, 0, 32773}));
    EXPECT_EQ(ids(146), (std::vector<unsigned>{32773, 0, 32811, 0, 32771, 0, 32810}));
    EXPECT_EQ(ids(136), (std::vector<unsigned>{32779, 0, 32780}));
    EXPECT_EQ(ids(137), (std::vector<unsigned>{32777}));
    EXPECT_EQ(FindMenu(146)->front().items.back().text, "Export zx1...");
}

TEST(Menus, TheMenuWithoutAProjectHasFileViewHelp)
{
    const auto* m = FindMenu(IDR_MAINFRAME);
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(m->size(), 3u);
    EXPECT_EQ((*m)[0].text, "&File");
    EXPECT_EQ((*m)[1].text, "&View");
    EXPECT_EQ((*m)[2].text, "&Help");
    EXPECT_EQ((*m)[2].items[0].text, "&About Kadrel...");
    EXPECT_EQ(StripMnemonic("Sen&d..."), "Send...");
}
