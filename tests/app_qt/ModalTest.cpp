// The Qt message box, the Qt dialog runner and the pop-up menus in their
// real modal loops, answered by a timer.

#include "AppTestSupport.h"

#include "app/FileDialogs.h"
#include "dialogs/MessageDialog1.h"
#include "dialogs/PreferenceDialog1.h"
#include "platform/CommandTarget.h"
#include "platform/DocStrings.h"
#include "platform/qt/DialogParent.h"
#include "platform/qt/MenuBuilder.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/TemplateDialog.h"
#include "resources/StringTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// Runs act on the modal widget (or pop-up) once it is up.
void WhenUp(std::function<QWidget*()> find, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, find, act] {
        if (QWidget* w = find()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

void PressKey(QWidget* w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

QAbstractButton* ButtonWithText(QWidget* w, const QString& text)
{
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == text)
            return b;
    return nullptr;
}

}  // namespace

TEST(QtMessageBox, AnswersWithTheButtonPressed)
{
    CQtMessageBox box;
    WhenUp(&QApplication::activeModalWidget, [](QWidget* w) {
        auto* mb = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(mb, nullptr);
        EXPECT_EQ(mb->windowTitle(), QStringLiteral("Kadrel"));
        EXPECT_EQ(mb->text(), QStringLiteral("Save changes to room.zkdr?"));
        EXPECT_EQ(mb->icon(), QMessageBox::Warning);
        mb->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(box.Show("Save changes to room.zkdr?", MB_YESNOCANCEL | MB_ICONEXCLAMATION), IDNO);

    WhenUp(&QApplication::activeModalWidget, [](QWidget* w) { PressKey(w, Qt::Key_Escape); });
    EXPECT_EQ(box.Show("Do you save this file?", MB_OKCANCEL | MB_ICONEXCLAMATION), IDCANCEL);

    // Enter gives the default button: here the second one, No.
    WhenUp(&QApplication::activeModalWidget, [](QWidget* w) { PressKey(w, Qt::Key_Return); });
    EXPECT_EQ(box.Show("room.zkdr already exists.\nDo you want to replace it?",
                       MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2),
              IDNO);

    WhenUp(&QApplication::activeModalWidget, [](QWidget* w) {
        EXPECT_EQ(qobject_cast<QMessageBox*>(w)->icon(), QMessageBox::NoIcon);
        PressKey(w, Qt::Key_Escape);
    });
    EXPECT_EQ(box.Show("Not available file.", MB_OK), IDOK);
}

// The narrow boxes of short messages are still wide enough for the whole
// title "Kadrel" in the title bar: the bold title with the window icon, the
// three buttons and a margin at either end beside it, each a square as high
// as the bar, which is half as high again as the text.
TEST(QtMessageBox, IsWideEnoughForItsTitle)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int bar = metrics.height() + metrics.height() / 2;
    const int least = metrics.horizontalAdvance(QStringLiteral("Kadrel")) + (4 + 2) * bar;
    CQtMessageBox box;
    for (const char* text : {"Enter a number.", "Not available file.", "OK"}) {
        SCOPED_TRACE(text);
        int width = 0;
        QString shown;
        WhenUp(&QApplication::activeModalWidget, [&width, &shown](QWidget* w) {
            width = w->width();
            shown = qobject_cast<QMessageBox*>(w)->text();
            PressKey(w, Qt::Key_Escape);
        });
        EXPECT_EQ(box.Show(text, MB_OK | MB_ICONEXCLAMATION), IDOK);
        EXPECT_EQ(shown.toStdString(), text);
        EXPECT_GE(width, least);
    }
}

TEST(QtDialogRunner, RunsTheTemplateDialogModally)
{
    CQtDialogRunner runner;
    SetDialogRunner(&runner);
    CPreferenceDialog1 pref;
    pref.SetParameters(0, 0);
    WhenUp(&QApplication::activeModalWidget, [](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Preferences"));
        for (QCheckBox* c : w->findChildren<QCheckBox*>())
            c->setChecked(true);
        PressKey(w, Qt::Key_Return);  // the default button
    });
    EXPECT_EQ(pref.DoModal(), IDOK);
    EXPECT_EQ(pref.m_nAdvancedMode, 2);
    EXPECT_EQ(pref.m_bManualRecalculation, 1);

    CMessageDialog1 msg;
    msg.m_strMessage = "The result caused by this operation is doubtful...";
    WhenUp(&QApplication::activeModalWidget, [](QWidget* w) { w->close(); });  // the close box
    EXPECT_EQ(msg.DoModal(), IDCANCEL);

    WhenUp(&QApplication::activeModalWidget, [](QWidget* w) { ButtonWithText(w, "Cancel")->click(); });
    EXPECT_EQ(msg.DoModal(), IDCANCEL);
    WhenUp(&QApplication::activeModalWidget, [](QWidget* w) { ButtonWithText(w, "OK")->click(); });
    EXPECT_EQ(msg.DoModal(), IDOK);
    SetDialogRunner(nullptr);
}

namespace {

class Router : public ICommandRouter {
public:
    std::vector<unsigned> routed;
    bool RouteCommand(unsigned id) override
    {
        routed.push_back(id);
        return true;
    }
    void RouteUpdate(CCmdUI& ui) override { ui.Enable(ui.m_nID != 32811); }  // no arrangement
};

}  // namespace

TEST(PopupMenus, ShowTheItemsWithTheirEnablingAndRouteTheChoice)
{
    Router router;
    SetCommandRouter(&router);
    WhenUp(&QApplication::activePopupWidget, [](QWidget* w) {
        auto* menu = qobject_cast<QMenu*>(w);
        ASSERT_NE(menu, nullptr);
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        EXPECT_EQ(texts, (QStringList{"Delete...", "-", "&Module Arrangement...", "-", "&Import...", "-",
                                      "Export zx1..."}));
        EXPECT_FALSE(menu->actions()[2]->isEnabled());
        EXPECT_TRUE(menu->actions()[6]->isEnabled());
        menu->setActiveAction(menu->actions()[6]);
        PressKey(menu, Qt::Key_Return);
    });
    EXPECT_EQ(MenuBuilder::TrackPopupMenu(146, QPoint(10, 10)), 32810u);
    EXPECT_EQ(router.routed, (std::vector<unsigned>{32810}));
    SetCommandRouter(nullptr);
}

// The filters a dialog lists, as the user reads them.
QStringList ListedFilters(QWidget* dialog)
{
    QStringList out;
    if (auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
    return out;
}

TEST(QtFileDialogs, OpenInTheFolderLastUsedAndListTheFiltersByName)
{
    TempDir dir;
    const std::string first = dir.File("first.zsb");
    WriteAll(first, "Version 1.0.0\n");
    const QString folder = QFileInfo(QString::fromStdString(first)).absolutePath();

    CQtFileDialogs dialogs;
    QStringList openedIn;
    std::vector<QStringList> listed;
    // Notes where each dialog opened and what it lists; the first one is
    // answered with the file, the next ones are cancelled.
    const auto note = [&](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        openedIn << dlg->directory().absolutePath();
        listed.push_back(ListedFilters(dlg));
        if (listed.size() == 1) {
            dlg->selectFile(QString::fromStdString(first));
            static_cast<QDialog*>(dlg)->accept();
        } else {
            dlg->reject();
        }
    };
    std::string path;
    WhenUp(&QApplication::activeModalWidget, note);
    ASSERT_TRUE(dialogs.GetOpenFileName("ZSB Files (*.zsb) (*.zsb)", path));
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).absoluteFilePath(),
              QFileInfo(QString::fromStdString(first)).absoluteFilePath());
    EXPECT_EQ(QString::fromStdString(dialogs.LastDirectory()), folder);
    WhenUp(&QApplication::activeModalWidget, note);
    EXPECT_FALSE(dialogs.GetOpenFileName(
        CDocStrings(LoadStringId(147)).MakeFilter() + ";;" + LoadStringId(61718) + " (*)", path));
    WhenUp(&QApplication::activeModalWidget, note);
    EXPECT_FALSE(dialogs.GetSaveFileName(CDocStrings(LoadStringId(129)).MakeFilter(), "zkdr", "Untitled1", path));
    // A project's own path opens its folder, not the one last browsed.
    std::filesystem::create_directory(dir.File("project"));
    WhenUp(&QApplication::activeModalWidget, note);
    EXPECT_FALSE(dialogs.GetSaveFileName(CDocStrings(LoadStringId(129)).MakeFilter(), "zkdr",
                                         dir.File("project/hall.zkdr"), path));
    ASSERT_EQ(openedIn.size(), 4);
    EXPECT_EQ(openedIn[1], folder);
    EXPECT_EQ(openedIn[2], folder);
    EXPECT_EQ(openedIn[3], QFileInfo(QString::fromStdString(dir.File("project"))).absoluteFilePath());
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0], QStringList{QStringLiteral("ZSB Files (*.zsb)")});
    EXPECT_EQ(listed[1], (QStringList{QStringLiteral("KDR Files(*.zkdr,*kdr)"), QStringLiteral("All Files (*.*)")}));
    EXPECT_EQ(listed[2], QStringList{QStringLiteral("KDR Files(*.zkdr)")});
}

