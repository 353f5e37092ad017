#include "platform/qt/QtMessageBox.h"

#include "platform/qt/DialogParent.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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
    box.setDefaultButton(choices.front().button);
    // Escape (and the close box) give Cancel, or the only/last button.
    box.setEscapeButton(choices.back().button);
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
