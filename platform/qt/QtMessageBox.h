#pragma once
// IMessageBox with Qt message boxes, titled with the program's name.

#include "platform/MessageBox.h"

class QWidget;

class CQtMessageBox : public IMessageBox {
public:
    int Show(const std::string& text, unsigned type) override;
    void Beep(unsigned type) override;
};
