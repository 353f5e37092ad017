// The installation list: columns, row texts, the current row, clicks, the
// pop-up menu and the answers to a speaker dragged from the speaker list.

#include "MapMouseTestSupport.h"

#include <gtest/gtest.h>

using namespace mapmouse_test;

namespace {

class InstallationList : public ::testing::Test {
protected:
    InstallationList() : scene(1), list(scene.doc.get(), rows)
    {
        model = scene.AddModel(splcalc_test::SmallSpeaker());
        CInstallationContainer& room = Doc().m_installations;
        room.SetRoom(CInstallationContainer::kReferenceX0, 2.0);
        room.SetRoom(CInstallationContainer::kReferenceY0, -1.0);
        room.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
        room.SetRoom(CInstallationContainer::kRoomWidthY, 6.0);
    }
    CKDRDoc& Doc() { return *scene.doc; }
    CListRowGeometry Geometry(int top = 0) const
    {
        CListRowGeometry g;
        g.rowHeight = 16;
        g.rowWidth = 314;
        g.topRow = top;
        g.rowCount = static_cast<int>(rows.rows.size());
        return g;
    }

    splcalc_test::Scene scene;
    CVectorList rows;
    CInstallationContainerViewCore list;
    int model = -1;
};

TEST_F(InstallationList, ColumnsFollowAdvancedModeWithoutDuplicates)
{
    list.OnInitialUpdate();
    EXPECT_EQ(rows.Headings(), (std::vector<std::string>{"No", "Speaker Name", "X", "Y", "Z"}));
    std::vector<int> widths;
    for (const auto& c : rows.columns)
        widths.push_back(c.width);
    EXPECT_EQ(widths, (std::vector<int>{27, 87, 50, 50, 50}));

    Doc().m_nAdvancedMode = 2;
    list.OnUpdate(1);  // only hint 2 refills
    EXPECT_EQ(rows.columns.size(), 5u);
    list.OnUpdate(kHintInstallationList);
    list.OnUpdate(kHintInstallationList);
    EXPECT_EQ(rows.Headings(),
              (std::vector<std::string>{"No", "Speaker Name", "X", "Y", "Z", "Azimuth(Left+)", "Elevation(Down+)",
                                        "Rotation(Right+)", "Power", "Polarity"}));
    widths.clear();
    for (const auto& c : rows.columns)
        widths.push_back(c.width);
    EXPECT_EQ(widths, (std::vector<int>{27, 87, 50, 50, 50, 100, 110, 100, 60, 52}));

    Doc().m_nAdvancedMode = 0;
    list.OnUpdate(kHintInstallationList);
    EXPECT_EQ(rows.columns.size(), 5u);
}

TEST_F(InstallationList, RowTextsInFeetAndMetres)
{
    scene.Install(model, 12.3456, 0.5, 13.0, 10.0, 20.0, 33.33333, 6.25, true);
    scene.Install(model, -1.0, 100000.0, 0.001234567, 0.0, 0.0, 90.0, 3.0, false);
    Doc().m_nAdvancedMode = 2;
    list.OnInitialUpdate();
    ASSERT_EQ(rows.rows.size(), 2u);
    const std::string name = Doc().m_models.GetAt(model)->GetName() + Doc().m_models.GetAt(model)->GetNameSuffix();
    EXPECT_EQ(rows.rows[0], (std::vector<std::string>{"1", name, "12.35[ft]", "0.5[ft]", "13[ft]", "10[deg]",
                                                      "33.33[deg]", "20[deg]", "6.25[W]", "Normal"}));
    EXPECT_EQ(rows.rows[1][0], "2");
    EXPECT_EQ(rows.rows[1][2], "-1[ft]");
    EXPECT_EQ(rows.rows[1][4], "0.001235[ft]");
    EXPECT_EQ(rows.rows[1][9], "Reverse");

    Doc().m_nLengthUnit = 0;
    Doc().m_nAdvancedMode = 0;
    list.OnUpdate(kHintInstallationList);
    EXPECT_EQ(rows.rows[0][2], "12.35[m]");
    EXPECT_EQ(rows.rows[0][5], "");  // no angle texts outside Advanced Mode
}

TEST_F(InstallationList, CurrentRowSelectedAndClicksMakeRowsCurrent)
{
    for (int i = 0; i < 3; ++i)
        scene.Install(model, i, 0.0, 13.0);
    Doc().m_installations.SetCurrentIndex(1);
    CTestMap map(Doc());
    list.OnInitialUpdate();
    EXPECT_EQ(rows.selected, 1);
    EXPECT_EQ(rows.visible, 1);

    // Header band (y <= 16) hits no row and changes nothing.
    const int before = rows.selectCalls;
    EXPECT_EQ(list.OnLButtonDown(Geometry(), 10, 16), -1);
    EXPECT_EQ(rows.selectCalls, before);
    // The first row lies in 16 < y <= 32, the third in 48 < y <= 64.
    EXPECT_EQ(list.OnLButtonDown(Geometry(), 10, 17), 0);
    EXPECT_EQ(Doc().m_installations.GetCurrentIndex(), 0);
    EXPECT_EQ(list.OnLButtonDown(Geometry(), 10, 64), 2);
    EXPECT_EQ(Doc().m_installations.GetCurrentIndex(), 2);
    EXPECT_EQ(rows.selected, 2);
    const int redraws = map.redraws;
    EXPECT_GT(redraws, 0);
    // Scrolled by one row: the first visible row is row 1.
    EXPECT_EQ(list.OnLButtonDown(Geometry(1), 10, 20), 1);

    // Below the rows or right of them: the current row is selected again.
    rows.selected = -1;
    EXPECT_EQ(list.OnLButtonDown(Geometry(), 10, 65), -1);
    EXPECT_EQ(rows.selected, 1);
    rows.selected = -1;
    EXPECT_EQ(list.OnLButtonDown(Geometry(), 315, 20), -1);
    EXPECT_EQ(rows.selected, 1);
    EXPECT_EQ(Doc().m_installations.GetCurrentIndex(), 1);

    // Right click on row 0: current and highlighted, maps redrawn, menu 136.
    rows.selected = -1;
    EXPECT_EQ(list.OnContextMenu(Geometry(), 10, 30), 136u);
    EXPECT_EQ(Doc().m_installations.GetCurrentIndex(), 0);
    EXPECT_GT(map.redraws, redraws);
    EXPECT_EQ(rows.selected, 0);
    EXPECT_EQ(list.OnContextMenu(Geometry(), 10, 5), 0u);
}

TEST_F(InstallationList, EmptyDocumentListsNothingAndIgnoresClicks)
{
    list.OnInitialUpdate();
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_EQ(rows.selected, -1);
    EXPECT_EQ(list.OnLButtonDown(Geometry(), 10, 20), -1);
    EXPECT_EQ(list.OnContextMenu(Geometry(), 10, 20), 0u);
    EXPECT_EQ(rows.selectCalls, 0);
}

TEST_F(InstallationList, DropInstallsAtRoomCentreOnlyFromOwnDocument)
{
    CScriptedInstallationUi ui;
    CScriptedDocumentUi docUi;
    CHints hints(Doc());
    struct Forward : IView {
        CInstallationContainerViewCore& list;
        explicit Forward(CInstallationContainerViewCore& l) : list(l) {}
        void OnUpdate(IView*, long hint) override { list.OnUpdate(hint); }
    } forward(list);
    Doc().AddView(&forward);
    list.OnInitialUpdate();

    splcalc_test::Scene other;
    EXPECT_EQ(list.OnMessage(WM_CAN_ACCEPT_DROP, DocParam(*other.doc), 0, true), 0);
    EXPECT_EQ(list.OnMessage(WM_CAN_ACCEPT_DROP, DocParam(Doc()), 0, false), 0);
    EXPECT_EQ(list.OnMessage(WM_CAN_ACCEPT_DROP, DocParam(Doc()), 0, true), 1);
    EXPECT_EQ(list.OnMessage(WM_DROP_NEW_SPEAKER, DocParam(*other.doc), 0, true), 2);
    EXPECT_EQ(list.OnMessage(WM_DROP_NEW_SPEAKER, DocParam(Doc()), 0, false), 2);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(list.OnMessage(WM_IS_POINT_IN_ROOM, DocParam(Doc()), 0, true), 0);

    ui.ok = false;
    EXPECT_EQ(list.OnMessage(WM_DROP_NEW_SPEAKER, DocParam(Doc()), 0, true), 2);
    EXPECT_EQ(Doc().m_installations.GetCount(), 0);
    EXPECT_TRUE(hints.hints.empty());

    ui.ok = true;
    Doc().SetModifiedFlag(false);
    EXPECT_EQ(list.OnMessage(WM_DROP_NEW_SPEAKER, DocParam(Doc()), 0, true), 1);
    ASSERT_EQ(ui.shown.size(), 2u);
    // The centre of the room: X0 + 10 / 2, Y0 + 6 / 2.
    EXPECT_DOUBLE_EQ(ui.shown[1].pos[0], 7.0);
    EXPECT_DOUBLE_EQ(ui.shown[1].pos[1], 2.0);
    EXPECT_EQ(Doc().m_installations.GetCount(), 1);
    EXPECT_EQ(hints.hints, (std::vector<long>{1, 2, 4}));
    EXPECT_TRUE(Doc().IsModified());
    // The hint 2 refilled the list.
    EXPECT_EQ(rows.rows.size(), 1u);
    EXPECT_EQ(rows.rows[0][2], "7[ft]");
    Doc().RemoveView(&forward);
}

}  // namespace
