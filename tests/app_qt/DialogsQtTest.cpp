// The template dialogs on real widgets: layout in dialog units, data
// exchange messages and focus, and the drawing context on a painter.

#include "AppTestSupport.h"

#include "app/AboutDlg.h"
#include "dialogs/InitialSettingsDialog1.h"
#include "dialogs/PreferenceDialog1.h"
#include "dialogs/PropertyDialog1.h"
#include "dialogs/Zx1ExportDialog1.h"
#include "platform/RegisteredMessages.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/PrintRunner.h"
#include "platform/qt/ProgramResources.h"
#include "platform/qt/QtDrawingContext.h"
#include "platform/qt/WindowLocator.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>

TEST(DialogUnits, MapQuartersOfTheCharacterWidthAndEighthsOfItsHeight)
{
    const CDialogUnits du(6, 13);
    EXPECT_EQ(du.MapX(4), 6);
    EXPECT_EQ(du.MapX(50), 75);
    EXPECT_EQ(du.MapY(8), 13);
    EXPECT_EQ(du.MapY(14), 23);  // 22.75 rounds to 23
    EXPECT_EQ(du.MapRect(7, 7, 50, 14), QRect(11, 11, 75, 23));
}

TEST(TemplateDialog, Zx1ExportShowsItsValuesAndRefusesBadOnes)
{
    RecordingMessages msgs;
    CZx1ExportDialog1 d;
    CTemplateDialog dlg(d, *FindDialogTemplate(148));
    dlg.Initialize();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Export zx1"));
    auto* angle = qobject_cast<QLineEdit*>(dlg.Control(1019));
    auto* dist = qobject_cast<QLineEdit*>(dlg.Control(1020));
    ASSERT_TRUE(angle && dist);
    EXPECT_EQ(angle->text(), QStringLiteral("0"));
    EXPECT_EQ(dist->text(), QStringLiteral("20"));

    angle->setText(QStringLiteral("abc"));
    EXPECT_FALSE(dlg.PressButton(IDOK));
    EXPECT_EQ(msgs.texts, std::vector<std::string>{"Enter a number."});
    EXPECT_EQ(dlg.LastFocusId(), 1019);
    EXPECT_EQ(angle->selectedText(), QStringLiteral("abc"));

    angle->setText(QStringLiteral("45.5deg"));
    dist->setText(QStringLiteral("3.5"));
    EXPECT_TRUE(dlg.PressButton(IDOK));
    EXPECT_EQ(d.GetResult(), IDOK);
    EXPECT_DOUBLE_EQ(d.m_dAngle, 45.5);
    EXPECT_DOUBLE_EQ(d.m_dMicDistance, 3.5);
}

TEST(TemplateDialog, EscapeAndTheCloseBoxCancel)
{
    CPreferenceDialog1 d;
    d.SetParameters(2, 0);
    CTemplateDialog dlg(d, *FindDialogTemplate(140));
    dlg.Initialize();
    auto* adv = qobject_cast<QCheckBox*>(dlg.Control(1007));
    ASSERT_NE(adv, nullptr);
    EXPECT_EQ(adv->text(), QStringLiteral("Advanced Mode"));
    EXPECT_TRUE(adv->isChecked());
    adv->setChecked(false);
    dlg.reject();  // Escape and the close box end here
    EXPECT_TRUE(d.IsEnded());
    EXPECT_EQ(d.GetResult(), IDCANCEL);
    EXPECT_EQ(d.m_nAdvancedMode, 2);
}

