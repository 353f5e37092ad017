#pragma once
// A question with OK and Cancel: the caller sets the message and takes the
// result of DoModal as the answer.

#include "platform/Dialog.h"

#include <string>

class CMessageDialog1 : public CDialog {
public:
    enum : unsigned { IDD = 167 };
    enum : int { IDC_STATIC_MESSAGE = 1035 };

    CMessageDialog1() : CDialog(IDD) {}

    std::string m_strMessage;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
