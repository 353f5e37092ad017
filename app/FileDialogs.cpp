#include "app/FileDialogs.h"

#include "platform/qt/DialogParent.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// The dialog asks before a chosen name is replaced; its own check follows
// links and so takes a link that leads nowhere for a free name. Such a link
// gets the same question here.
class CSaveFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            const QFileInfo info(files.front());
            if (info.isSymLink() && !info.exists() &&
                QMessageBox::warning(this, windowTitle(),
                                     QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                         .arg(info.fileName()),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
                return;
        }
        QFileDialog::accept();
    }
};

}  // namespace

void CQtFileDialogs::RememberDirectory(const std::string& chosenFile)
{
    m_lastDirectory = QFileInfo(QString::fromStdString(chosenFile)).absolutePath().toStdString();
}

bool CQtFileDialogs::GetOpenFileName(const std::string& filter, std::string& path)
{
    QFileDialog dlg(DialogParent());
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    // Filters are "Name (patterns)": the list shows the name alone.
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilter(QString::fromStdString(filter));
    if (!m_lastDirectory.empty())
        dlg.setDirectory(QString::fromStdString(m_lastDirectory));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().front().toStdString();
    RememberDirectory(path);
    return true;
}

bool CQtFileDialogs::GetSaveFileName(const std::string& filter, const std::string& defaultSuffix,
                                     const std::string& proposed, std::string& path)
{
    CSaveFileDialog dlg(DialogParent());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilter(QString::fromStdString(filter));
    dlg.setDefaultSuffix(QString::fromStdString(defaultSuffix));
    // A proposed path opens its folder; a bare name the last one. The name
    // field gets the bare name.
    const QFileInfo info(QString::fromStdString(proposed));
    if (info.isAbsolute())
        dlg.setDirectory(info.absolutePath());
    else if (!m_lastDirectory.empty())
        dlg.setDirectory(QString::fromStdString(m_lastDirectory));
    dlg.selectFile(info.fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().front().toStdString();
    RememberDirectory(path);
    return true;
}
