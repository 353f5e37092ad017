#pragma once
// A project window with its SPL map and installation list panes, every
// dialog cancelled and the pop-up menus recorded instead of shown.

#include "platform_gui/TestSupport.h"
#include "splcalc/SceneSupport.h"

#include "app/KDRApp.h"
#include "app/KDRChildFrame.h"
#include "app/KDRMainFrame.h"
#include "app/PaneFactories.h"
#include "document/KDRDoc.h"
#include "platform/Dialog.h"
#include "platform/RegisteredMessages.h"
#include "platform/qt/ProgramResources.h"
#include "views/qt/ColorMapView.h"
#include "views/qt/InstallationContainerView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSettings>
#include <QTest>

#include <vector>

namespace mapmouse_qt_test {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_mapmouse_qt";
        static char* argv[] = {name, nullptr};
        if (!qApp)
            new QApplication(argc, argv);
    }
};


class CancellingRunner : public IDialogRunner {
public:
    std::vector<unsigned> ran;
    int RunModal(CDialog& dialog) override
    {
        ran.push_back(dialog.GetTemplateId());
        return IDCANCEL;
    }
};

inline std::vector<unsigned>& Menus()
{
    static std::vector<unsigned> menus;
    return menus;
}
inline unsigned RecordMenu(unsigned menuId, const QPoint&)
{
    Menus().push_back(menuId);
    return 0;
}

class MapMouseQtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteAll(dir.File("ZAV_KDR.ini"), "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n[LENGTH_UNIT]\r\nLengthUnit=0\r\n");
        CKDRApp::Options o;
        o.settingsPath = dir.File("ZAV_KDR.ini");
        o.dialogRunner = &runner;
        o.messages = &msgs;
        o.recentFilesScope = "KadrelMapMouseTest";
        o.showMainWindow = true;
        ASSERT_TRUE(app.InitInstance(0, nullptr, o));
        app.OnFileNew();
        ASSERT_EQ(app.GetMainFrame()->ChildFrames().size(), 1);
        child = app.GetMainFrame()->ChildFrames().front();
        map = dynamic_cast<CColorMapView*>(child->GetPane(PaneKind::SplMap));
        list = dynamic_cast<CInstallationContainerView*>(child->GetPane(PaneKind::InstallationInfo));
        ASSERT_NE(map, nullptr);
        ASSERT_NE(list, nullptr);
        doc = &child->GetDocument();
        Menus().clear();
        CInstallationContainerListCtrl::SetPopupRunner(&RecordMenu);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        CInstallationContainerListCtrl::SetPopupRunner(nullptr);
        QSettings(QStringLiteral("ZAV Corporation"), QStringLiteral("KadrelMapMouseTest")).clear();
    }

    void AddModelAndInstall(double x, double y)
    {
        if (doc->m_models.GetCount() == 0) {
            CStdioFile file;
            file.OpenText(MakeZsbText(splcalc_test::SmallSpeaker()));
            std::string first;
            file.ReadString(first);
            ASSERT_TRUE(doc->m_models.ImportModel(file, doc->m_nLengthUnit, nullptr));
        }
        const double z = doc->m_installations.GetRoom(CInstallationContainer::kRoomHeight);
        doc->m_installations.AddInstallation(0, 0, x, y, z, 0.0, 0.0, 90.0, 6.0, 1);
    }
    WPARAM Param(CDocument* d) const { return reinterpret_cast<WPARAM>(d); }
    // The screen point of a room point on the map, scrolled into view.
    QPoint MapScreenPoint(const CPoint3D& world)
    {
        const CPoint p = map->ProjectPoint(world);
        map->GetScrollArea()->ensureVisible(p.x, p.y, 5, 5);
        QApplication::processEvents();
        return map->GetCanvas()->mapToGlobal(QPoint(p.x, p.y));
    }
    static void SendMouse(QWidget* target, QEvent::Type type, const QPoint& local, Qt::MouseButton button,
                          Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    TempDir dir;
    CancellingRunner runner;
    RecordingMessages msgs;
    CKDRApp app;
    CKDRChildFrame* child = nullptr;
    CColorMapView* map = nullptr;
    CInstallationContainerView* list = nullptr;
    CKDRDoc* doc = nullptr;
};

}  // namespace mapmouse_qt_test

