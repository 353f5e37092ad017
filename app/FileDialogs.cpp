#include "app/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>

bool CQtFileDialogs::GetOpenFileName(const std::string& filter, std::string& path)
{
    QFileDialog dlg(QApplication::activeWindow());
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilter(QString::fromStdString(filter));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().front().toStdString();
    return true;
}

bool CQtFileDialogs::GetSaveFileName(const std::string& filter, const std::string& defaultSuffix,
                                     const std::string& proposed, std::string& path)
{
    QFileDialog dlg(QApplication::activeWindow());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilter(QString::fromStdString(filter));
    dlg.setDefaultSuffix(QString::fromStdString(defaultSuffix));
    dlg.selectFile(QString::fromStdString(proposed));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().front().toStdString();
    return true;
}
