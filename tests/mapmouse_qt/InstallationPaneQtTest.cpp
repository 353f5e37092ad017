// The installation list pane in a project window: rows, columns, refill on
// hint 2, clicks and the pop-up menu.

#include "MapMouseQtFixture.h"

using namespace mapmouse_qt_test;

TEST_F(MapMouseQtTest, InstallationPaneListsAndRefillsOnHintTwo)
{
    EXPECT_EQ(list->objectName(), QStringLiteral("Installation Info View"));
    CInstallationContainerListCtrl* ctrl = list->GetListCtrl();
    ASSERT_EQ(ctrl->columnCount(), 5);
    EXPECT_EQ(ctrl->headerItem()->text(1), QStringLiteral("Speaker Name"));
    EXPECT_EQ(ctrl->GetItemCount(), 0);
    EXPECT_EQ(ctrl->geometry(), list->rect());

    AddModelAndInstall(1.0, 2.0);
    AddModelAndInstall(3.0, 4.0);
    EXPECT_EQ(ctrl->GetItemCount(), 0);  // not before hint 2
    doc->m_nAdvancedMode = 2;
    doc->m_nLengthUnit = 0;
    doc->m_installations.SetCurrentIndex(1);
    doc->UpdateAllViews(nullptr, kHintInstallationList);
    ASSERT_EQ(ctrl->GetItemCount(), 2);
    EXPECT_EQ(ctrl->columnCount(), 10);
    EXPECT_EQ(ctrl->GetItemText(1, 2), "3[m]");
    EXPECT_EQ(ctrl->GetItemText(0, 9), "Normal");
    EXPECT_EQ(ctrl->GetSelectedRow(), 1);

    doc->m_nAdvancedMode = 0;
    doc->UpdateAllViews(nullptr, kHintInstallationList);
    EXPECT_EQ(ctrl->columnCount(), 5);
    EXPECT_EQ(ctrl->headerItem()->text(4), QStringLiteral("Z"));
    EXPECT_EQ(ctrl->GetItemText(0, 4).empty(), false);
}

TEST_F(MapMouseQtTest, ClicksAndMenuOnTheList)
{
    AddModelAndInstall(1.0, 2.0);
    AddModelAndInstall(3.0, 4.0);
    doc->m_installations.SetCurrentIndex(1);
    doc->UpdateAllViews(nullptr, kHintInstallationList);
    CInstallationContainerListCtrl* ctrl = list->GetListCtrl();
    ASSERT_EQ(ctrl->GetSelectedRow(), 1);

    SendMouse(ctrl->viewport(), QEvent::MouseButtonPress, ctrl->RowPoint(0), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doc->m_installations.GetCurrentIndex(), 0);
    EXPECT_EQ(ctrl->GetSelectedRow(), 0);
    QTest::keyClick(ctrl, Qt::Key_Down);
    EXPECT_EQ(doc->m_installations.GetCurrentIndex(), 1);

    const QPoint p = ctrl->RowPoint(1);
    QContextMenuEvent event(QContextMenuEvent::Mouse, p, ctrl->viewport()->mapToGlobal(p));
    QApplication::sendEvent(ctrl->viewport(), &event);
    EXPECT_EQ(doc->m_installations.GetCurrentIndex(), 1);
    EXPECT_EQ(Menus(), (std::vector<unsigned>{136}));

    // Below the rows: no menu.
    const QPoint below(4, ctrl->viewport()->height() - 2);
    QContextMenuEvent miss(QContextMenuEvent::Mouse, below, ctrl->viewport()->mapToGlobal(below));
    QApplication::sendEvent(ctrl->viewport(), &miss);
    EXPECT_EQ(Menus().size(), 1u);
}