// A link that leads nowhere is a name in use: the save dialog asks before
// it is replaced and stays up on "No".
TEST(QtFileDialogs, SavingOntoALinkThatLeadsNowhereAsksFirst)
{
    TempDir dir;
    const std::string link = dir.File("hall.zkdr");
    std::filesystem::create_symlink("missing.zkdr", link);
    QString asked;
    WhenUp([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }, [&](QWidget* w) {
        static_cast<QFileDialog*>(w)->selectFile(QString::fromStdString(link));
        WhenUp([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }, [&](QWidget* box) {
            asked = static_cast<QMessageBox*>(box)->text();
            static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
        });
        static_cast<QDialog*>(w)->accept();
        EXPECT_TRUE(w->isVisible());
        static_cast<QDialog*>(w)->reject();
    });
    std::string path;
    EXPECT_FALSE(CQtFileDialogs().GetSaveFileName("KDR Files(*.zkdr)", "zkdr", "Untitled1", path));
    EXPECT_EQ(asked.toStdString(), "hall.zkdr already exists.\nDo you want to replace it?");
}

TEST(DialogParent, AProgramInTheBackgroundStillOwnsItsDialogs)
{
    QMainWindow main;
    main.show();
    // Another program has the desktop's focus: none of ours is active.
    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    EXPECT_EQ(DialogParent(), &main);

    // A message box comes up over the main window, not unowned.
    QWidget* owner = nullptr;
    WhenUp(&QApplication::activeModalWidget, [&owner](QWidget* w) {
        owner = w->parentWidget();
        static_cast<QDialog*>(w)->reject();
    });
    CQtMessageBox box;
    box.Show("Message", MB_OK);
    EXPECT_EQ(owner, &main);

    main.hide();
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(DialogParent(), nullptr);
}