// Initial Settings and Room Parameters have no close box; Escape and the
// window manager's close act as their Cancel button, and do nothing while it
// is hidden (a new project's room must be confirmed with OK).
TEST(TemplateDialog, WithoutCloseBoxEscapeAndCloseCancelOnlyWhenCancelIsShown)
{
    for (const bool showCancel : {false, true}) {
        CInitialSettingsDialog1 initial;
        initial.SetParameters(1, showCancel ? 1 : 0);
        CPropertyDialog1 room;
        room.SetParameters("Hall", "", 0, 0, 0, 10, 10, 3, 1, 1, 0, 0, 0, 10, 10, 1.2, 0.5, 100, 3, 1, 1,
                           showCancel ? 1 : 0, 3, 0);
        for (CDialog* d : {static_cast<CDialog*>(&initial), static_cast<CDialog*>(&room)}) {
            for (const bool byEscape : {false, true}) {
                SCOPED_TRACE(std::to_string(d->GetTemplateId()) + (showCancel ? " with Cancel" : " without Cancel") +
                             (byEscape ? ", Escape" : ", close"));
                CTemplateDialog dlg(*d, *FindDialogTemplate(d->GetTemplateId()));
                const Qt::WindowFlags flags = dlg.windowFlags();
                EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
                EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
                EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
                dlg.Initialize();
                dlg.show();
                if (byEscape) {
                    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                    QApplication::sendEvent(&dlg, &key);
                } else {
                    QCloseEvent close;
                    QApplication::sendEvent(&dlg, &close);
                    EXPECT_EQ(close.isAccepted(), showCancel);
                }
                EXPECT_EQ(d->IsEnded(), showCancel);
                EXPECT_EQ(dlg.isVisible(), !showCancel);
                if (showCancel) {
                    EXPECT_EQ(d->GetResult(), IDCANCEL);
                }
                dlg.hide();
            }
        }
    }
}

TEST(TemplateDialog, AboutBoxNamesTheVersion)
{
    CAboutDlg d;
    CTemplateDialog dlg(d, *FindDialogTemplate(100));
    dlg.Initialize();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("About Kadrel"));
    EXPECT_EQ(dlg.GetWindowText(1101), "ZAV Kadrel Version 2.0.0");
}

TEST(QtDrawingContext, DrawsWhereTheRecordedCoordinatesSay)
{
    QImage img(100, 80, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        CQtDrawingContext dc(p);
        EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 100);
        EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 80);
        dc.FillSolidRect(CRect(10, 10, 20, 20), RGB(255, 0, 0));
        dc.FillPolygon({{30, 10}, {50, 10}, {50, 30}, {30, 30}}, RGB(0, 0, 255));
        dc.SelectPen({PS_SOLID, 1, RGB(0, 128, 0)});
        dc.MoveTo(0, 50);
        dc.LineTo(99, 50);
        dc.SelectFont({"", 12, 400});
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(60, 60, "X");
    }
    EXPECT_EQ(img.pixelColor(15, 15), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(9, 9), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(20, 20), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(40, 20), QColor(0, 0, 255));
    EXPECT_EQ(img.pixelColor(50, 50), QColor(0, 128, 0));
    // The text hangs below its point: nothing above row 60, ink below it.
    bool inkAbove = false, inkBelow = false;
    for (int y = 40; y < 80; ++y)
        for (int x = 55; x < 80; ++x)
            if (y != 50 && img.pixelColor(x, y) != QColor(Qt::white))
                (y < 60 ? inkAbove : inkBelow) = true;
    EXPECT_FALSE(inkAbove);
    EXPECT_TRUE(inkBelow);
}

TEST(ProgramResources, IconsAndCursorsExist)
{
    for (unsigned id : {128u, 130u, 141u})
        EXPECT_EQ(LoadProgramIcon(id).size(), QSize(32, 32)) << id;
    const QImage grey = LoadProgramIcon(130).toImage();
    const QImage black = LoadProgramIcon(141).toImage();
    // The plus sign's vertical stroke: columns 15-16, rows 12 to 20.
    EXPECT_EQ(grey.pixelColor(15, 14), QColor(128, 128, 128));
    EXPECT_EQ(black.pixelColor(16, 18), QColor(0, 0, 0));
    EXPECT_EQ(black.pixelColor(2, 2).alpha(), 0);
    for (unsigned id : {131u, 132u, 133u, 134u}) {
        const QCursor c = LoadProgramCursor(id);
        EXPECT_EQ(c.hotSpot(), QPoint(0, 0)) << id;
        EXPECT_EQ(c.pixmap().size(), QSize(32, 32)) << id;
    }
}

namespace {

class AnsweringWidget : public QWidget, public IMessageTarget {
public:
    LRESULT OnRegisteredMessage(unsigned message, WPARAM, LPARAM) override
    {
        return message == WM_IS_POINT_IN_ROOM ? 1 : 0;
    }
};

}  // namespace

