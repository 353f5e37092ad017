#pragma once
// Help > About Kadrel...: the program's icon, name and version and the
// maker's notice.

#include "platform/Dialog.h"

#include <string>

class CAboutDlg : public CDialog {
public:
    enum : unsigned { IDD = 100 };
    enum : int { IDC_VERSION_LINE = 1101 };

    CAboutDlg() : CDialog(IDD) {}

    // "ZAV Kadrel Version " and the program's version.
    static std::string VersionLine();

    bool OnInitDialog() override;
};
