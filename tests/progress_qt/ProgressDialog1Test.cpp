// The modeless progress dialog: its template layout, the ways of stopping,
// and the 16-bit range of its bar.

#include "platform/qt/DialogUnits.h"
#include "platform/qt/ProgressDialog1.h"

#include "app_qt/QtTestApplication.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <functional>

TEST(ProgressDialog1, TemplateLayoutInDialogUnits)
{
    CProgressDialog1 dlg;
    EXPECT_EQ(dlg.font(), CDialogUnits::DialogFont());
    const CDialogUnits du(CDialogUnits::DialogFont());
    EXPECT_EQ(dlg.windowTitle(), QString("KDR"));
    EXPECT_EQ(dlg.StopButton()->text(), QString("Stop"));
    EXPECT_EQ(dlg.size(), QSize(du.MapX(187), du.MapY(83)));
    EXPECT_EQ(dlg.StopButton()->geometry(), du.MapRect(66, 62, 55, 14));
    EXPECT_EQ(dlg.ProgressBar()->geometry(), du.MapRect(30, 29, 127, 14));
    EXPECT_EQ(dlg.MessageLabel()->geometry(), du.MapRect(30, 15, 127, 9));
    EXPECT_FALSE(dlg.isModal());
    dlg.SetMessage("Calculating...");
    EXPECT_EQ(dlg.MessageLabel()->text(), QString("Calculating..."));
}

static void PressEscape(QWidget& w)
{
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&w, &escape);
}

// Stop, Escape and the close box only disable Stop: the dialog stays up
// and every pump from then on reports the stop, also before the first pump.
TEST(ProgressDialog1, EveryWayOfStoppingDisablesStopAndEndsThePumps)
{
    const std::pair<const char*, std::function<void(CProgressDialog1&)>> ways[] = {
        {"Stop before the first pump", [](CProgressDialog1& d) { d.StopButton()->click(); }},
        {"Escape", [](CProgressDialog1& d) { PressEscape(d); }},
        {"close box", [](CProgressDialog1& d) { d.close(); }},
        {"Escape with Stop hidden",
         [](CProgressDialog1& d) {
             d.ShowStopButton(false);
             EXPECT_FALSE(d.StopButton()->isVisible());
             EXPECT_TRUE(d.PumpMessages());
             PressEscape(d);
             d.ShowStopButton(true);
             EXPECT_TRUE(d.StopButton()->isVisible());
         }},
        {"Stop click waiting in the queue",
         [](CProgressDialog1& d) {
             bool ran = false;
             QTimer::singleShot(0, &d, [&ran] { ran = true; });
             EXPECT_TRUE(d.PumpMessages());
             EXPECT_TRUE(ran);  // the pump runs pending events
             QMetaObject::invokeMethod(d.StopButton(), "click", Qt::QueuedConnection);
         }},
    };
    for (const auto& [name, stop] : ways) {
        SCOPED_TRACE(name);
        CProgressDialog1 dlg;
        dlg.show();
        stop(dlg);
        EXPECT_FALSE(dlg.PumpMessages());
        EXPECT_FALSE(dlg.PumpMessages());
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_FALSE(dlg.StopButton()->isEnabled());
    }
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
}

// Both range ends keep their low 16 bits; the position stays inside the
// range, and a range that wraps empty shows an empty bar, never a busy one.
TEST(ProgressDialog1, SixteenBitRangeAndPosition)
{
    const struct {
        int low, high, pos;
        int min, max, value;  // max -1: any but 0
    } steps[] = {
        {0, 70000, 1000, 0, 4464, 1000},  {0, 70000, 5000, 0, 4464, 4464}, {0, 65535, 40, 0, 65535, 40},
        {0, 65536, 10, 0, -1, 0},         {100, 65537, 5000, 100, -1, 100}, {0, 10, 5, 0, 10, 5},
    };
    CProgressDialog1 dlg;
    dlg.SetPos(40);
    for (const auto& s : steps) {
        SCOPED_TRACE(std::to_string(s.low) + ".." + std::to_string(s.high) + " at " + std::to_string(s.pos));
        dlg.SetRange(s.low, s.high);
        dlg.SetPos(s.pos);
        EXPECT_EQ(dlg.ProgressBar()->minimum(), s.min);
        if (s.max < 0)
            EXPECT_NE(dlg.ProgressBar()->maximum(), 0);
        else
            EXPECT_EQ(dlg.ProgressBar()->maximum(), s.max);
        EXPECT_EQ(dlg.ProgressBar()->value(), s.value);
    }
}