TEST(WindowLocator, FindsTheAnsweringWindowUnderAScreenPoint)
{
    QWidget top;
    top.resize(200, 100);
    auto* target = new AnsweringWidget;
    target->setParent(&top);
    target->setGeometry(0, 0, 100, 100);
    auto* inner = new QWidget(target);  // a child without an answer of its own
    inner->setGeometry(10, 10, 20, 20);
    auto* plain = new QWidget(&top);
    plain->setGeometry(100, 0, 100, 100);
    top.show();
    QApplication::processEvents();
    CQtWindowLocator loc;
    SetWindowLocator(&loc);
    const QPoint inInner = inner->mapToGlobal(QPoint(5, 5));
    const QPoint inPlain = plain->mapToGlobal(QPoint(5, 5));
    if (QApplication::widgetAt(inInner) != inner)
        GTEST_SKIP() << "this platform does not find widgets by screen point";
    EXPECT_EQ(SendMessageToWindowAt(CPoint(inInner.x(), inInner.y()), WM_IS_POINT_IN_ROOM, 0, 0), 1);
    EXPECT_EQ(SendMessageToWindowAt(CPoint(inInner.x(), inInner.y()), WM_CAN_ACCEPT_DROP, 0, 0), 0);
    EXPECT_EQ(SendMessageToWindowAt(CPoint(inPlain.x(), inPlain.y()), WM_IS_POINT_IN_ROOM, 0, 0), 0);
    SetWindowLocator(nullptr);
}

namespace {

class TwoPages : public IPrintable {
public:
    int pages = 0;
    int horzres = 0;
    bool ended = false;
    bool OnPreparePrinting(CPrintInfo& info) override
    {
        info.m_nMaxPage = 2;
        return true;
    }
    void OnPrint(IDrawingContext& dc, CPrintInfo& info) override
    {
        ++pages;
        horzres = dc.GetDeviceCaps(HORZRES);
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_EQ(info.m_nCurPage, pages);
        dc.TextOut(0, 0, "page");
    }
    void OnEndPrinting(IDrawingContext&, CPrintInfo&) override { ended = true; }
};

}  // namespace

TEST(PrintRunner, PrintsEveryPageWithThePrintersResolution)
{
    TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("out.pdf")));
    TwoPages job;
    ASSERT_TRUE(PrintRunner::PrintOn(job, printer));
    EXPECT_EQ(job.pages, 2);
    EXPECT_TRUE(job.ended);
    EXPECT_EQ(job.horzres, printer.pageLayout().paintRectPixels(printer.resolution()).width());
    EXPECT_GT(job.horzres, 1000);  // printer dots, not screen pixels
    EXPECT_EQ(ReadAll(dir.File("out.pdf")).substr(0, 4), "%PDF");
}

namespace {

// A dialog with a preview that it draws itself.
class PreviewDialog : public CDialog {
public:
    PreviewDialog() : CDialog(60001) {}
    int draws = 0;
    CRect lastClient;
    void OnDrawControl(int id, IDrawingContext& dc, const CRect& client) override
    {
        EXPECT_EQ(id, 3003);
        ++draws;
        lastClient = client;
        dc.FillSolidRect(client, RGB(255, 255, 255));
        dc.SelectPen({PS_SOLID, 1, RGB(0, 127, 0)});
        dc.MoveTo(0, client.Height() / 2);
        dc.LineTo(client.Width(), client.Height() / 2);
    }
};

}  // namespace

TEST(TemplateDialog, CustomControlsAreDrawnByTheirDialog)
{
    RegisterDialogTemplate(DialogTemplate{
        60001, "Preview", 100, 60, true, {ControlTemplate{ControlTemplate::Custom, 3003, "", 5, 5, 80, 40, {}, true}}});

    PreviewDialog d;
    CTemplateDialog dlg(d, *FindDialogTemplate(60001));
    dlg.Initialize();
    QWidget* preview = dlg.Control(3003);
    ASSERT_NE(preview, nullptr);
    const QImage img = preview->grab().toImage();
    EXPECT_GE(d.draws, 1);
    EXPECT_EQ(d.lastClient, CRect(0, 0, preview->width(), preview->height()));
    EXPECT_EQ(dlg.GetClientRect(3003), d.lastClient);
    EXPECT_EQ(img.pixelColor(2, preview->height() / 2), QColor(0, 127, 0));
    EXPECT_EQ(img.pixelColor(2, 1), QColor(255, 255, 255));
}
