#include "app/AboutDlg.h"

#ifndef KADREL_VERSION
#define KADREL_VERSION "2.0.0"
#endif

std::string CAboutDlg::VersionLine()
{
    return std::string("ZAV Kadrel Version ") + KADREL_VERSION;
}

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Controls()->SetWindowText(IDC_VERSION_LINE, VersionLine());
    return true;
}
