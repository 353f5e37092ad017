#include "app/KDRApp.h"

#include "app/AboutDlg.h"
#include "app/FileDialogs.h"
#include "app/KDRChildFrame.h"
#include "app/KDRDocTemplate.h"
#include "app/KDRMainFrame.h"
#include "app/QtDocumentUi.h"
#include "dialogs/InitialSettingsDialog1.h"
#include "dialogs/InstallationCommandsUi.h"
#include "dialogs/ModuleArrangementDialogs.h"
#include "document/InstallationContainer.h"
#include "document/KDRDoc.h"
#include "platform/qt/ProgramResources.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/SharedPrinter.h"
#include "platform/qt/TemplateDialog.h"
#include "platform/qt/WindowLocator.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QSettings>

namespace {

CKDRApp* g_app = nullptr;

const char* const kRegistryKey = "ZAV Corporation";
const char* const kRecentGroup = "Recent File List";

}  // namespace

CKDRApp::CKDRApp()
{
    g_app = this;
}

CKDRApp::~CKDRApp()
{
    if (m_template)
        m_template->m_createFrame = nullptr;
    if (m_mainFrame) {
        for (CKDRChildFrame* f : m_mainFrame->ChildFrames())
            m_mainFrame->CloseDocumentNow(f->GetDocument());
    }
    m_mainFrame.reset();
    m_template.reset();
    if (m_documentUi) {
        SetDocumentUi(nullptr);
        SetInstallationUi(nullptr);
    }
    if (m_locator)
        SetWindowLocator(nullptr);
    if (m_qtRunner && GetDialogRunner() == m_qtRunner.get())
        SetDialogRunner(nullptr);
    if (GetModelDialogs() == &ModuleArrangementDialogs())
        SetModelDialogs(nullptr);
    if (m_qtMessages)
        SetMessages(nullptr);
    if (g_app == this)
        g_app = nullptr;
}

CKDRApp* CKDRApp::Instance()
{
    return g_app;
}

bool CKDRApp::InitInstance(int argc, char** argv, const Options& options)
{
    // The desktop services: message boxes, dialogs, file dialogs, the
    // window under a point for the program's private messages.
    if (options.messages) {
        SetMessages(options.messages);
    } else {
        m_qtMessages = std::make_unique<CQtMessageBox>();
        SetMessages(m_qtMessages.get());
    }
    if (options.dialogRunner) {
        SetDialogRunner(options.dialogRunner);
    } else {
        m_qtRunner = std::make_unique<CQtDialogRunner>();
        SetDialogRunner(m_qtRunner.get());
    }
    // Speaker > Module Arrangement... opens the dialog of the model's kind.
    SetModelDialogs(&ModuleArrangementDialogs());
    if (options.fileDialogs) {
        m_fileDialogs = options.fileDialogs;
    } else {
        m_qtFileDialogs = std::make_unique<CQtFileDialogs>();
        m_fileDialogs = m_qtFileDialogs.get();
    }
    m_locator = std::make_unique<CQtWindowLocator>();
    SetWindowLocator(m_locator.get());
    m_documentUi = std::make_unique<CQtDocumentUi>(*this);
    SetDocumentUi(m_documentUi.get());
    // The installation commands' dialogs and map calculations.
    static CInstallationCommandsUi installationUi;
    SetInstallationUi(&installationUi);

    // The recent-file list of four, kept under the maker's key.
    QCoreApplication::setOrganizationName(QString::fromLatin1(kRegistryKey));
    m_recentScope = options.recentFilesScope.empty() ? QStringLiteral("Kadrel")
                                                     : QString::fromStdString(options.recentFilesScope);
    {
        QSettings s(QString::fromLatin1(kRegistryKey), m_recentScope);
        s.beginGroup(QString::fromLatin1(kRecentGroup));
        for (int i = 1; i <= kRecentFileCount; ++i) {
            const QString f = s.value(QStringLiteral("File%1").arg(i)).toString();
            if (!f.isEmpty())
                m_recentFiles << f;
        }
    }

    // The settings file.
    CAppSettings& settings = AppSettings();
    settings.m_nDeveloperID = 0;
    settings.m_nLengthUnit = 0;
    if (options.settingsPath.empty())
        settings.ChooseFiles(GetModuleDirectory());
    else
        settings.SetFilePath(options.settingsPath);
    settings.Load();
    CInstallationContainer::SetApplicationLengthUnit(settings.m_nLengthUnit);

    // The document template and the main window.
    m_template = std::make_unique<CKDRDocTemplate>(IDS_DOC_STRINGS);
    m_mainFrame = std::make_unique<CKDRMainFrame>(*this);
    if (!m_mainFrame->LoadFrame())
        return false;
    CKDRMainFrame* frame = m_mainFrame.get();
    m_template->m_createFrame = [this, frame](CKDRDoc& doc) {
        // Saving a project that has no name yet asks for one.
        doc.SetSavePathPrompt([this](std::string& path) {
            std::string chosen;
            if (!m_fileDialogs->GetSaveFileName(m_template->GetDocStrings().MakeFilter(), "zkdr", path, chosen))
                return false;
            path = chosen;
            return true;
        });
        // Every save under a name enters the recent-file list, whether File >
        // Save, Save As or the save question of a closing window led to it.
        doc.SetSavedListener([this](const std::string& path) { AddToRecentFileList(path); });
        return frame->CreateChildFrame(doc) != nullptr;
    };
    m_template->m_destroyFrame = [frame](CKDRDoc& doc) {
        if (CKDRChildFrame* f = frame->FindFrame(doc)) {
            doc.SetChangeListener(nullptr, nullptr);
            f->m_onClose = nullptr;
            frame->MdiArea()->removeSubWindow(f);
            delete f;
        }
        frame->UpdateFrameState();
    };
    m_template->m_initialUpdateFrame = [frame](CKDRDoc& doc) {
        if (CKDRChildFrame* f = frame->FindFrame(doc)) {
            frame->UpdateFrameState();
            f->ShowInitially();
            frame->MdiArea()->setActiveSubWindow(f);
            f->InitialUpdate();
        }
    };
    m_template->m_activateFrame = [frame](CKDRDoc& doc) {
        if (CKDRChildFrame* f = frame->FindFrame(doc))
            frame->MdiArea()->setActiveSubWindow(f);
    };
    m_template->m_addToRecentFiles = [this](const std::string& path) { AddToRecentFileList(path); };
    // The command line is read but never acted on: no project is created or
    // opened at start.
    (void)argc;
    (void)argv;

    if (options.showMainWindow)
        m_mainFrame->show();

    m_hSpeakerIcon = LoadProgramIcon(IDI_SPEAKER_ICON);
    m_hCurrentSpeakerIcon = LoadProgramIcon(IDI_CURRENT_SPEAKER_ICON);

    if (settings.m_bAppFirstTime == 1) {
        CInitialSettingsDialog1 dlg;
        dlg.SetParameters(settings.m_nLengthUnit, 1);
        if (dlg.DoModal() != IDOK)
            return false;
        settings.m_nLengthUnit = dlg.m_nUnit;
        settings.m_bAppFirstTime = 0;
        CInstallationContainer::SetApplicationLengthUnit(settings.m_nLengthUnit);
        WriteIniInt("LENGTH_UNIT", "LengthUnit", dlg.m_nUnit);
        WriteIniInt("IS_APP_FIRST_TIME", "IsAppFirstTime", 0);
    }
    return true;
}

