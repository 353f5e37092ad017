#include "platform/ProgressDialogLayout.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/ProgressDialog1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_progress_qt";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const g_env =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Dialog units as every template dialog maps them.
QRect Expected(const ProgressDialogLayout::DluRect& r, const CDialogUnits& du)
{
    return du.MapRect(r.x, r.y, r.cx, r.cy);
}

}  // namespace

TEST(ProgressDialog1, TemplateLayoutInDialogUnits)
{
    CProgressDialog1 dlg;
    EXPECT_EQ(dlg.font(), CDialogUnits::DialogFont());
    const CDialogUnits fm(CDialogUnits::DialogFont());
    EXPECT_EQ(dlg.windowTitle(), QString("KDR"));
    EXPECT_EQ(dlg.StopButton()->text(), QString("Stop"));
    EXPECT_EQ(dlg.size(), QSize(fm.MapX(187), fm.MapY(83)));
    EXPECT_EQ(dlg.StopButton()->geometry(), Expected({66, 62, 55, 14}, fm));
    EXPECT_EQ(dlg.ProgressBar()->geometry(), Expected({30, 29, 127, 14}, fm));
    EXPECT_EQ(dlg.MessageLabel()->geometry(), Expected({30, 15, 127, 9}, fm));
    EXPECT_FALSE(dlg.isModal());
    EXPECT_EQ(dlg.m_nStepCounter, 0);
}

TEST(ProgressDialog1, StopBeforeTheFirstPump)
{
    CProgressDialog1 dlg;
    dlg.show();
    dlg.StopButton()->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.StopButton()->isEnabled());
    EXPECT_FALSE(dlg.PumpMessages());
    EXPECT_FALSE(dlg.PumpMessages());
}

TEST(ProgressDialog1, PumpRunsPendingEventsAndSeesAStopFromThem)
{
    CProgressDialog1 dlg;
    dlg.show();
    bool ran = false;
    QTimer::singleShot(0, &dlg, [&ran] { ran = true; });
    EXPECT_TRUE(dlg.PumpMessages());
    EXPECT_TRUE(ran);
    // A Stop click waiting in the queue is seen by the pump that runs it.
    QMetaObject::invokeMethod(dlg.StopButton(), "click", Qt::QueuedConnection);
    EXPECT_FALSE(dlg.PumpMessages());
}

TEST(ProgressDialog1, EscapeWithTheStopButtonHidden)
{
    CProgressDialog1 dlg;
    dlg.ShowStopButton(false);
    dlg.show();
    EXPECT_FALSE(dlg.StopButton()->isVisible());
    EXPECT_TRUE(dlg.PumpMessages());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &escape);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.PumpMessages());
    dlg.ShowStopButton(true);
    EXPECT_TRUE(dlg.StopButton()->isVisible());
    EXPECT_FALSE(dlg.StopButton()->isEnabled());
}

TEST(ProgressDialog1, CloseBoxActsAsStop)
{
    CProgressDialog1 dlg;
    dlg.show();
    dlg.close();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.PumpMessages());
}

TEST(ProgressDialog1, DisabledMainWindowIsNoStop)
{
    QWidget mainWindow;
    mainWindow.show();
    CProgressDialog1 dlg(&mainWindow);
    dlg.show();
    ASSERT_NE(dlg.windowHandle(), nullptr);
    EXPECT_EQ(dlg.windowHandle()->transientParent(), mainWindow.windowHandle());
    mainWindow.setEnabled(false);
    EXPECT_TRUE(dlg.PumpMessages());
    // The dialog is a window of its own: the user can still reach Stop.
    EXPECT_TRUE(dlg.isEnabled());
    EXPECT_TRUE(dlg.StopButton()->isEnabled());
    mainWindow.setEnabled(true);
}

TEST(ProgressDialog1, RangeIsSixteenBitAndPositionStaysInside)
{
    CProgressDialog1 dlg;
    dlg.SetRange(0, 70000);
    EXPECT_EQ(dlg.ProgressBar()->minimum(), 0);
    EXPECT_EQ(dlg.ProgressBar()->maximum(), 4464);
    dlg.SetPos(1000);
    EXPECT_EQ(dlg.ProgressBar()->value(), 1000);
    dlg.SetPos(5000);
    EXPECT_EQ(dlg.ProgressBar()->value(), 4464);
    dlg.SetRange(0, 65535);
    EXPECT_EQ(dlg.ProgressBar()->maximum(), 65535);
    dlg.SetMessage("Calculating...");
    EXPECT_EQ(dlg.MessageLabel()->text(), QString("Calculating..."));
}

TEST(ProgressDialog1, AnEmptyRangeShowsAnEmptyBar)
{
    CProgressDialog1 dlg;
    dlg.SetPos(40);
    // 65536 steps wrap to 0..0: an empty bar, never a busy indicator.
    dlg.SetRange(0, 65536);
    EXPECT_EQ(dlg.ProgressBar()->minimum(), 0);
    EXPECT_NE(dlg.ProgressBar()->maximum(), 0);
    EXPECT_EQ(dlg.ProgressBar()->value(), 0);
    dlg.SetPos(10);
    EXPECT_EQ(dlg.ProgressBar()->value(), 0);
    // A high end that wraps below the low one leaves the bar at the low end.
    dlg.SetRange(100, 65537);
    dlg.SetPos(5000);
    EXPECT_EQ(dlg.ProgressBar()->value(), 100);
    EXPECT_EQ(dlg.ProgressBar()->minimum(), 100);
    // A real range again.
    dlg.SetRange(0, 10);
    dlg.SetPos(5);
    EXPECT_EQ(dlg.ProgressBar()->maximum(), 10);
    EXPECT_EQ(dlg.ProgressBar()->value(), 5);
}
