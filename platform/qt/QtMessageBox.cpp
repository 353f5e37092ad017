#include "platform/qt/QtMessageBox.h"

#include "platform/qt/DialogParent.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace {

// The title bar beside its title: the window icon and the minimise,
// maximise and close buttons.
constexpr int kTitleBarControls = 4;

// The least width of a window whose title bar shows the whole title: the
// title in the bold face of title bars, and beside it the bar's controls
// and a margin at either end, each a square as high as the bar (the text
// with a margin above and below).
int WidthForTitle(const QString& title)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int bar = metrics.height() + metrics.height() / 2;
    return metrics.horizontalAdvance(title) + (kTitleBarControls + 2) * bar;
}

// A short message makes a narrow box; the box is widened so that the
// window's title bar does not cut the title.
void WidenForTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QMargins margins = grid->contentsMargins();
    const int width = WidthForTitle(box.windowTitle()) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

int CQtMessageBox::Show(const std::string& text, unsigned type)
{
    QMessageBox box(DialogParent());
    box.setWindowTitle(QStringLiteral("Kadrel"));
    box.setText(QString::fromStdString(text));
    switch (type & 0xF0) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (type & 0x0F) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    box.setDefaultButton(choices[(type & MB_DEFBUTTON2) && choices.size() > 1 ? 1 : 0].button);
    // Escape (and the close box) give Cancel, or the only/last button.
    box.setEscapeButton(choices.back().button);
    // After the icon and buttons: setting them lays the box out anew.
    WidenForTitle(box);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const Choice& c : choices)
        if (clicked == box.button(c.button))
            return c.answer;
    return choices.back().answer;
}

void CQtMessageBox::Beep(unsigned)
{
    QApplication::beep();
}