int CKDRApp::Run()
{
    return QApplication::exec();
}

bool CKDRApp::WriteIniInt(const std::string& section, const std::string& key, int value) const
{
    return AppSettings().WriteIniInt(section, key, value);
}

void CKDRApp::OnFileNew()
{
    m_template->OpenDocumentFile(nullptr);
}

void CKDRApp::OnFileOpen()
{
    if (!m_template)
        return;
    // While the dialog runs, the template lists both extensions.
    const std::string old = m_template->SwapDocStrings(LoadStringId(IDS_DOC_STRINGS_OPEN));
    const std::string filter = m_template->GetDocStrings().MakeFilter() + ";;" + LoadStringId(61718) + " (*)";
    std::string path;
    const bool chosen = m_fileDialogs->GetOpenFileName(filter, path);
    m_template->SwapDocStrings(old);
    if (chosen)
        OpenDocumentFile(path);
}

CKDRDoc* CKDRApp::OpenDocumentFile(const std::string& path)
{
    if (!m_template)
        return nullptr;
    return m_template->OpenDocumentFile(path.c_str());
}

void CKDRApp::OnFilePrintSetup()
{
    QPageSetupDialog dlg(&SharedPrinter(), m_mainFrame.get());
    dlg.exec();
}

void CKDRApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

QStringList CKDRApp::RecentFiles() const
{
    return m_recentFiles;
}

void CKDRApp::AddToRecentFileList(const std::string& path)
{
    if (path.empty())
        return;
    const QString full = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    m_recentFiles.removeAll(full);
    m_recentFiles.prepend(full);
    while (m_recentFiles.size() > kRecentFileCount)
        m_recentFiles.removeLast();
    SaveRecentFiles();
}

void CKDRApp::SaveRecentFiles() const
{
    QSettings s(QString::fromLatin1(kRegistryKey), m_recentScope);
    s.beginGroup(QString::fromLatin1(kRecentGroup));
    for (int i = 1; i <= kRecentFileCount; ++i) {
        if (i <= m_recentFiles.size())
            s.setValue(QStringLiteral("File%1").arg(i), m_recentFiles[i - 1]);
        else
            s.remove(QStringLiteral("File%1").arg(i));
    }
}

bool CKDRApp::OnCommand(unsigned id)
{
    switch (id) {
    case ID_APP_ABOUT: OnAppAbout(); return true;
    case ID_FILE_NEW: OnFileNew(); return true;
    case ID_FILE_OPEN: OnFileOpen(); return true;
    case ID_FILE_PRINT_SETUP: OnFilePrintSetup(); return true;
    default: break;
    }
    if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + kRecentFileCount) {
        const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
        if (index < m_recentFiles.size()) {
            const std::string path = m_recentFiles[index].toStdString();
            if (!OpenDocumentFile(path) && !QFileInfo::exists(QString::fromStdString(path))) {
                // A file that is gone leaves the list.
                m_recentFiles.removeAt(index);
                SaveRecentFiles();
            }
        }
        return true;
    }
    return false;
}

bool CKDRApp::OnUpdateCommand(CCmdUI& ui)
{
    if (ui.m_nID >= ID_FILE_MRU_FILE1 && ui.m_nID < ID_FILE_MRU_FILE1 + kRecentFileCount) {
        ui.Enable(static_cast<int>(ui.m_nID - ID_FILE_MRU_FILE1) < m_recentFiles.size());
        return true;
    }
    return false;
}

bool CKDRApp::HasCommandHandler(unsigned id) const
{
    switch (id) {
    case ID_APP_ABOUT:
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_PRINT_SETUP: return true;
    default: return false;
    }
}
